#pragma once
// The setup program's window as the driver knows it from outside: its
// caption, and the ids of the controls that the driver reads during a run
// (the Control enum of platform/main_view.h, restated here on purpose).

#include <windows.h>

#include <string>

#include "target_process.h"

namespace kelvarion::driver {

inline constexpr wchar_t kMainCaption[] = L"Kelvarion installation";
inline constexpr int kInstallButtonId = 103;
inline constexpr int kProgressBarId = 107;
inline constexpr int kCaptionLabelId = 108;

// The visible main window of process `pid` (of any process when 0).
HWND find_main_window(DWORD pid);

// One look while waiting for the main window of `target`: true once it shows
// (then in *found) or once the program has ended without it.
bool main_window_shown_or_ended(const TargetProcess& target, HWND* found);
// The answer when that wait found no window.
std::string no_main_window(const TargetProcess& target);

}  // namespace kelvarion::driver
