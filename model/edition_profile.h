#pragma once
// The choices that tell the two editions apart. Each program is built with
// exactly one profile (editions/current_edition.h, editions/legacy_edition.h);
// nothing is decided at run time. Code asks the profile instead of testing
// the edition.

#include <algorithm>
#include <span>

#include "model/sas_versions.h"

namespace kelvarion {

// How the SAS configuration update treats the -SET SASAUTOS list.
enum class ConfigUpdateRule {
    // Leave the file untouched when any -SET SASAUTOS list names the macro
    // folder already; otherwise insert it after each list's "(". A list ends
    // at its ")" outside quotes and comments (host/sas_config_edit.h).
    SkipWhenNamed,
    // Insert the folder into every list on every installation, whatever the
    // lists name.
    InsertEveryRun,
};

// What the shortcuts hand to SAS on its command line.
enum class ShortcutArguments {
    // -CONFIG <SAS config> -CONFIG <start-up options file>
    TwoConfigFiles,
    // -CONFIG <SAS config> -autoexec ... -initcmd ... -splashloc ...
    StartupOptions,
};

// Where the window's lower controls sit, in twips: below a version frame
// that grows with the versions offered.
struct WindowPlaces {
    int client_height;
    int progress_frame_top;
    // The configuration text box lies outside the client area (in the legacy
    // edition all but a 30 x 120 twips corner of it).
    int config_text_left;
    int config_text_top;
};

struct EditionProfile {
    const char* name;  // "current" or "legacy", for messages and tests
    // The versions whose keys start-up reads and whose buttons the window
    // shows, in the order of kSasVersions.
    std::span<const SasVersion> versions;
    bool reads_all_users;  // product key "AllUsers" read at start-up
    WindowPlaces window;
    bool autoexec_window_option;  // "options awsdef=(0 0 100 100);" line
    ConfigUpdateRule config_update;
    bool writes_tool_config;          // the start-up options file (create_tool_config)
    bool shortcuts_follow_all_users;  // all-users folders when all_users == "1"
    ShortcutArguments shortcut_arguments;
};

// Whether the edition offers the version at all.
inline bool offers(const EditionProfile& edition, SasVersion version) {
    return std::find(edition.versions.begin(), edition.versions.end(), version) !=
           edition.versions.end();
}

}  // namespace kelvarion
