#pragma once
// The SAS versions the setup knows, one row each: where SAS registers the
// version, the option button that chooses it, the configuration file the
// shortcuts start it with, and the one whose autocall list gets the macro
// folder. Start-up, the window, the shortcuts and the configuration update
// all read this one table.

#include <array>

#include "editions/edition_profile.h"
#include "platform/main_view.h"

namespace kelvarion {

enum class SasVersion { V8, V91, V92 };

struct SasVersionInfo {
    SasVersion version;
    const char* registry_key;     // under HKEY_LOCAL_MACHINE; its DefaultRoot is the SAS root
    Control option;               // the option button that chooses it
    const char* shortcut_config;  // the shortcuts' -CONFIG file, after the SAS root
    const char* autocall_config;  // the file whose -SET SASAUTOS list is edited, after the root
};

// In the order the window tests its option buttons.
inline constexpr std::array<SasVersionInfo, 3> kSasVersions{{
    {SasVersion::V8, "SOFTWARE\\SAS Institute Inc.\\The SAS System\\8", Control::Sas8Option,
     "\\SASV8.CFG", "\\SASV8.CFG"},
    // SAS 9.x starts with the SASV9.CFG in its root, but reads its autocall
    // list from the English one under nls\en.
    {SasVersion::V91, "SOFTWARE\\SAS Institute Inc.\\The SAS System\\9.1", Control::Sas91Option,
     "\\SASV9.CFG", "\\nls\\en\\SASV9.CFG"},
    {SasVersion::V92, "SOFTWARE\\SAS Institute Inc.\\The SAS System\\9.2", Control::Sas92Option,
     "\\SASV9.CFG", "\\nls\\en\\SASV9.CFG"},
}};

inline const SasVersionInfo& sas_version_info(SasVersion version) {
    return kSasVersions[static_cast<size_t>(version)];
}

// Whether the edition offers the version at all (the legacy one has no 9.2).
inline bool offers(const EditionProfile& edition, SasVersion version) {
    return version != SasVersion::V92 || edition.offers_sas92;
}

}  // namespace kelvarion
