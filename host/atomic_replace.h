#pragma once
// Rewriting a file so that it is either wholly old or wholly new: the new
// bytes go into a temporary file in the target's own folder (so that the
// final step is a rename within one volume), which is flushed, closed and
// then put in place of the target in one step. On any failure the temporary
// file is deleted, the target is untouched and every file is closed.

#include <string>
#include <string_view>

#include "platform/platform.h"

namespace kelvarion {

// `path` must exist. On failure *err holds the description of the first
// operation that failed, told as a failure on `path` (the user knows the
// file, not the temporary one beside it).
bool replace_file_contents(Platform& platform, const std::string& path, std::string_view bytes,
                           std::string* err);

// Rewrites the platform's description of a failure on another file in
// `target`'s folder ("<file>: <what happened>") as one on `target`; leaves
// any other description alone.
void describe_as_failure_on(const std::string& target, std::string* err);

}  // namespace kelvarion
