#include "platform/win32/message_pump_win.h"

namespace kelvarion {

bool pump_queued_messages(const std::function<void(MSG&)>& handle, UINT first, UINT last) {
    MSG msg;
    for (int budget = kMessagesPerRound;
         budget > 0 && PeekMessageW(&msg, nullptr, first, last, PM_REMOVE); --budget) {
        // PeekMessage hands out WM_QUIT whatever the range.
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return false;
        }
        handle(msg);
    }
    return true;
}

}  // namespace kelvarion
