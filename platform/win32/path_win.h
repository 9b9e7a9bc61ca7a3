#pragma once
// Splitting Windows paths: "\" or "/" between levels, and "D:" before a
// name relative to a drive's current folder.

#include <string>

namespace kelvarion {

// Everything up to and including the last separator: "C:\SAS\" for
// "C:\SAS\x.cfg", "D:" for "D:x.cfg", "" for "x.cfg".
std::string folder_prefix(const std::string& path);

// The folder without its trailing separator, except for a drive root ("D:\")
// and a bare "\".
std::string folder_of(const std::string& path);

// The file name without folder and extension.
std::string file_stem_of(const std::string& path);

}  // namespace kelvarion
