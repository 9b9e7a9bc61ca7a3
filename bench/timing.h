#pragma once
// Wall-clock timing of short operations: each sample calls the operation
// until a minimum time has passed, so that operations of microseconds and of
// seconds are measured with the same relative precision; the median of the
// samples is what is reported.

#include <algorithm>
#include <chrono>
#include <vector>

namespace kelvarion::bench {

// Keeps the compiler from dropping work whose result is otherwise unused.
template <class T>
inline void keep(const T& value) {
    asm volatile("" : : "r"(&value) : "memory");
}

// Seconds per call of `operation`, called at least once and until
// `min_seconds` have passed. Returns a negative number when a call fails.
template <class Operation>
double seconds_per_call(Operation&& operation, double min_seconds) {
    using Clock = std::chrono::steady_clock;
    const Clock::time_point start = Clock::now();
    long calls = 0;
    double elapsed = 0;
    do {
        if (!operation()) return -1;
        ++calls;
        elapsed = std::chrono::duration<double>(Clock::now() - start).count();
    } while (elapsed < min_seconds);
    return elapsed / static_cast<double>(calls);
}

inline double median(std::vector<double> samples) {
    if (samples.empty()) return 0;
    std::sort(samples.begin(), samples.end());
    const std::size_t middle = samples.size() / 2;
    return samples.size() % 2 ? samples[middle] : (samples[middle - 1] + samples[middle]) / 2;
}

}  // namespace kelvarion::bench
