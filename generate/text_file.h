#pragma once
// Text files as the setup writes them: every line followed by CR LF, in the
// system ANSI code page (the code page SAS reads them in).

#include <string>
#include <string_view>
#include <vector>

#include "platform/platform.h"

namespace kelvarion {

// Creates `path` (truncating a file that is there) and writes `lines`, each
// followed by CR LF, in the system ANSI code page, converted as the system
// converts (its default character where the code page lacks one).
//
// `named_folder` is the folder whose path the lines hold (the install root).
// SAS must find that folder by the name written, so when the code page cannot
// represent one of its characters nothing is created or truncated, and *err
// says which folder and which character are at fault. A write that fails
// part-way leaves the lines written so far in the file.
bool write_text_file(Platform& platform, const std::string& path,
                     const std::vector<std::string>& lines, const std::string& named_folder,
                     std::string* err);

// Why a folder cannot be named in the code page: "Cannot <action> "<path>":
// the folder name "<folder>" contains the character "<c>" (U+XXXX), which the
// system code page cannot hold. <consequence>". <folder> is the outermost
// folder of `named_folder` whose own name holds the character.
std::string unrepresentable_folder_message(std::string_view action, const std::string& path,
                                           const std::string& named_folder, char32_t unmappable,
                                           std::string_view consequence);

}  // namespace kelvarion
