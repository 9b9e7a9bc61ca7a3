#pragma once
// The main window's design: caption, client size and every control's place
// in twips, in tab order. The Win32 view lays itself out from it.

#include "editions/edition_profile.h"
#include "platform/window_layout.h"

namespace kelvarion {

inline constexpr const char* kMainWindowCaption = "Kelvarion installation";

// The edition's window (tab index = position in the list, except that the
// legacy edition has no tab index 10 at all).
WindowLayout main_window_layout(const EditionProfile& edition);

}  // namespace kelvarion
