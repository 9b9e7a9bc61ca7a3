#pragma once
// Folders and files through the W functions, and where the running program is.
// Failures put the path and the system's description into *err
// ("C:\SAS\SASV9.CFG: Access is denied."); a replace names its target.

#include <memory>
#include <string>

#include "platform/platform.h"

namespace kelvarion {

bool win32_make_folder(const std::string& path, std::string* err);
// "File not found" and "path not found" give NotFound.
DeleteResult win32_delete_file(const std::string& path, std::string* err);
bool win32_read_file(const std::string& path, std::string* bytes, std::string* err);
// CREATE_ALWAYS: a new file, or the existing one truncated.
std::unique_ptr<OutputFile> win32_create_file(const std::string& path, std::string* err);

// A new file with a unique hidden-style name ("~kelvarion<n>.tmp") in the
// folder of `target`, so that it can later replace `target` on the same volume.
std::unique_ptr<OutputFile> win32_create_temp_file_beside(const std::string& target,
                                                          std::string* temp_path,
                                                          std::string* err);
// ReplaceFileW: the target keeps its attributes and security. A missing
// target (which ReplaceFileW refuses) or a file system without ReplaceFileW
// gets MoveFileExW(MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)
// instead. On failure both files are left as they were; `source` is the
// caller's to delete.
bool win32_replace_file(const std::string& source, const std::string& target,
                        std::string* err);

// The running program's full path, its folder (no trailing backslash except a
// drive root such as "D:\") and its file name without folder and extension.
// `first_buffer` (in characters) is the size tried first; the buffer grows
// as long as the path does not fit.
std::string win32_module_path(unsigned first_buffer = 260);
std::string win32_install_root();
std::string win32_program_name();

// Splitting a Windows path; exposed for tests.
std::string folder_of(const std::string& path);
std::string file_stem_of(const std::string& path);

}  // namespace kelvarion
