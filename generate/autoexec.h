#pragma once
// autoexec.sas in the macro folder (model/product_layout.h): the SAS start-up
// program of the product.
// It assigns the product's SAS libraries to the folders under the install root
// and includes every file of macro_files(), so that their macros are defined
// in every SAS session of the product.

#include <string>
#include <vector>

#include "model/edition_profile.h"
#include "platform/platform.h"

namespace kelvarion {

// The file's lines, without line ends. The install root stands in SAS
// literals with its apostrophes doubled (sas_literal.h) and nothing else
// changed: a drive root ("D:\") gives a doubled backslash.
std::vector<std::string> autoexec_lines(const EditionProfile& edition,
                                        const std::string& install_root);

// The first installation step: makes the product folders (silently, see
// product_folders.h), then writes autoexec.sas into the macro folder. False
// with *err describing the failure.
bool create_autoexec(const EditionProfile& edition, Platform& platform, std::string* err);

}  // namespace kelvarion
