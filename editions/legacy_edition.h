#pragma once
// The legacy edition: SAS 8 and 9.1 only, start-up options on the shortcuts'
// command line, per-user shortcuts, insertion into SASAUTOS on every run.
#include "editions/edition_profile.h"

namespace kelvarion {

inline constexpr EditionProfile kLegacyEdition{
    .name = "legacy",
    .offers_sas92 = false,
    .reads_all_users = false,
    .client_height_twips = 2880,
    .autoexec_window_option = false,
    .config_update = ConfigUpdateRule::InsertEveryRun,
    .writes_tool_config = false,
    .shortcuts_follow_all_users = false,
    .replaces_earlier_shortcut = false,
    .shortcut_arguments = ShortcutArguments::StartupOptions,
};

}  // namespace kelvarion
