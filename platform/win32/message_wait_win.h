#pragma once
// Waiting on the window's one thread without freezing the window.

namespace kelvarion {

// Waits `milliseconds` while the thread's messages are handled, so that the
// window repaints; keys and clicks are dropped, as the busy window drops
// them. A WM_QUIT met on the way is posted again and ends the wait.
void wait_keeping_window_painted(int milliseconds);

}  // namespace kelvarion
