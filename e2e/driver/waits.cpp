#include "waits.h"

#include <algorithm>

namespace kelvarion::driver {

bool wait_until(DWORD timeout_ms, const std::function<bool()>& condition, DWORD interval_ms) {
    DWORD start = GetTickCount();
    for (;;) {
        if (condition()) return true;
        if (GetTickCount() - start >= timeout_ms) return false;
        Sleep(interval_ms);
    }
}

bool poll_1ms(const Stopwatch& clock, double timeout_ms, double* longest_gap,
              const std::function<bool()>& condition) {
    double last = clock.elapsed_ms();
    for (;;) {
        if (condition()) return true;
        double now = clock.elapsed_ms();
        *longest_gap = std::max(*longest_gap, now - last);
        last = now;
        if (now >= timeout_ms) return false;
        Sleep(1);
    }
}

DWORD ms_left(double timeout_ms, double elapsed_ms) {
    return DWORD(std::max(0.0, timeout_ms - elapsed_ms));
}

}  // namespace kelvarion::driver
