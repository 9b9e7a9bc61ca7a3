#pragma once
// What start-up read from the registry, held for the whole run. Written once by
// Main, only read afterwards. A version that was not found has an empty root
// and a sas.exe path of exactly "\sas.exe". The legacy edition never fills the
// SAS 9.2 values or all_users and never reads them.

#include <string>

namespace kelvarion {

inline constexpr const char* kSasExeSuffix = "\\sas.exe";

struct InstallContext {
    std::string sas8_root;
    std::string sas91_root;
    std::string sas92_root;
    std::string sas8_exe = kSasExeSuffix;
    std::string sas91_exe = kSasExeSuffix;
    std::string sas92_exe = kSasExeSuffix;
    std::string all_users;  // "1" means all users
};

}  // namespace kelvarion
