#pragma once
// The SAS versions the setup knows, one row each: where SAS registers the
// version, its option button in the window, the configuration file the
// shortcuts start it with, and the one whose autocall list gets the macro
// folder. Start-up, the window, its layout, the shortcuts and the
// configuration update all read this one table; an edition offers a list of
// its rows (model/edition_profile.h).

#include <array>

#include "platform/main_view.h"

namespace kelvarion {

enum class SasVersion { V8, V91, V92 };

// Whether the window selects a version's option button when start-up found
// the version. Selecting one button clears the others, so of several found
// the last in table order ends up selected.
enum class SelectWhenFound {
    Always,
    // Only when no other version the edition offers was found: with SAS 8
    // or 9.1 also there, one of those stays the choice (SAS 9.2). Alone, it
    // must be selected, or the disabled SAS 8 button would stay selected and
    // Install would run for a SAS 8 that is not there.
    OnlyWhenNoOtherFound,
};

struct SasVersionInfo {
    SasVersion version;
    const char* registry_key;  // under HKEY_LOCAL_MACHINE; its DefaultRoot is the SAS root
    Control option;            // the option button that chooses it
    const char* caption;       // the option button's caption
    int option_top_twips;      // the button's top in the version frame
    // The button comes after every other control in tab order, where the
    // window has always had the SAS 9.2 button.
    bool last_in_tab_order;
    SelectWhenFound selection;
    const char* shortcut_config;  // the shortcuts' -CONFIG file, after the SAS root
    const char* autocall_config;  // the file whose -SET SASAUTOS list is edited, after the root
};

// In the order the window tests its option buttons.
inline constexpr std::array<SasVersionInfo, 3> kSasVersions{{
    {SasVersion::V8, "SOFTWARE\\SAS Institute Inc.\\The SAS System\\8", Control::Sas8Option,
     "SAS System version 8", 240, false, SelectWhenFound::Always, "\\SASV8.CFG", "\\SASV8.CFG"},
    // SAS 9.x starts with the SASV9.CFG in its root, but reads its autocall
    // list from the English one under nls\en.
    {SasVersion::V91, "SOFTWARE\\SAS Institute Inc.\\The SAS System\\9.1", Control::Sas91Option,
     "SAS System version 9.1", 720, false, SelectWhenFound::Always, "\\SASV9.CFG",
     "\\nls\\en\\SASV9.CFG"},
    {SasVersion::V92, "SOFTWARE\\SAS Institute Inc.\\The SAS System\\9.2", Control::Sas92Option,
     "SAS System version 9.2", 1200, true, SelectWhenFound::OnlyWhenNoOtherFound, "\\SASV9.CFG",
     "\\nls\\en\\SASV9.CFG"},
}};

inline const SasVersionInfo& sas_version_info(SasVersion version) {
    return kSasVersions[static_cast<size_t>(version)];
}

}  // namespace kelvarion
