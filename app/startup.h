#pragma once
// Start-up: find the installed SAS versions and the product's all-users
// setting, then open the main window with what was found.

#include <functional>

#include "model/edition_profile.h"
#include "model/install_context.h"
#include "platform/platform.h"

namespace kelvarion {

inline constexpr const char* kSasRootValue = "DefaultRoot";
inline constexpr const char* kProductKey = "SOFTWARE\\Corvantis\\Kelvarion";
inline constexpr const char* kAllUsersValue = "AllUsers";

// Reads the SAS root of every version the edition offers (model/sas_versions.h)
// and, when the edition uses it, the product's AllUsers value. A missing,
// unreadable or empty value is "not found" (AllUsers: the empty string),
// never an error.
InstallContext read_sas_installations(const EditionProfile& edition, Platform& platform);

// The program's start. Reads the install context and hands it to
// show_main_window, which creates the main window and shows it. A failure
// raised while reading (memory exhausted, say) is shown as "Can not read data
// from registry" with the title "Error!", the window is not shown and the
// result is false; the program should then end. True when the window was
// shown.
bool startup(const EditionProfile& edition, Platform& platform,
             const std::function<void(const InstallContext&)>& show_main_window);

}  // namespace kelvarion
