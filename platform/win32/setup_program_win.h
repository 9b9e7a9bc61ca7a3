#pragma once
// The whole program: start-up, the main window and its message loop. Each
// edition's wWinMain calls this with its own profile.

#include "editions/edition_profile.h"

namespace kelvarion {

// Returns the process exit code: 0 once the window has been unloaded, 1 when
// start-up failed (the user has been told why).
int run_setup_program(const EditionProfile& edition);

}  // namespace kelvarion
