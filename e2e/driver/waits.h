#pragma once
// Waiting for a condition in another process: poll it, with a timeout. The
// driver never sleeps a fixed time in place of a wait.

#include <windows.h>

#include <functional>

#include "stopwatch.h"

namespace kelvarion::driver {

// Polls `condition` every `interval_ms` until it holds (true) or `timeout_ms`
// have passed (false).
bool wait_until(DWORD timeout_ms, const std::function<bool()>& condition, DWORD interval_ms = 5);

// For timings: polls `condition` every millisecond (Sleep(1), the shortest
// wait that leaves the CPU to the program being timed) until it holds or
// `clock` reaches `timeout_ms`. Notes in *longest_gap the longest time
// between two polls, which bounds how late a change can be seen.
bool poll_1ms(const Stopwatch& clock, double timeout_ms, double* longest_gap,
              const std::function<bool()>& condition);

// What is left of `timeout_ms` once `elapsed_ms` have passed; 0 when none.
DWORD ms_left(double timeout_ms, double elapsed_ms);

}  // namespace kelvarion::driver
