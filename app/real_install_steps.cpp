#include "app/real_install_steps.h"

#include "generate/autoexec.h"
#include "generate/macro_files.h"
#include "host/config_sas.h"
#include "host/shortcuts.h"
#include "host/tool_config.h"

namespace kelvarion {

RealInstallSteps::RealInstallSteps(const EditionProfile& edition, const InstallContext& context,
                                   MainView& view, Platform& platform)
    : edition_(edition), context_(context), view_(view), platform_(platform) {}

bool RealInstallSteps::create_autoexec() { return kelvarion::create_autoexec(edition_, platform_); }

bool RealInstallSteps::create_contents_macro() {
    return kelvarion::create_contents_macro(platform_);
}

bool RealInstallSteps::create_finddup_macro() {
    return kelvarion::create_finddup_macro(platform_);
}

bool RealInstallSteps::create_join_macro() { return kelvarion::create_join_macro(platform_); }

bool RealInstallSteps::create_print_model_macro() {
    return kelvarion::create_print_model_macro(platform_);
}

bool RealInstallSteps::create_trans_macro() { return kelvarion::create_trans_macro(platform_); }

bool RealInstallSteps::create_verification_rep_macro() {
    return kelvarion::create_verification_rep_macro(platform_);
}

bool RealInstallSteps::create_shortcuts(const std::string& version_key) {
    return kelvarion::create_shortcuts(edition_, context_, platform_, version_key);
}

bool RealInstallSteps::config_sas() {
    return kelvarion::config_sas(edition_, context_, view_, platform_);
}

bool RealInstallSteps::create_tool_config() {
    // The legacy edition hands the start-up options on the shortcuts' command
    // line; it must never write or touch kelvarion.cfg.
    if (!edition_.writes_tool_config) return true;
    return kelvarion::create_tool_config(platform_);
}

}  // namespace kelvarion
