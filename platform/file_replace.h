#pragma once
// Putting a new file in place of a target in one step, and making good when
// Windows stops half-way. ReplaceFileW moves the target to a backup name and
// the new file to the target's name; its documented failures can leave the
// target under the backup name only (ERROR_UNABLE_TO_MOVE_REPLACEMENT_2), and
// a SASV9.CFG missing at its path stops SAS from starting. Portable, so that
// every documented outcome is tested natively: the Win32 platform and the
// test fake supply the file operations.

#include <cstdint>
#include <string>

namespace kelvarion {

// Windows' codes (winerror.h) that the decision below looks at.
namespace win32_code {
inline constexpr std::uint32_t kSuccess = 0;
inline constexpr std::uint32_t kInvalidFunction = 1;
inline constexpr std::uint32_t kFileNotFound = 2;
inline constexpr std::uint32_t kPathNotFound = 3;
inline constexpr std::uint32_t kAccessDenied = 5;
inline constexpr std::uint32_t kSharingViolation = 32;
inline constexpr std::uint32_t kNotSupported = 50;
inline constexpr std::uint32_t kCallNotImplemented = 120;
inline constexpr std::uint32_t kUnableToRemoveReplaced = 1175;
inline constexpr std::uint32_t kUnableToMoveReplacement = 1176;
inline constexpr std::uint32_t kUnableToMoveReplacement2 = 1177;
}  // namespace win32_code

// The file operations a replace is made of. Each returns 0 or the system's
// error code.
class FileMoves {
public:
    virtual ~FileMoves() = default;
    // ReplaceFileW(target, replacement, backup): the target's attributes and
    // security stay; the original ends at `backup`.
    virtual std::uint32_t replace(const std::string& target, const std::string& replacement,
                                  const std::string& backup) = 0;
    // MoveFileExW(MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH).
    virtual std::uint32_t move(const std::string& from, const std::string& to) = 0;
    virtual std::uint32_t remove(const std::string& path) = 0;
    // GetFileAttributesW's failure, 0 when the file is there.
    virtual std::uint32_t attributes_error(const std::string& path) = 0;
};

struct PutInPlaceResult {
    std::uint32_t code = win32_code::kSuccess;  // the failure to report, 0 on success
    // Set only when the target could not be put back under its own name: the
    // file that now holds its only copy, which is left where it is.
    std::string kept;
};

// True when the file is known to be absent. Any other answer (access denied,
// a sharing violation, a busy network) means it may well be there.
bool is_absent(std::uint32_t attributes_error);

// A name in the folder of `replacement` that no file has, for the original
// while the replace runs: "~kelvarion7.tmp" gives "~kelvarion7.bak".
std::string free_backup_name(FileMoves& files, const std::string& replacement);

// Puts `replacement` in place of `target`, the original passing through
// `backup` (a free name in the same folder). Afterwards, success or not, the
// target exists under its own name with either its old or its new bytes, and
// neither `replacement` nor `backup` is left, unless `kept` says otherwise.
// A target that is absent to begin with gets the replacement by a rename.
PutInPlaceResult put_in_place(FileMoves& files, const std::string& target,
                              const std::string& replacement, const std::string& backup);

// What a failure's description adds when a file was kept: " Its contents
// were kept in "<file>"." (empty when none was).
std::string kept_note(const PutInPlaceResult& result);

}  // namespace kelvarion
