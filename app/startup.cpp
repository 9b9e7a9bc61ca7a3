#include "app/startup.h"

#include <optional>

#include "app/messages.h"
#include "app/registry_text.h"

namespace kelvarion {

InstallContext read_sas_installations(const EditionProfile& edition, Platform& platform) {
    InstallContext context;
    for (const SasVersionInfo& sas : kSasVersions) {
        if (!offers(edition, sas.version)) continue;
        // Roots are used as stored: a trailing backslash stays and gives
        // "\\sas.exe". An empty root names no SAS.
        std::string root = registry_text(platform, sas.registry_key, kSasRootValue);
        if (!root.empty()) context.sas_root(sas.version) = std::move(root);
    }
    if (edition.reads_all_users)
        context.all_users = registry_text(platform, kProductKey, kAllUsersValue);
    return context;
}

bool startup(const EditionProfile& edition, Platform& platform,
             const std::function<void(const InstallContext&)>& show_main_window) {
    // The start-up error trap covers the reading only. The window's own code
    // traps nothing, so a failure there is not reported as a registry failure.
    std::optional<InstallContext> context;
    try {
        context = read_sas_installations(edition, platform);
    } catch (...) {
        platform.message_box(kRegistryReadFailure, kErrorTitle, MessageIcon::Critical);
        return false;
    }
    show_main_window(*context);
    return true;
}

}  // namespace kelvarion
