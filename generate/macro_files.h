#pragma once
// The macro files in the macro folder (model/product_layout.h). Each
// defines one SAS macro, named after its file, whose body runs one SCL entry
// of the product's catalog "kelvarion" (which lies in the same folder) with
// PROC DISPLAY. autoexec.sas includes them all.

#include <string>
#include <vector>

#include "platform/platform.h"

namespace kelvarion {

// One macro file: its name in the macro folder and its lines (without line
// ends) for an install root, which stands in the library statement's SAS
// literal with its apostrophes doubled (sas_literal.h).
struct MacroFile {
    const char* file_name;
    std::vector<std::string> (*lines)(const std::string& install_root);
};

// The macro files in the order the installation writes them and autoexec.sas
// includes them. A new macro file is one more entry here and its text.
const std::vector<MacroFile>& macro_files();

// Writes one file into the macro folder, which create_autoexec has made (no
// folder is created). False with *err describing the failure.
bool create_macro_file(const MacroFile& file, Platform& platform, std::string* err);

}  // namespace kelvarion
