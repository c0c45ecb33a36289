#include "main/form1.h"

#include "main/form1layout.h"
#include "main/resultsfile.h"
#include "main/setindicator.h"
#include "main/sharedstate.h"
#include "main/vocabularysets.h"
#include "main/wordcolumns.h"

void Form1::Menu1_Click(int Index)
{
    Timer2->setEnabled(false);
    Label9->setVisible(false);
    m_state.Vocabulary_Index = Index;
    m_state.Set_Number =
        VocabularySets::firstSetNotPassed(m_state.Result_Lines.at(ResultsFile::testLine(Index)));
    LabelButton *indicator = Label2[Form1Layout::setIndicator];
    indicator->setCaption(SetIndicator::withCurrent(m_state.Set_Number, indicator->caption()));
    Get_Vocabulary();
}

void Form1::Get_Vocabulary()
{
    Shared_State &s = m_state;
    s.Left_Words.dimension(VocabularySets::wordsPerSet);
    s.Right_Words.dimension(VocabularySets::wordsPerSet);
    s.Vocabulary_Lines.dimension(VocabularySets::vocabularyLinesUpper);
    Label1[0]->setCaption(QString());
    Label1[1]->setCaption(QString());

    LabelButton *indicator = Label2[Form1Layout::setIndicator];
    s.Set_Number = SetIndicator::current(indicator->caption());
    // An index outside the menu leaves the shown name as it stands.
    if (const QAction *item = Menu1[s.Vocabulary_Index])
        Label3[1]->setCaption(item->text());

    const int header = VocabularySets::findHeader(s.Database_Lines, s.Vocabulary_Index);
    VocabularySets::fillSet(s.Database_Lines, header, s.Set_Number, s.Left_Words, s.Right_Words,
                            s.Vocabulary_Lines);
    s.Set_Count =
        header > 0
            ? VocabularySets::setCount(VocabularySets::wordLineCount(s.Database_Lines, header))
            : 0;

    Label1[0]->setCaption(WordColumns::leftText(s.Left_Words));
    Label1[1]->setCaption(WordColumns::rightText(s.Right_Words));
    indicator->setCaption(SetIndicator::text(s.Set_Number, s.Set_Count));
}
