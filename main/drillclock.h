#pragma once

// The drill clock: 100 ms ticks and the two signals that reach a running drill from outside.
struct Drill_Clock
{
    int Tick_Count = 0;     // ticks since a drill last reset it
    int Abort_Flag = 0;     // 1 while a stop request is pending
    int Answer_Flag = 0;    // 1 once an answer has been entered
    int Reaction_Ticks = 0; // Tick_Count at the last key press that found one character
};
