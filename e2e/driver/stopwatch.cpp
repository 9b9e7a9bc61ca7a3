#include "stopwatch.h"

namespace kelvarion::driver {

void Stopwatch::mark() { QueryPerformanceCounter(&start_); }

double Stopwatch::elapsed_ms() const {
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return double(now.QuadPart - start_.QuadPart) * 1000.0 / double(frequency.QuadPart);
}

}  // namespace kelvarion::driver
