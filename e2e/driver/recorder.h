#pragma once
// Records what the window shows while the installation sequence runs: every
// change of the caption line, the progress position and Install's enabled
// state, with times relative to the user's last action.

#include <windows.h>

#include <functional>
#include <string>

#include "stopwatch.h"
#include "target_process.h"

namespace kelvarion::driver {

struct RecordOptions {
    // The user's action that starts the run, done once the recording has
    // noted the window as it was before; "" when done, else why not. Empty
    // for a run already under way.
    std::function<std::string()> action;
    double timeout_ms = 30000;
    std::string stop_prefix;    // also stop when the caption starts so and Install is enabled
    std::string press_caption;  // press `press_vk` once this caption shows ("" for never)
    int press_vk = 0;
};

// One JSON object: "end" ("msgbox", "caption", "closed" or "timeout"),
// "events" and, when a key was pressed, "pressed_at". With an action,
// `since_action` is marked just before it and the first event is the window
// before the action.
std::string record_sequence(HWND main_window, const TargetProcess& target, Stopwatch& since_action,
                            const RecordOptions& options);

}  // namespace kelvarion::driver
