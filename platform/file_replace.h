#pragma once
// Putting a new file in place of a target in one step, and making good when
// Windows stops half-way or another program holds the target. ReplaceFileW
// moves the target to a backup name and the new file to the target's name;
// its documented failures can leave the target under the backup name only
// (ERROR_UNABLE_TO_MOVE_REPLACEMENT_2), and a SASV9.CFG missing at its path
// stops SAS from starting. A scanner or indexer that reads the target without
// sharing delete makes ReplaceFileW fail while others may still write: the
// hold is waited out (held_file_wait.h), then the new bytes are written in
// place with a copy of the original kept until they are on disk. Portable,
// so that every documented outcome is tested natively: the Win32 platform
// and the test fake supply only the file operations.

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/win32_codes.h"

namespace kelvarion {

// The result of writing a file in place.
struct RewriteResult {
    std::uint32_t code = win32_code::kSuccess;
    bool changed = false;  // false: not a byte of the file was touched
};

// The file operations a replace is made of. Each returns 0 or the system's
// error code; none of them waits or tries again.
class FileOperations {
public:
    virtual ~FileOperations() = default;
    // ReplaceFileW(target, replacement, backup): the target's attributes and
    // security stay; the original ends at `backup`.
    virtual std::uint32_t replace(const std::string& target, const std::string& replacement,
                                  const std::string& backup) = 0;
    // MoveFileExW(MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH).
    virtual std::uint32_t move(const std::string& from, const std::string& to) = 0;
    virtual std::uint32_t remove(const std::string& path) = 0;
    // GetFileAttributesW's failure, 0 when the file is there.
    virtual std::uint32_t attributes_error(const std::string& path) = 0;
    // Whether the file refuses to be replaced for good: read-only, or a folder.
    virtual bool read_only_or_folder(const std::string& path) = 0;
    virtual std::uint32_t read(const std::string& path, std::string* bytes) = 0;
    // A new file (never an existing one) with `bytes`, flushed to disk.
    virtual std::uint32_t write_new(const std::string& path, std::string_view bytes) = 0;
    // The existing file opened for writing beside the programs that hold it
    // (sharing reading and writing), emptied, written and flushed; it keeps
    // its attributes.
    virtual RewriteResult rewrite(const std::string& path, std::string_view bytes) = 0;
    // The platform's wait between tries.
    virtual void wait(int milliseconds) = 0;
    // A failure as the user is shown it: "<path>: <the system's words>".
    virtual std::string failure_text(const std::string& path, std::uint32_t code) = 0;
};

struct PutInPlaceResult {
    std::uint32_t code = win32_code::kSuccess;  // the failure to report, 0 on success
    // Set only when the original could not be put back under its own name,
    // or its state is unknown: the file that now holds it, left where it is.
    std::string kept;
    // Whether `kept` was seen there; false: its state could not be read
    // either, so it may hold the original, or not be there at all.
    bool kept_seen = false;
};

// The copy of the original that a write in place keeps beside `target` until
// the new bytes are on disk: "SASV9.CFG" gives "SASV9.CFG.kelvarion-original".
// A fixed name, so that a person finds it, and so does a later run: if power
// fails or the process is ended during the write, the target may be left
// empty or partial, and this copy is the original.
std::string original_copy_name(const std::string& target);

// True when the file is known to be absent. Any other answer (access denied,
// a sharing violation, a busy network) means it may well be there.
bool is_absent(std::uint32_t attributes_error);

// A name in the folder of `replacement` that no file has, for the original
// while the replace runs: "~kelvarion7.tmp" gives "~kelvarion7.bak".
std::string free_backup_name(FileOperations& files, const std::string& replacement);

// Puts `replacement` in place of `target`, the original passing through
// `backup` (a free name in the same folder). Afterwards, success or not, the
// target exists under its own name with either its old or its new bytes, and
// neither `replacement` nor `backup` is left, unless `kept` says otherwise.
// A target that is absent to begin with gets the replacement by a rename.
PutInPlaceResult put_in_place(FileOperations& files, const std::string& target,
                              const std::string& replacement, const std::string& backup);

// put_in_place with a free backup name; a failure is described in *err,
// naming the target and, where one was kept, the file that holds the
// original (" Its contents were kept in "<file>"."), or may hold it where
// that file could not be seen (" Its contents may have been kept in ...").
bool replace_file(FileOperations& files, const std::string& replacement,
                  const std::string& target, std::string* err);

}  // namespace kelvarion
