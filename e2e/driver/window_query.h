#pragma once
// Reading another process's windows: the main window, its controls and its
// message boxes. Texts are read with WM_GETTEXT (answered by the program's
// thread when it pumps messages); quick_text reads the copy Windows keeps for
// every window, which never waits for the program.

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace kelvarion::driver {

inline constexpr DWORD kSendTimeoutMs = 5000;

// The visible top-level window of `pid` (any process when 0) with this caption.
HWND find_top_window(DWORD pid, const std::wstring& caption);
// A visible dialog box (class "#32770") of `pid`: message boxes are these.
HWND find_dialog(DWORD pid);

std::string class_name(HWND window);
std::string window_text(HWND window);  // WM_GETTEXT, falls back to quick_text
std::string quick_text(HWND window);   // GetWindowTextW
// PBM_GETPOS; nullopt when the program did not answer in time.
std::optional<int> progress_position(HWND progress_bar);

// A control of the main window, found by its Win32 id (descendants too).
HWND find_control(HWND main_window, int id);
std::vector<HWND> all_controls(HWND main_window);

// One line of JSON describing the window or a control.
std::string describe_main_window(HWND main_window);
std::string describe_control(HWND main_window, HWND control);
// Title, text and buttons of a message box.
std::string describe_dialog(HWND dialog);

}  // namespace kelvarion::driver
