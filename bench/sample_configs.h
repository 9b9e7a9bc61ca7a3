#pragma once
// SAS configuration files made up for timing the SASAUTOS edit: the shapes a
// real SASV9.CFG takes, scaled to any size. Every line ends with CR LF and
// every file holds exactly one -SET SASAUTOS list, so the edit inserts the
// macro folder exactly once.

#include <cstddef>
#include <string>
#include <string_view>

#include "model/edition_profile.h"

namespace kelvarion::bench {

// The folder the edit inserts into the samples: an install root under
// "Program Files (x86)", as on most machines today.
inline const std::string kSampleMacroFolder =
    R"(C:\Program Files (x86)\Corvantis\Kelvarion\saspgm)";

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
inline constexpr ConfigShape kConfigShapes[] = {ConfigShape::Sasv9, ConfigShape::LongList,
                                                ConfigShape::LongLine};

std::string_view shape_name(ConfigShape shape);

inline constexpr std::size_t kSmallestSample = 1024;  // the heads alone take up to 800 bytes

// Exactly `size` bytes; empty when `size` is below kSmallestSample.
std::string sample_config(ConfigShape shape, std::size_t size);

// Empty when `written` is what the edit of `sample` with kSampleMacroFolder
// under `rule` must write: one insertion (a sample holds one list) that keeps
// every invariant of fuzz/config_edit_invariants.h. Otherwise what is wrong.
std::string wrong_edit_of_sample(std::string_view sample, ConfigUpdateRule rule,
                                 std::string_view written);

}  // namespace kelvarion::bench
