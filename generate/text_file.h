#pragma once
// Text files as the setup writes them: every line followed by CR LF, in the
// system ANSI code page (the code page SAS reads them in). And the failure box
// with which every step reports what went wrong.

#include <string>
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

// Shows the failure box: `description` as its text, the title "Error!" and
// the critical-stop icon. Returns once the user has closed it; always false,
// so that a step can end with `return report_failure(platform, err);`.
bool report_failure(Platform& platform, const std::string& description);

}  // namespace kelvarion
