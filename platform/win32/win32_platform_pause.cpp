#include "platform/win32/win32_platform.h"

#include <windows.h>

namespace kelvarion {

// A pause between the installation's steps blocks the thread: keys and
// clicks made meanwhile stay queued, and the window drops them once the
// steps are over (main_window_messages_win.cpp).
void Win32Platform::pause(int milliseconds) {
    Sleep(milliseconds > 0 ? static_cast<DWORD>(milliseconds) : 0);
}

}  // namespace kelvarion
