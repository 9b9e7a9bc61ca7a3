#pragma once
// SAS configuration files made up for timing the SASAUTOS edit: the shapes a
// real SASV9.CFG takes, scaled to any size. Every line ends with CR LF and
// every file holds exactly one -SET SASAUTOS list, so the edit inserts the
// macro folder exactly once.

#include <cstddef>
#include <string>
#include <string_view>

namespace kelvarion::bench {

enum class ConfigShape {
    // Comments, options and -SET variables as SAS writes them, with one
    // SASAUTOS list of a dozen entries near the top.
    Sasv9,
    // One SASAUTOS list whose entries, one a line, fill the file. Half of
    // them end in "\saspgm", so each of those is compared with the folder.
    LongList,
    // The same entries on the option's own line: the file is one line.
    LongLine,
};

std::string_view shape_name(ConfigShape shape);

// Exactly `size` bytes; empty when `size` is below 1024.
std::string sample_config(ConfigShape shape, std::size_t size);

}  // namespace kelvarion::bench
