#pragma once
// The current edition: SAS 8, 9.1 and 9.2, start-up options in kelvarion.cfg.
#include "editions/edition_profile.h"

namespace kelvarion {

inline constexpr EditionProfile kCurrentEdition{
    .name = "current",
    .offers_sas92 = true,
    .reads_all_users = true,
    .client_height_twips = 3420,
    .autoexec_window_option = true,
    .config_update = ConfigUpdateRule::SkipWhenNamed,
    .writes_tool_config = true,
    .shortcuts_follow_all_users = true,
    .replaces_earlier_shortcut = true,
    .shortcut_arguments = ShortcutArguments::TwoConfigFiles,
};

}  // namespace kelvarion
