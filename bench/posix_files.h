#pragma once
// The file operations that both timed pipelines share, so that the copy and
// the edit differ only by the edit: read a whole file, and put new bytes in
// place of a file through a temporary file beside it and a rename (the way
// the setup replaces the SAS configuration file). Linux only: the benchmark
// measures the portable edit, not the Win32 layer.

#include <string>
#include <string_view>

namespace kelvarion::bench {

bool read_whole_file(const std::string& path, std::string* bytes, std::string* err);

// Writes `bytes` to `target`.tmp, closes it and renames it over `target`.
// No fsync: both pipelines stay in the page cache, so neither waits on the
// disk and the comparison is about the work done, not the device.
bool replace_through_temp_file(const std::string& target, std::string_view bytes, std::string* err);

// A new, empty folder under `parent`, and its removal with its files.
bool make_work_folder(const std::string& parent, std::string* path, std::string* err);
void remove_work_folder(const std::string& path);

}  // namespace kelvarion::bench
