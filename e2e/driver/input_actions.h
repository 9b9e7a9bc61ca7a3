#pragma once
// What a user does: click a button, press a key, close a message box.

#include <windows.h>

#include <string>

namespace kelvarion::driver {

// BM_CLICK, posted so that the driver does not wait while the click handler
// runs (the installation sequence keeps the program's thread for seconds).
void post_click(HWND button);

enum class KeyMethod {
    Post,   // WM_KEYDOWN / WM_KEYUP posted to the focused control of the window's thread
    Input,  // SendInput after making the window the foreground window
};

// Presses and releases virtual key `vk` for `main_window`.
bool press_key(HWND main_window, int vk, KeyMethod method, std::string* err);

}  // namespace kelvarion::driver
