#pragma once
// What start-up read from the registry, held for the whole run: written once,
// only read afterwards.

#include <array>
#include <optional>
#include <string>

#include "model/sas_versions.h"

namespace kelvarion {

struct InstallContext {
    // Each version's SAS root as stored, by SasVersion; empty when the
    // version was not found (its key or value missing, or the value empty)
    // or the edition does not offer it.
    std::array<std::optional<std::string>, kSasVersions.size()> sas_roots;
    std::string all_users;  // the product's AllUsers value; "1" means all users

    const std::optional<std::string>& sas_root(SasVersion version) const {
        return sas_roots[static_cast<size_t>(version)];
    }
    std::optional<std::string>& sas_root(SasVersion version) {
        return sas_roots[static_cast<size_t>(version)];
    }
    bool found(SasVersion version) const { return sas_root(version).has_value(); }
    // The root followed by "\sas.exe"; for a version not found "\sas.exe"
    // alone, as SAS's own shortcuts would name it.
    std::string sas_exe(SasVersion version) const {
        return sas_root(version).value_or("") + "\\sas.exe";
    }
};

}  // namespace kelvarion
