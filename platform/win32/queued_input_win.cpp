#include "platform/win32/queued_input_win.h"

#include "platform/win32/message_pump_win.h"

namespace kelvarion {
namespace {

struct MessageRange {
    UINT first;
    UINT last;
};

// Ranges, so that PeekMessageW can remove each with its filter.
constexpr MessageRange kInputMessages[] = {
    // Keys down and up and the characters they make, system keys included:
    // Enter and Esc would start the installation or end the program.
    {WM_KEYFIRST, WM_KEYLAST},
    // The mouse in a window's client area: a click on a button.
    {WM_MOUSEFIRST, WM_MOUSELAST},
    // The mouse on the title bar and border: the close box, a move.
    {WM_NCMOUSEMOVE, WM_NCXBUTTONDBLCLK},
    // WM_NCMOUSEHOVER, WM_MOUSEHOVER, WM_NCMOUSELEAVE and WM_MOUSELEAVE,
    // which TrackMouseEvent posts when the mouse rests or leaves: the end of
    // a movement whose moves were themselves dropped.
    {WM_NCMOUSEHOVER, WM_MOUSELEAVE},
};

}  // namespace

bool is_keyboard_or_mouse_input(UINT message) {
    for (const MessageRange& range : kInputMessages)
        if (message >= range.first && message <= range.last) return true;
    return false;
}

void drop_queued_input() {
    for (const MessageRange& range : kInputMessages)
        if (!pump_queued_messages([](MSG&) {}, range.first, range.last)) return;
}

}  // namespace kelvarion
