#pragma once
// Logging off or shutting down while the installation runs would end the
// program between two writes of SAS's files. The window refuses the end of
// the session while it is busy; Windows Vista and later show a reason beside
// a program that refuses, which it gives with ShutdownBlockReasonCreate.
// Windows XP has no such function: it is looked up at run time.

#include <windows.h>

namespace kelvarion {

// Shows `reason` beside the window in the logoff or shutdown screen; false
// where the system has no such screen (XP) or refused.
bool show_shutdown_block_reason(HWND window, const wchar_t* reason);
// Takes the reason away again (nothing where there is none).
void remove_shutdown_block_reason(HWND window);

}  // namespace kelvarion
