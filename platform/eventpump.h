#pragma once

// The drills wait on the user-interface thread and let the rest of the program run meanwhile.
namespace EventPump {

// One pass of the event loop: handles every pending event (ticks, keys, clicks, repaints) and,
// when none is pending, sleeps until the next one arrives, so a waiting drill costs no
// processor time.
void runPendingEvents();

// One pass that handles what is pending and returns at once, for loops that do work of their
// own between passes and must not spend a tick on each.
void runPendingEventsWithoutWaiting();

// How many passes are running, one inside the other. Above 0 the program is inside a wait.
int depth();

} // namespace EventPump
