#include "input_actions.h"

#include "waits.h"

namespace kelvarion::driver {

namespace {

// Where keyboard input for the window's thread goes: its focused control, or
// the window itself when nothing has the focus.
HWND key_target(HWND main_window) {
    GUITHREADINFO gui{};
    gui.cbSize = sizeof gui;
    if (GetGUIThreadInfo(GetWindowThreadProcessId(main_window, nullptr), &gui) && gui.hwndFocus)
        return gui.hwndFocus;
    return main_window;
}

bool wait_foreground(HWND window, DWORD timeout_ms) {
    return wait_until(
        timeout_ms,
        [window] {
            if (GetForegroundWindow() == window) return true;
            SetForegroundWindow(window);
            return false;
        },
        10);
}

}  // namespace

void post_click(HWND button) { PostMessageW(button, BM_CLICK, 0, 0); }

bool press_key(HWND main_window, int vk, KeyMethod method, std::string* err) {
    UINT scan = MapVirtualKeyW(UINT(vk), 0 /* MAPVK_VK_TO_VSC */);
    if (method == KeyMethod::Post) {
        HWND target = key_target(main_window);
        LPARAM down = 1 | (LPARAM(scan) << 16);
        LPARAM up = down | (LPARAM(1) << 30) | (LPARAM(1) << 31);
        if (!PostMessageW(target, WM_KEYDOWN, WPARAM(vk), down)) {
            *err = "PostMessageW failed, error " + std::to_string(GetLastError());
            return false;
        }
        // The key-down may close the window (Esc) before the key-up is
        // posted; a key released over a closed window is no failure.
        if (!PostMessageW(target, WM_KEYUP, WPARAM(vk), up) && IsWindow(target)) {
            *err = "PostMessageW failed, error " + std::to_string(GetLastError());
            return false;
        }
        return true;
    }
    if (!wait_foreground(main_window, 3000)) {
        *err = "the window did not become the foreground window";
        return false;
    }
    INPUT inputs[2]{};
    for (INPUT& input : inputs) {
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = WORD(vk);
        input.ki.wScan = WORD(scan);
    }
    inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
    if (SendInput(2, inputs, sizeof(INPUT)) != 2) {
        *err = "SendInput failed, error " + std::to_string(GetLastError());
        return false;
    }
    return true;
}

}  // namespace kelvarion::driver
