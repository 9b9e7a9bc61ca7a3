#pragma once
// The main window's design: caption, client size and every control's place
// in twips, in tab order. The Win32 view lays itself out from it.

#include "model/edition_profile.h"
#include "platform/window_layout.h"

namespace kelvarion {

inline constexpr const char* kMainWindowCaption = "Kelvarion installation";

// The edition's window: a button for each version it offers (kSasVersions),
// in a frame that fits them. Tab order is the order of the list.
WindowLayout main_window_layout(const EditionProfile& edition);

}  // namespace kelvarion
