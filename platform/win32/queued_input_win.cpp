#include "platform/win32/queued_input_win.h"

#include <windows.h>

#include <utility>

namespace kelvarion {

void drop_queued_input() {
    const std::pair<UINT, UINT> input_ranges[] = {{WM_KEYFIRST, WM_KEYLAST},
                                                  {WM_MOUSEFIRST, WM_MOUSELAST},
                                                  {WM_NCMOUSEMOVE, WM_NCXBUTTONDBLCLK}};
    MSG msg;
    for (const auto& [first, last] : input_ranges) {
        while (PeekMessageW(&msg, nullptr, first, last, PM_REMOVE)) {
            // PeekMessage hands out WM_QUIT whatever the filter.
            if (msg.message == WM_QUIT) {
                PostQuitMessage(static_cast<int>(msg.wParam));
                return;
            }
        }
    }
}

}  // namespace kelvarion
