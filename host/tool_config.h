#pragma once
// The start-up options file in the install root (model/product_layout.h):
// the options that the current edition's shortcuts hand to SAS as their
// second -CONFIG file.

#include <string>
#include <vector>

#include "platform/platform.h"

namespace kelvarion {

// The file's four lines (UTF-8; the window title holds the trade-mark sign
// U+2122, which a code page without it writes as its default character). The
// install root stands in SAS literals with its apostrophes doubled.
std::vector<std::string> tool_config_lines(const std::string& install_root);

// Writes the file in the ANSI code page, replacing one that is there. False
// with *err describing the failure.
bool create_tool_config(Platform& platform, std::string* err);

}  // namespace kelvarion
