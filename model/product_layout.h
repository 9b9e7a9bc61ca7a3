#pragma once
// The product's own names: its folders and files under the install root, the
// SAS command that opens it, and its Start-menu folders. Every file the setup
// writes, the shortcuts and the SAS configuration name them from here.

#include <string>

namespace kelvarion {

// Paths under the install root are the root, a backslash and the name, joined
// as they are: a drive root ("D:\") gives a doubled backslash, which Windows
// accepts and SAS reads.

// The macro folder: autoexec.sas and the macro files, SAS's library pgmlib,
// and the folder the SAS autocall list gains.
inline std::string macro_folder(const std::string& install_root) {
    return install_root + "\\saspgm";
}
inline std::string macro_folder_file(const std::string& install_root,
                                     const std::string& file_name) {
    return macro_folder(install_root) + "\\" + file_name;
}
// The product's SAS start-up program, in the macro folder.
inline constexpr const char* kAutoexecFileName = "autoexec.sas";
inline std::string autoexec_file(const std::string& install_root) {
    return macro_folder_file(install_root, kAutoexecFileName);
}

// The data folders, which autoexec.sas assigns as SAS libraries.
inline std::string data_folder(const std::string& install_root) { return install_root + "\\data"; }
inline std::string sdtm_folder(const std::string& install_root) {
    return data_folder(install_root) + "\\sdtm";
}
inline std::string translib_folder(const std::string& install_root) {
    return data_folder(install_root) + "\\translib";
}
inline std::string models_folder(const std::string& install_root) {
    return data_folder(install_root) + "\\models";
}

// The start-up options file that the current edition's shortcuts hand to SAS.
inline std::string tool_config_file(const std::string& install_root) {
    return install_root + "\\kelvarion.cfg";
}
// The splash bitmap, which the product's installer lays down.
inline std::string splash_bitmap(const std::string& install_root) {
    return install_root + "\\splsh.bmp";
}

// The SAS command that opens the product's main frame from its catalog.
inline constexpr const char* kStartCommand = "af cat = pgmlib.kelvarion.trans_manager.frame";

// The Start-menu folders, outermost first: the maker's, then the product's,
// which holds the Start-menu shortcut.
inline constexpr const char* kMakerMenuFolder = "Corvantis";
inline constexpr const char* kProductMenuFolder = "KELVARION";

}  // namespace kelvarion
