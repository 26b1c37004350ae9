#pragma once

// Letting the wx application's events run between the steps of a GUI test.

#include <functional>

/// Runs what is pending now: queued events, the window system's, then idle
/// handlers; waits for nothing.
void pump();
/// `rounds` times: pump, then wait 10 ms, so that the window system can
/// answer (paints, simulated input, timers).
void settle(int rounds = 10);
/// Settles a round at a time until `done` holds, for at most 500 rounds (a
/// loaded machine may take its time); returns whether it held.
bool eventually(const std::function<bool()>& done);
