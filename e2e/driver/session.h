#pragma once
// What the driver knows between two commands: the program under test, its
// main window, and the time of the user's last action.

#include <windows.h>

#include "stopwatch.h"
#include "target_process.h"
#include "tests/support/held_files_win.h"

namespace kelvarion::driver {

struct Session {
    TargetProcess target;
    HWND main_window = nullptr;     // set by wait_window, time_start and attach_window
    Stopwatch since_action;         // marked at every click and key press
    bool quit = false;              // set by quit: read no further command
    testing::HeldFiles held_files;  // opened by hold, closed by release

    bool window_open() const { return main_window && IsWindow(main_window); }
};

}  // namespace kelvarion::driver
