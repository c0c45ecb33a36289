#pragma once

#include <QString>

#include <functional>

class FormTimer;
class RandomGenerator;

// The drill clock: 100 ms ticks and the two signals that reach a running drill from outside.
struct Drill_Clock
{
    int Tick_Count = 0;     // ticks since a drill last reset it
    int Abort_Flag = 0;     // 1 while a stop request is pending
    int Answer_Flag = 0;    // 1 once an answer has been entered
    int Reaction_Ticks = 0; // Tick_Count at the last key press that found one character
};

namespace DrillClock {

// What every tick leaves in Tick_Count while a stop is pending: above every limit a drill
// waits for, and above the test's fast-answer limit.
inline constexpr int stopPendingTicks = 1100;

// The draws of the word order end when Tick_Count passes this, whatever is drawn by then.
inline constexpr int drawGuardTicks = 30;

inline constexpr int wordsPerDrill = 10;

} // namespace DrillClock

// The wait of every drill, on the user-interface thread: Tick_Count = 0, the tick timer on,
// then event-loop passes until `until` holds, the timer off. Each pass sleeps until the next
// event (a tick, a key, a click, a repaint), so waiting costs next to no processor time. The
// events run at least once before the first test. Ticks are the only measure of time: a wait
// until Tick_Count is above N ends at the (N + 1)-th tick.
void pollingWait(Drill_Clock &clock, FormTimer &timer, const std::function<bool()> &until);

// The draw of a drill's word order, as the exercise and the test make it: the generator seeded
// from the clock, numbers 1 to 10 drawn without repeats with the pending events run after each
// draw, until ten are drawn or Tick_Count passes the guard. Gives the numbers in the order drawn,
// each followed by "*" ("3*10*1*..."); fewer than ten when the guard ended it. The timer is off
// afterwards.
QString drawOrder(Drill_Clock &clock, FormTimer &timer, RandomGenerator &random);
