#include "main/drillclock.h"

#include "main/form1.h"
#include "main/randomdraw.h"
#include "main/sharedstate.h"
#include "platform/eventpump.h"
#include "platform/formtimer.h"
#include "platform/keycodes.h"

#include <limits>

namespace {

bool isOneCharacter(const QString &text)
{
    return text.size() == 1 || (text.size() == 2 && text.at(0).isHighSurrogate());
}

} // namespace

void pollingWait(Drill_Clock &clock, FormTimer &timer, const std::function<bool()> &until)
{
    clock.Tick_Count = 0;
    timer.setEnabled(true);
    do
        EventPump::runPendingEvents();
    while (!until());
    timer.setEnabled(false);
}

QString drawOrder(Drill_Clock &clock, FormTimer &timer, RandomGenerator &random)
{
    DrawRecord record;
    clock.Tick_Count = 0;
    timer.setEnabled(true);
    random.seedFromClock();
    do {
        record.draw(random, DrillClock::wordsPerDrill);
        EventPump::runPendingEventsWithoutWaiting();
    } while (record.count() < DrillClock::wordsPerDrill &&
             clock.Tick_Count <= DrillClock::drawGuardTicks);
    timer.setEnabled(false);
    return record.order();
}

void Form1::Timer1_Timer()
{
    Drill_Clock &clock = m_state.Clock;
    // An answer wait has no limit; the count stops at the top rather than wrapping.
    if (clock.Tick_Count < std::numeric_limits<int>::max())
        ++clock.Tick_Count;
    if (clock.Abort_Flag > 0)
        clock.Tick_Count = DrillClock::stopPendingTicks;
}

void Form1::Text1_KeyDown(int &KeyCode, int)
{
    Drill_Clock &clock = m_state.Clock;
    // The key's character has not landed yet: one character here means this is the key after
    // the first one, normally the second of the answer.
    if (isOneCharacter(Text1->text()))
        clock.Reaction_Ticks = clock.Tick_Count;
    if (KeyCode == KeyCodes::Enter)
        clock.Answer_Flag = 1;
}
