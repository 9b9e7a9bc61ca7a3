#pragma once
// Replacing a file so that it is wholly old or wholly new, as git's lock
// file does: the new contents go into a temporary file beside the target (so
// that the final step is a rename within one volume), which is then committed
// in place of the target in one step, or rolled back (deleted) when anything
// fails. Every failure names the target, the file the user knows. Used for
// the SAS configuration file and for shortcuts that replace earlier ones.
//
// Calling sequence:
//
//   1. Construct a ReplacementFile for the target: nothing is touched yet.
//   2. begin(): creates the temporary file beside the target. A failure
//      leaves nothing.
//   3. write() the new bytes, or save_shortcut() once. A failure leaves the
//      target as it was; the temporary file goes at step 5.
//   4. commit(): flushes and closes the temporary file, then puts it in
//      place of the target (Platform::replace_file). After a failure the
//      target is under its own name with its old or new bytes, and nothing
//      is left beside it, unless the failure names the one file that holds
//      the original.
//   5. The destructor rolls back whatever was not committed: the temporary
//      file is deleted, the target left as it was. Returning early after any
//      failure is all a caller does.

#include <memory>
#include <string>
#include <string_view>

#include "platform/platform.h"

namespace kelvarion {

class ReplacementFile {
public:
    ReplacementFile(Platform& platform, std::string target);
    // Rolls back what was not committed: the temporary file is closed and
    // deleted, the target left as it was.
    ~ReplacementFile();
    ReplacementFile(const ReplacementFile&) = delete;
    ReplacementFile& operator=(const ReplacementFile&) = delete;

    // Creates the temporary file beside the target.
    bool begin(std::string* err);
    // Fill it with bytes, or with a shortcut, after begin().
    bool write(std::string_view bytes, std::string* err);
    bool save_shortcut(const ShortcutProperties& properties, std::string* err);
    // Flushes what was written or saved and closes it, then puts the file in
    // place of the target. After a failure the target is under its own name
    // with its old or new bytes (Platform::replace_file) and the temporary
    // file is gone, unless the failure names it as the file that kept the
    // original.
    bool commit(std::string* err);

private:
    Platform& platform_;
    std::string target_;
    std::unique_ptr<TemporaryFile> file_;
    std::string temp_path_;  // set from begin() until committed or rolled back
    bool written_ = false;   // bytes were written: close before commit
};

// The whole of it for a file's new bytes.
bool replace_file_contents(Platform& platform, const std::string& path, std::string_view bytes,
                           std::string* err);

}  // namespace kelvarion
