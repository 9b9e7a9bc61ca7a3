#include "platform/win32/message_wait_win.h"

#include <windows.h>

#include "platform/win32/queued_input_win.h"

namespace kelvarion {

void wait_keeping_window_painted(int milliseconds) {
    const DWORD start = GetTickCount();
    const DWORD total = milliseconds > 0 ? static_cast<DWORD>(milliseconds) : 0;
    for (;;) {
        const DWORD elapsed = GetTickCount() - start;
        if (elapsed >= total) return;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, total - elapsed, QS_ALLINPUT);
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                // For the message loop, once the installation is over.
                PostQuitMessage(static_cast<int>(msg.wParam));
                return;
            }
            if (is_keyboard_or_mouse_input(msg.message)) continue;
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
}

std::uint32_t retry_keeping_window_painted(FileCall call,
                                           const std::function<std::uint32_t()>& attempt,
                                           const std::function<bool()>& target_read_only) {
    return retry_while_held(call, attempt, wait_keeping_window_painted, target_read_only);
}

}  // namespace kelvarion
