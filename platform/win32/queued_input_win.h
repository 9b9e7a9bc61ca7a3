#pragma once
// Keys and clicks that queue up while the window's thread is busy (a step
// runs, or pauses) were meant for a window that ignored them; they must
// neither be replayed afterwards nor answer a message box unread.

#include <windows.h>

namespace kelvarion {

// Whether `message` comes from the user's keyboard or mouse: what the busy
// window holds off and what drop_queued_input removes.
bool is_keyboard_or_mouse_input(UINT message);

// Removes the thread's queued keyboard and mouse messages. A WM_QUIT met on
// the way is posted again, so the message loop still ends.
void drop_queued_input();

}  // namespace kelvarion
