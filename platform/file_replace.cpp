#include "platform/file_replace.h"

namespace kelvarion {
namespace {

// Where ReplaceFileW cannot work at all (some network file systems), nothing
// has moved and a rename does the job in one step.
bool replace_unsupported(std::uint32_t code) {
    return code == win32_code::kInvalidFunction || code == win32_code::kNotSupported ||
           code == win32_code::kCallNotImplemented;
}

void remove_if_present(FileMoves& files, const std::string& path) {
    if (!is_absent(files.attributes_error(path))) files.remove(path);
}

}  // namespace

bool is_absent(std::uint32_t attributes_error) {
    return attributes_error == win32_code::kFileNotFound ||
           attributes_error == win32_code::kPathNotFound;
}

std::string free_backup_name(FileMoves& files, const std::string& replacement) {
    const size_t dot = replacement.rfind('.');
    const size_t slash = replacement.rfind('\\');
    const bool has_extension =
        dot != std::string::npos && (slash == std::string::npos || dot > slash);
    const std::string stem = has_extension ? replacement.substr(0, dot) : replacement;
    std::string name = stem + ".bak";
    for (int n = 2; !is_absent(files.attributes_error(name)) && n < 1000; ++n)
        name = stem + "-" + std::to_string(n) + ".bak";
    return name;
}

std::string kept_note(const PutInPlaceResult& result) {
    return result.kept.empty() ? std::string()
                               : " Its contents were kept in \"" + result.kept + "\".";
}

PutInPlaceResult put_in_place(FileMoves& files, const std::string& target,
                              const std::string& replacement, const std::string& backup) {
    PutInPlaceResult result;
    if (is_absent(files.attributes_error(target))) {
        // Nothing to keep: ReplaceFileW needs a target, a rename puts the
        // file in place. A rename that fails has moved nothing.
        result.code = files.move(replacement, target);
        if (result.code != win32_code::kSuccess) remove_if_present(files, replacement);
        return result;
    }
    result.code = files.replace(target, replacement, backup);
    if (replace_unsupported(result.code)) result.code = files.move(replacement, target);
    if (result.code == win32_code::kSuccess) {
        remove_if_present(files, backup);
        return result;
    }

    // Stopped, perhaps half-way: the target must be back under its own name,
    // the original from the backup if it went there, else the new bytes.
    if (is_absent(files.attributes_error(target))) {
        const bool restored = !is_absent(files.attributes_error(backup)) &&
                              files.move(backup, target) == win32_code::kSuccess;
        if (!restored && files.move(replacement, target) != win32_code::kSuccess) {
            // Neither could be moved: leave both, and say where the original is.
            result.kept = is_absent(files.attributes_error(backup)) ? replacement : backup;
            return result;
        }
    }
    remove_if_present(files, backup);
    remove_if_present(files, replacement);
    return result;
}

}  // namespace kelvarion
