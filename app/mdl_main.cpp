#include "app/mdl_main.h"

#include <optional>

#include "app/mbt_reg.h"

namespace kelvarion {
namespace {

std::string sas_root(Platform& platform, const char* subkey) {
    return reg_query_string(platform, subkey, kSasRootValue);
}

}  // namespace

InstallContext read_install_context(const EditionProfile& edition, Platform& platform) {
    InstallContext context;
    context.sas8_root = sas_root(platform, kSas8Key);
    context.sas91_root = sas_root(platform, kSas91Key);
    if (edition.offers_sas92) context.sas92_root = sas_root(platform, kSas92Key);

    // Roots are used as stored: a trailing backslash stays and gives "\\sas.exe".
    context.sas8_exe = context.sas8_root + kSasExeSuffix;
    context.sas91_exe = context.sas91_root + kSasExeSuffix;
    if (edition.offers_sas92) context.sas92_exe = context.sas92_root + kSasExeSuffix;

    if (edition.reads_all_users)
        context.all_users = reg_query_string(platform, kProductKey, kAllUsersValue);
    return context;
}

bool Main(const EditionProfile& edition, Platform& platform,
          const std::function<void(const InstallContext&)>& show_main_window) {
    // The start-up error trap covers the reading only. The window's own code
    // traps nothing, so a failure there is not reported as a registry failure.
    std::optional<InstallContext> context;
    try {
        context = read_install_context(edition, platform);
    } catch (...) {
        platform.message_box(kRegistryReadFailure, kErrorTitle, MessageIcon::Critical);
        return false;
    }
    show_main_window(*context);
    return true;
}

}  // namespace kelvarion
