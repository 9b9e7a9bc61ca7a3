#pragma once
// Start-up: find the installed SAS versions and the product's all-users
// setting, for the main window that the caller then opens.

#include <optional>

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

// The program's start: the install context for the main window. A failure
// raised while reading (memory exhausted, say) is shown as "Can not read data
// from registry" with the title "Error!" and gives no context; the program
// should then end without a window.
std::optional<InstallContext> startup(const EditionProfile& edition, Platform& platform);

}  // namespace kelvarion
