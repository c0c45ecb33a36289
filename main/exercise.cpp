#include "main/drillclock.h"
#include "main/form1.h"
#include "main/highlightbar.h"
#include "main/program.h"
#include "main/randomdraw.h"
#include "main/sharedstate.h"
#include "platform/layout.h"

namespace {

// Each left word comes at the 31st tick after the one before, about 3.1 s.
constexpr int revealTicks = 30;

// Every line of the exercise's columns ends in CR LF, the tenth too.
void appendLine(CaptionLabel *column, const QString &word)
{
    column->setCaption(column->caption() + word + QLatin1String("\r\n"));
}

} // namespace

// The exercise: the set's right words at once in a drawn order, then their left partners one
// by one, with the highlight bar on the line that comes next. The words are read from the set
// as it stands at each step: a vocabulary chosen during a wait supplies the rest.
void Form1::Harjoitus()
{
    Drill_Clock &clock = m_state.Clock;
    Label1[0]->setCaption(QString());
    Label1[1]->setCaption(QString());

    QString order = drawOrder(clock, *Timer1, m_program.random());
    QString toReveal = order;

    // A draw cut short by its time guard has fewer than ten numbers: the lines after them
    // repeat the last number drawn.
    int n = 0;
    for (int i = 1; i <= DrillClock::wordsPerDrill; ++i) {
        takeDrawnNumber(order, n);
        appendLine(Label1[1], m_state.Right_Words.at(n));
    }

    for (int i = 1; i <= DrillClock::wordsPerDrill; ++i) {
        pollingWait(clock, *Timer1, [&clock] { return clock.Tick_Count > revealTicks; });
        takeDrawnNumber(toReveal, n);
        appendLine(Label1[0], m_state.Left_Words.at(n));
        // The bar moves on from wherever the arrow keys left it, without limits.
        if (i < DrillClock::wordsPerDrill)
            Layout::setTopTwips(Shape2, Layout::topTwips(Shape2) + HighlightBar::lineStep);
        if (clock.Abort_Flag > 0)
            break;
    }

    clock.Abort_Flag = 0;
    Layout::setTopTwips(Shape2, HighlightBar::firstTop);
}
