#pragma once
// The choices that tell the two editions apart. Each program is built with
// exactly one profile (see current_edition.h and legacy_edition.h); nothing is
// decided at run time. Code asks the profile instead of testing the edition.

namespace kelvarion {

// How the SAS configuration update treats the -SET SASAUTOS list.
enum class ConfigUpdateRule {
    // Rewrite only when the list does not name the macro folder yet; the block
    // ends at a line holding ")" or at the line that names the folder.
    SkipWhenNamed,
    // Insert and rewrite on every installation; the insertion ends the block.
    InsertEveryRun,
};

// What the shortcuts hand to SAS on its command line.
enum class ShortcutArguments {
    // -CONFIG <SAS config> -CONFIG <install root>\kelvarion.cfg
    TwoConfigFiles,
    // -CONFIG <SAS config> -autoexec ... -initcmd ... -splashloc ...
    StartupOptions,
};

struct EditionProfile {
    const char* name;             // "current" or "legacy", for messages and tests
    bool offers_sas92;            // SAS 9.2 key read, its option button shown
    bool reads_all_users;         // product key "AllUsers" read at start-up
    int client_height_twips;      // main window client area height
    bool autoexec_window_option;  // "options awsdef=(0 0 100 100);" line
    ConfigUpdateRule config_update;
    bool writes_tool_config;          // kelvarion.cfg and create_tool_config
    bool shortcuts_follow_all_users;  // all-users folders when all_users == "1"
    bool replaces_earlier_shortcut;   // save beside, then swap in place of Kelvarion.lnk
    ShortcutArguments shortcut_arguments;
};

}  // namespace kelvarion
