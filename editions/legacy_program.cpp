// Kelvarion_Post_Installation_setup_legacy.exe: the legacy edition (SAS 8, 9.1).
#include <windows.h>

#include "editions/legacy_edition.h"
#include "editions/setup_program.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    // No command line is read: what the program does depends on the registry,
    // its own folder and the user's choice only.
    return kelvarion::run_setup_program(kelvarion::kLegacyEdition);
}
