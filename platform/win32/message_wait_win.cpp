#include "platform/win32/message_wait_win.h"

#include <windows.h>

#include "platform/win32/message_pump_win.h"
#include "platform/win32/queued_input_win.h"

namespace kelvarion {

void wait_keeping_window_painted(int milliseconds) {
    const DWORD start = GetTickCount();
    const DWORD total = milliseconds > 0 ? static_cast<DWORD>(milliseconds) : 0;
    const auto paint_and_drop_input = [](MSG& msg) {
        if (is_keyboard_or_mouse_input(msg.message)) return;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    };
    for (;;) {
        // What is queued already first: MsgWaitForMultipleObjects wakes only
        // for messages that arrive after the queue was last looked at. A
        // WM_QUIT is left for the message loop, once the installation is over.
        if (!pump_queued_messages(paint_and_drop_input)) return;
        const DWORD elapsed = GetTickCount() - start;
        if (elapsed >= total) return;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, total - elapsed, QS_ALLINPUT);
    }
}

std::uint32_t retry_keeping_window_painted(
    FileCall call, const std::function<std::uint32_t()>& attempt,
    const std::function<bool()>& target_read_only_or_folder) {
    return retry_while_held(call, attempt, wait_keeping_window_painted, target_read_only_or_folder);
}

}  // namespace kelvarion
