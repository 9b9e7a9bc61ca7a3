#pragma once
// The whole program, as each edition's wWinMain runs it: the Win32 platform
// and window, start-up, the main window's logic with the edition's steps,
// and the message loop.

#include "model/edition_profile.h"

namespace kelvarion {

// Returns the process exit code: 0 once the window has been unloaded, 1 when
// start-up failed or the window could not be made (the user has been told
// why).
int run_setup_program(const EditionProfile& edition);

}  // namespace kelvarion
