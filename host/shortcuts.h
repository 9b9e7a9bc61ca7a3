#pragma once
// The product's two shortcuts, Kelvarion.lnk on the desktop and in the
// product's Start-menu folder (model/product_layout.h). Both start the
// chosen SAS version's sas.exe in its SAS root with the edition's start-up
// options.
//
// What goes where is computed by the pure functions below; create_shortcuts
// only adds the platform calls.

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "model/install_context.h"
#include "model/sas_versions.h"
#include "model/edition_profile.h"
#include "platform/platform.h"

namespace kelvarion {

inline constexpr const char* kShortcutFileName = "Kelvarion.lnk";

// Where one shortcut file goes: a special folder, the folder levels below it
// (made when missing, outermost first), then kShortcutFileName.
struct ShortcutLocation {
    SpecialFolder base;
    std::vector<std::string> subfolders;
};

// Desktop first, then the Start menu. The all-users folders are used only by
// an edition that follows all_users, and only when it is exactly "1".
std::array<ShortcutLocation, 2> shortcut_locations(const EditionProfile& edition,
                                                   const InstallContext& context);

// The six properties, the same for both shortcuts. No version chosen, or one
// the edition does not offer, leaves target, working directory and SAS
// configuration file empty.
ShortcutProperties shortcut_properties(const EditionProfile& edition, const InstallContext& context,
                                       std::optional<SasVersion> chosen,
                                       const std::string& install_root,
                                       const std::string& program_name);

// The installation step: saves both shortcuts, desktop first. False with *err
// describing the failure; a desktop shortcut saved before a Start-menu
// failure stays. In both editions the new shortcut is saved beside an
// earlier Kelvarion.lnk and then swapped into its place
// (host/replacement_file.h), so a failed save leaves the earlier one; missing
// folder levels are made silently.
bool create_shortcuts(const EditionProfile& edition, const InstallContext& context,
                      std::optional<SasVersion> chosen, Platform& platform, std::string* err);

}  // namespace kelvarion
