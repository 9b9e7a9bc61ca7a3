#include "app/startup.h"

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

std::optional<InstallContext> startup(const EditionProfile& edition, Platform& platform) {
    // The start-up error trap covers the reading only. The window's own code
    // traps nothing, so a failure there is not reported as a registry failure.
    try {
        return read_sas_installations(edition, platform);
    } catch (...) {
        platform.message_box(kRegistryReadFailure, kErrorTitle, MessageIcon::Critical);
        return std::nullopt;
    }
}

}  // namespace kelvarion
