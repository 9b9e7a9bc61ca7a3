#pragma once
// The legacy edition: SAS 8 and 9.1 only, start-up options on the shortcuts'
// command line, per-user shortcuts, insertion into SASAUTOS on every run.
#include "model/edition_profile.h"

namespace kelvarion {

inline constexpr SasVersion kLegacyEditionVersions[] = {SasVersion::V8, SasVersion::V91};

inline constexpr EditionProfile kLegacyEdition{
    .name = "legacy",
    .versions = kLegacyEditionVersions,
    .reads_all_users = false,
    .window = {.client_height = 2880,
               .progress_frame_top = 1560,
               .config_text_left = 5400,
               .config_text_top = 2760},
    .autoexec_window_option = false,
    .config_update = ConfigUpdateRule::InsertEveryRun,
    .writes_tool_config = false,
    .shortcuts_follow_all_users = false,
    .shortcut_arguments = ShortcutArguments::StartupOptions,
};

}  // namespace kelvarion
