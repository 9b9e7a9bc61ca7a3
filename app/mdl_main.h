#pragma once
// Start-up: find the installed SAS versions and the product's all-users
// setting, then open the main window with what was found.

#include <functional>

#include "app/install_context.h"
#include "editions/edition_profile.h"
#include "platform/platform.h"

namespace kelvarion {

// Registry locations under HKEY_LOCAL_MACHINE.
inline constexpr const char* kSas8Key = "SOFTWARE\\SAS Institute Inc.\\The SAS System\\8";
inline constexpr const char* kSas91Key = "SOFTWARE\\SAS Institute Inc.\\The SAS System\\9.1";
inline constexpr const char* kSas92Key = "SOFTWARE\\SAS Institute Inc.\\The SAS System\\9.2";
inline constexpr const char* kSasRootValue = "DefaultRoot";
inline constexpr const char* kProductKey = "SOFTWARE\\Corvantis\\Kelvarion";
inline constexpr const char* kAllUsersValue = "AllUsers";

inline constexpr const char* kRegistryReadFailure = "Can not read data from registry";
inline constexpr const char* kErrorTitle = "Error!";

// Reads SAS 8 and 9.1 (and 9.2 when the edition offers it) and, when the
// edition uses it, the product's AllUsers value. Each sas.exe path is its root
// followed by "\sas.exe", so a version that was not found has "\sas.exe" alone.
// A missing or unreadable value is the empty string, never an error.
InstallContext read_install_context(const EditionProfile& edition, Platform& platform);

// The program's start. Reads the install context and hands it to
// show_main_window, which creates the main window and shows it.
// A failure raised while reading (memory exhausted, say) is shown as
// "Can not read data from registry" with the title "Error!", the window is not
// shown and the result is false; the program should then end. True when the
// window was shown.
bool Main(const EditionProfile& edition, Platform& platform,
          const std::function<void(const InstallContext&)>& show_main_window);

}  // namespace kelvarion
