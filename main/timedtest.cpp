#include "main/drillclock.h"
#include "main/form1.h"
#include "main/form1layout.h"
#include "main/passmark.h"
#include "main/program.h"
#include "main/randomdraw.h"
#include "main/resultsfile.h"
#include "main/setindicator.h"
#include "main/sharedstate.h"
#include "main/testscoring.h"
#include "main/textrules.h"

#include <array>

namespace {

// The Label2 indices of the drills the test locks out, and of every button it frees after.
constexpr std::array lockedButtons = {1, 2, 3};
constexpr std::array freedButtons = {1, 2, 3, 4, 5, 6};

} // namespace

// The timed test of the current set. The running score lives only in the caption of Label5
// index 0. The set and the vocabulary may change under the test while it waits (paging and
// the menu stay live): every word is judged against the set as it stands, and the record goes
// to the set the indicator shows when the words are done.
void Form1::Testi()
{
    Drill_Clock &clock = m_state.Clock;
    Get_Vocabulary();
    Label5[0]->setCaption(QStringLiteral("0"));
    Label5[1]->setCaption(QStringLiteral("0"));
    for (int index : lockedButtons)
        Label2[index]->setEnabled(false);
    Label1[0]->hide();
    Label1[1]->hide();
    Shape2->hide();
    Label6->show();
    Text1->show();

    QString order = drawOrder(clock, *Timer1, m_program.random());

    // A draw cut short by its time guard asks its last number again at the places after it.
    int n = 0;
    for (int i = 1; i <= DrillClock::wordsPerDrill; ++i) {
        // Enter pressed before the prompt shows must not answer it.
        clock.Answer_Flag = 0;
        Text1->clear();
        takeDrawnNumber(order, n);
        Label5[1]->setCaption(QString::number(i));
        Label6->setCaption(m_state.Right_Words.at(n));

        // The count restarts with the prompt, so Reaction_Ticks measures from it.
        pollingWait(clock, *Timer1, [&clock] { return clock.Answer_Flag > 0; });

        const QString leftWord = m_state.Left_Words.at(n);
        if (TestScoring::isRight(Text1->text(), leftWord)) {
            const int score =
                Text_Int(Label5[0]->caption()) + TestScoring::pointsFor(clock.Reaction_Ticks);
            Label5[0]->setCaption(QString::number(score));
        } else {
            Text1->setText(leftWord);
            pollingWait(clock, *Timer1,
                        [&clock] { return clock.Tick_Count > TestScoring::correctionTicks; });
        }

        // "Keskeytä": this word was the last.
        if (clock.Abort_Flag > 0) {
            clock.Abort_Flag = 0;
            break;
        }
    }
    Timer1->setEnabled(false);

    Label7->show();
    LabelButton *indicator = Label2[Form1Layout::setIndicator];
    m_state.Set_Number = SetIndicator::current(indicator->caption());
    const int score = Text_Int(Label5[0]->caption());
    Label7->setCaption(PassMark::verdict(score));
    // A set past the line's 100 slots, or no vocabulary's test line, records nothing rather
    // than spill into a neighbour; the save still runs. A save that fails keeps the record in
    // Result_Lines for the next one.
    if (ResultsFile::isVocabulary(m_state.Vocabulary_Index))
        Store_Result_Entry(m_state.Result_Lines, ResultsFile::testLine(m_state.Vocabulary_Index),
                           m_state.Set_Number, score);
    Save_Results_File(m_state.Result_Lines);
    pollingWait(clock, *Timer1,
                [&clock] { return clock.Tick_Count > TestScoring::verdictPauseTicks; });

    for (int index : freedButtons)
        Label2[index]->setEnabled(true);
    Label7->hide();
    Shape2->show();
    Label1[0]->show();
    Label1[1]->show();

    // Set_Number as it stands now: paging or the menu during the pause moved it.
    const int total = SetIndicator::total(indicator->caption());
    const int next =
        TestScoring::setAfterTest(Text_Int(Label5[0]->caption()), m_state.Set_Number, total);
    if (next != m_state.Set_Number) {
        m_state.Set_Number = next;
        indicator->setCaption(SetIndicator::compactText(next, total));
    }

    Label5[1]->setCaption(QStringLiteral("0"));
    Text1->hide();
    // A hidden box keeps the focus when nothing else can take it, and with it every key: the
    // window takes the focus back, so the arrow keys reach the highlight bar again.
    Text1->clearFocus();
    Label6->hide();
    Get_Vocabulary();
    Label5[0]->setCaption(QStringLiteral("0"));
}
