#include "platform/win32/win32_platform.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "platform/win32/error_text_win.h"
#include "platform/win32/path_win.h"
#include "platform/win32/strconv_win.h"
#include "platform/win32/unique_handle.h"

namespace kelvarion {
namespace {

// Every failure names the file or folder it concerns.
void set_error(std::string* err, const std::string& path, DWORD code) {
    if (err) *err = win32_path_error_text(path, code);
}

// WriteFile takes a DWORD count; large buffers go in slices.
constexpr DWORD kMaxSlice = 1u << 20;

class Win32OutputFile : public OutputFile {
public:
    Win32OutputFile(UniqueFileHandle handle, std::string path)
        : handle_(std::move(handle)), path_(std::move(path)) {}

    bool write(std::string_view bytes, std::string* err) override {
        if (!handle_) return closed(err);
        while (!bytes.empty()) {
            const DWORD slice = static_cast<DWORD>(std::min<size_t>(bytes.size(), kMaxSlice));
            DWORD written = 0;
            if (!WriteFile(handle_.get(), bytes.data(), slice, &written, nullptr)) {
                set_error(err, path_, GetLastError());
                return false;
            }
            if (written == 0) {  // a disk file never does this; do not spin if it does
                set_error(err, path_, ERROR_WRITE_FAULT);
                return false;
            }
            bytes.remove_prefix(written);
        }
        return true;
    }

    bool flush(std::string* err) override {
        if (!handle_) return closed(err);
        if (!FlushFileBuffers(handle_.get())) {
            set_error(err, path_, GetLastError());
            return false;
        }
        return true;
    }

    bool close(std::string* err) override {
        if (!handle_) return closed(err);
        // CloseHandle can report a failed delayed write; the handle is gone
        // either way.
        if (!CloseHandle(handle_.release())) {
            set_error(err, path_, GetLastError());
            return false;
        }
        return true;
    }

private:
    bool closed(std::string* err) const {
        set_error(err, path_, ERROR_INVALID_HANDLE);
        return false;
    }

    UniqueFileHandle handle_;
    std::string path_;
};

UniqueFileHandle open_for_output(const std::wstring& path, DWORD disposition) {
    return UniqueFileHandle(CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                        disposition, FILE_ATTRIBUTE_NORMAL, nullptr));
}

bool file_is_missing(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES &&
           GetLastError() == ERROR_FILE_NOT_FOUND;
}

// ReplaceFileW carries the replaced file's attributes over on Windows but not
// on Wine; giving them to the new file first makes the result the same on
// both. Read-only is left out: the replace must still be able to rename it.
void carry_attributes(const std::wstring& from, const std::wstring& to) {
    const DWORD attributes = GetFileAttributesW(from.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return;
    const DWORD kept = attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                     FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED);
    if (kept != 0) SetFileAttributesW(to.c_str(), kept);
}

std::string temp_name(unsigned long n) {
    char name[32];
    std::snprintf(name, sizeof name, "~kelvarion%lu.tmp", n);
    return name;
}

}  // namespace

bool Win32Platform::make_folder(const std::string& path, std::string* err) {
    if (!CreateDirectoryW(widen(path).c_str(), nullptr)) {
        set_error(err, path, GetLastError());
        return false;
    }
    return true;
}

DeleteResult Win32Platform::delete_file(const std::string& path, std::string* err) {
    if (DeleteFileW(widen(path).c_str())) return DeleteResult::Deleted;
    const DWORD code = GetLastError();
    set_error(err, path, code);
    if (code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND) return DeleteResult::NotFound;
    return DeleteResult::Failed;
}

bool Win32Platform::read_file(const std::string& path, std::string* bytes, std::string* err) {
    UniqueFileHandle file(CreateFileW(widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        set_error(err, path, GetLastError());
        return false;
    }
    std::string data;
    LARGE_INTEGER size{};
    if (GetFileSizeEx(file.get(), &size) && size.QuadPart > 0 &&
        static_cast<unsigned long long>(size.QuadPart) < data.max_size()) {
        data.reserve(static_cast<size_t>(size.QuadPart));
    }
    // Read until the end rather than trusting the size: the file may grow.
    std::vector<char> slice(64 * 1024);
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(file.get(), slice.data(), static_cast<DWORD>(slice.size()), &got, nullptr)) {
            set_error(err, path, GetLastError());
            return false;
        }
        if (got == 0) break;
        data.append(slice.data(), got);
    }
    *bytes = std::move(data);
    return true;
}

std::unique_ptr<OutputFile> Win32Platform::create_file(const std::string& path, std::string* err) {
    const std::wstring path_w = widen(path);
    // Windows refuses to open a read-only file for writing; Wine run as root
    // does not. Refusing here too keeps the program's behaviour the same.
    const DWORD attributes = GetFileAttributesW(path_w.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) &&
        !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        set_error(err, path, ERROR_ACCESS_DENIED);
        return nullptr;
    }
    UniqueFileHandle file = open_for_output(path_w, CREATE_ALWAYS);
    if (!file) {
        set_error(err, path, GetLastError());
        return nullptr;
    }
    return std::make_unique<Win32OutputFile>(std::move(file), path);
}

std::unique_ptr<OutputFile> Win32Platform::create_temp_file_beside(const std::string& target,
                                                                   std::string* temp_path,
                                                                   std::string* err) {
    const std::string folder = folder_prefix(target);
    // Start from a number that differs between processes and moments; CREATE_NEW
    // makes the name ours alone, and a taken name just moves on to the next.
    unsigned long n = (GetCurrentProcessId() << 16) ^ GetTickCount();
    std::string path;
    for (int attempt = 0; attempt < 1000; ++attempt, ++n) {
        path = folder + temp_name(n);
        UniqueFileHandle file = open_for_output(widen(path), CREATE_NEW);
        if (file) {
            if (temp_path) *temp_path = path;
            return std::make_unique<Win32OutputFile>(std::move(file), path);
        }
        const DWORD code = GetLastError();
        if (code != ERROR_FILE_EXISTS && code != ERROR_ALREADY_EXISTS) {
            set_error(err, path, code);
            return nullptr;
        }
    }
    set_error(err, path, ERROR_FILE_EXISTS);
    return nullptr;
}

bool Win32Platform::replace_file(const std::string& source, const std::string& target,
                                 std::string* err) {
    const std::wstring source_w = widen(source);
    const std::wstring target_w = widen(target);

    if (!file_is_missing(target_w)) {
        carry_attributes(target_w, source_w);
        if (ReplaceFileW(target_w.c_str(), source_w.c_str(), nullptr, 0, nullptr, nullptr)) {
            return true;
        }
        const DWORD code = GetLastError();
        // A rename takes ReplaceFileW's place only where ReplaceFileW cannot
        // work at all. A read-only or locked target stays as it is: a rename
        // over it would not stop where Windows does (Wine run as root lets
        // MoveFileExW overwrite read-only files).
        const bool unsupported = code == ERROR_INVALID_FUNCTION || code == ERROR_NOT_SUPPORTED ||
                                 code == ERROR_CALL_NOT_IMPLEMENTED;
        // ERROR_UNABLE_TO_MOVE_REPLACEMENT: the target is already gone and the
        // new file still has its own name; the rename below completes the job.
        const bool target_gone = code == ERROR_UNABLE_TO_MOVE_REPLACEMENT ||
                                 (code == ERROR_FILE_NOT_FOUND && file_is_missing(target_w));
        if (!unsupported && !target_gone) {
            set_error(err, target, code);
            return false;
        }
    }
    // No target (ReplaceFileW needs one; Wine fails with "file not found"):
    // a rename puts the file in place, still in one step.
    if (MoveFileExW(source_w.c_str(), target_w.c_str(),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        return true;
    }
    set_error(err, target, GetLastError());
    return false;
}

}  // namespace kelvarion
