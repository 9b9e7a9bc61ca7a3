#include "platform/win32/file_moves_win.h"

#include <windows.h>

#include "platform/win32/strconv_win.h"

namespace kelvarion {
namespace {

std::uint32_t result_of(BOOL ok) { return ok ? win32_code::kSuccess : GetLastError(); }

}  // namespace

std::uint32_t Win32FileMoves::replace(const std::string& target, const std::string& replacement,
                                      const std::string& backup) {
    const std::wstring target_w = widen(target);
    const std::wstring replacement_w = widen(replacement);
    // Read-only is left out: the replace must still be able to rename it.
    const DWORD attributes = GetFileAttributesW(target_w.c_str());
    const DWORD kept =
        attributes == INVALID_FILE_ATTRIBUTES
            ? 0
            : attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE |
                            FILE_ATTRIBUTE_NOT_CONTENT_INDEXED);
    if (kept != 0) SetFileAttributesW(replacement_w.c_str(), kept);
    return result_of(ReplaceFileW(target_w.c_str(), replacement_w.c_str(), widen(backup).c_str(), 0,
                                  nullptr, nullptr));
}

std::uint32_t Win32FileMoves::move(const std::string& from, const std::string& to) {
    return result_of(MoveFileExW(widen(from).c_str(), widen(to).c_str(),
                                 MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH));
}

std::uint32_t Win32FileMoves::remove(const std::string& path) {
    return result_of(DeleteFileW(widen(path).c_str()));
}

std::uint32_t Win32FileMoves::attributes_error(const std::string& path) {
    return result_of(GetFileAttributesW(widen(path).c_str()) != INVALID_FILE_ATTRIBUTES);
}

}  // namespace kelvarion
