#pragma once
// The current edition: SAS 8, 9.1 and 9.2, start-up options in a file of
// their own (model/product_layout.h).
#include "model/edition_profile.h"

namespace kelvarion {

inline constexpr SasVersion kCurrentEditionVersions[] = {SasVersion::V8, SasVersion::V91,
                                                         SasVersion::V92};

inline constexpr EditionProfile kCurrentEdition{
    .name = "current",
    .versions = kCurrentEditionVersions,
    .reads_all_users = true,
    .window = {.client_height = 3420,
               .progress_frame_top = 2160,
               .config_text_left = 6360,
               .config_text_top = 3360},
    .autoexec_window_option = true,
    .config_update = ConfigUpdateRule::SkipWhenNamed,
    .writes_tool_config = true,
    .shortcuts_follow_all_users = true,
    .shortcut_arguments = ShortcutArguments::TwoConfigFiles,
};

}  // namespace kelvarion
