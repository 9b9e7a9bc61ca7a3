#pragma once
// Milliseconds since a mark, from QueryPerformanceCounter. The driver marks
// each click and key press so that waits and recordings report times
// relative to the user's action.

#include <windows.h>

namespace kelvarion::driver {

class Stopwatch {
public:
    Stopwatch() { mark(); }
    void mark();
    double elapsed_ms() const;

private:
    LARGE_INTEGER start_{};
};

}  // namespace kelvarion::driver
