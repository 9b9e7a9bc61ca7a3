#include "platform/win32/win32_platform.h"

#include <windows.h>

#include "platform/win32/queued_input_win.h"
#include "platform/win32/strconv_win.h"

namespace kelvarion {

unsigned Win32Platform::message_box_style(MessageIcon icon, bool owned) {
    UINT style = MB_OK;
    switch (icon) {
        case MessageIcon::Critical: style |= MB_ICONERROR; break;
        case MessageIcon::Information: style |= MB_ICONINFORMATION; break;
    }
    // Without an owner the box still blocks the thread's other windows.
    if (!owned) style |= MB_TASKMODAL;
    return style;
}

void Win32Platform::message_box(const std::string& text, const std::string& title,
                                MessageIcon icon) {
    const UINT style = message_box_style(icon, owner_ != nullptr);
    // Keys and clicks queued while a step ran (its pauses block the thread)
    // were meant for the busy window; they must not answer this box unread.
    drop_queued_input();
    MessageBoxW(owner_, widen(text).c_str(), widen(title).c_str(), style);
}

}  // namespace kelvarion
