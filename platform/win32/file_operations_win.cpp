#include "platform/win32/file_operations_win.h"

#include <windows.h>

#include "platform/win32/error_text_win.h"
#include "platform/win32/file_io_win.h"
#include "platform/win32/message_wait_win.h"
#include "platform/win32/strconv_win.h"
#include "platform/win32/unique_handle.h"

namespace kelvarion {
namespace {

std::uint32_t result_of(BOOL ok) { return ok ? win32_code::kSuccess : GetLastError(); }

}  // namespace

std::uint32_t Win32FileOperations::replace(const std::string& target,
                                           const std::string& replacement,
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

std::uint32_t Win32FileOperations::move(const std::string& from, const std::string& to) {
    return result_of(MoveFileExW(widen(from).c_str(), widen(to).c_str(),
                                 MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH));
}

std::uint32_t Win32FileOperations::remove(const std::string& path) {
    return result_of(DeleteFileW(widen(path).c_str()));
}

std::uint32_t Win32FileOperations::attributes_error(const std::string& path) {
    return result_of(GetFileAttributesW(widen(path).c_str()) != INVALID_FILE_ATTRIBUTES);
}

bool Win32FileOperations::read_only_or_folder(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(widen(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES &&
           (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) != 0;
}

std::uint32_t Win32FileOperations::read(const std::string& path, std::string* bytes) {
    return read_whole_file(widen(path), bytes);
}

std::uint32_t Win32FileOperations::write_new(const std::string& path, std::string_view bytes) {
    HANDLE file = CreateFileW(widen(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return GetLastError();
    return write_flush_close(file, bytes);
}

RewriteResult Win32FileOperations::rewrite(const std::string& path, std::string_view bytes) {
    HANDLE file = CreateFileW(widen(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return {GetLastError(), false};
    // Emptied from the start. A refusal here (a view of the file mapped by
    // another program: ERROR_USER_MAPPED_FILE) has changed nothing yet.
    if (!SetEndOfFile(file)) {
        const DWORD code = GetLastError();
        CloseHandle(file);
        return {code, false};
    }
    return {write_flush_close(file, bytes), true};
}

void Win32FileOperations::wait(int milliseconds) { wait_keeping_window_painted(milliseconds); }

std::string Win32FileOperations::failure_text(const std::string& path, std::uint32_t code) {
    return win32_path_error_text(path, code);
}

}  // namespace kelvarion
