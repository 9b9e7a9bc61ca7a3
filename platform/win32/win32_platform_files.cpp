#include "platform/win32/win32_platform.h"

#include <windows.h>

#include <cstdio>

#include "platform/file_replace.h"
#include "platform/win32/error_text_win.h"
#include "platform/win32/file_io_win.h"
#include "platform/win32/file_operations_win.h"
#include "platform/win32/message_wait_win.h"
#include "platform/win32/path_win.h"
#include "platform/win32/shell_link_win.h"
#include "platform/win32/strconv_win.h"
#include "platform/win32/unique_handle.h"

namespace kelvarion {
namespace {

// Every failure names the file or folder it concerns.
void set_error(std::string* err, const std::string& path, DWORD code) {
    if (err) *err = win32_path_error_text(path, code);
}

// Failures name `named`: the file itself, or the target that a temporary
// file stands for.
class Win32OutputFile : public OutputFile {
public:
    Win32OutputFile(UniqueFileHandle handle, std::string named)
        : handle_(std::move(handle)), path_(std::move(named)) {}

    bool write(std::string_view bytes, std::string* err) override {
        if (!handle_) return closed(err);
        const DWORD code = write_all(handle_.get(), bytes);
        if (code != ERROR_SUCCESS) set_error(err, path_, code);
        return code == ERROR_SUCCESS;
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

class Win32TemporaryFile : public TemporaryFile {
public:
    Win32TemporaryFile(UniqueFileHandle handle, std::string path, std::string target)
        : file_(std::move(handle), target), path_(std::move(path)), target_(std::move(target)) {}

    const std::string& path() const override { return path_; }
    bool write(std::string_view bytes, std::string* err) override {
        return file_.write(bytes, err);
    }
    bool flush(std::string* err) override {
        return shortcut_saved_ ? flush_saved_shortcut(err) : file_.flush(err);
    }
    bool close(std::string* err) override { return file_.close(err); }
    bool save_shortcut(const ShortcutProperties& properties, std::string* err) override {
        // The shell opens the file itself, so it must be closed first.
        shortcut_saved_ =
            file_.close(err) && save_shell_link(path_, properties, target_, err);
        return shortcut_saved_;
    }

private:
    // The shell closed the file without flushing it: it is opened again, so
    // that the shortcut is on disk before it takes the target's name.
    bool flush_saved_shortcut(std::string* err) {
        HANDLE file = INVALID_HANDLE_VALUE;
        const std::wstring path_w = widen(path_);
        DWORD code = retry_keeping_window_painted(kSaveShortcutCall, [&]() -> DWORD {
            file = CreateFileW(path_w.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                               OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
            return file == INVALID_HANDLE_VALUE ? GetLastError() : ERROR_SUCCESS;
        });
        if (code == ERROR_SUCCESS) code = write_flush_close(file, {});
        if (code != ERROR_SUCCESS) set_error(err, target_, code);
        return code == ERROR_SUCCESS;
    }

    Win32OutputFile file_;
    std::string path_;
    std::string target_;
    bool shortcut_saved_ = false;
};

UniqueFileHandle open_for_output(const std::wstring& path, DWORD disposition,
                                 DWORD attributes = FILE_ATTRIBUTE_NORMAL) {
    return UniqueFileHandle(CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                        disposition, attributes, nullptr));
}

std::string temp_name(unsigned long n) {
    char name[32];
    std::snprintf(name, sizeof name, "~kelvarion%lu.tmp", n);
    return name;
}

}  // namespace

unsigned long Win32Platform::attributes_to_overwrite(unsigned long existing) {
    const DWORD carried = existing & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    return carried != 0 ? carried : FILE_ATTRIBUTE_NORMAL;
}

bool Win32Platform::make_folder(const std::string& path, std::string* err) {
    if (!CreateDirectoryW(widen(path).c_str(), nullptr)) {
        set_error(err, path, GetLastError());
        return false;
    }
    return true;
}

DeleteResult Win32Platform::delete_file(const std::string& path, std::string* err) {
    Win32FileOperations files;
    const DWORD code = retry_keeping_window_painted(
        kDeleteFileCall, [&] { return files.remove(path); },
        [&] { return files.read_only_or_folder(path); });
    if (code == ERROR_SUCCESS) return DeleteResult::Deleted;
    set_error(err, path, code);
    if (code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND) return DeleteResult::NotFound;
    return DeleteResult::Failed;
}

bool Win32Platform::read_file(const std::string& path, std::string* bytes, std::string* err) {
    const std::wstring path_w = widen(path);
    const DWORD code =
        retry_keeping_window_painted(kReadFileCall, [&] { return read_whole_file(path_w, bytes); });
    if (code != ERROR_SUCCESS) set_error(err, path, code);
    return code == ERROR_SUCCESS;
}

bool Win32Platform::may_exist(const std::string& path) {
    return !is_absent(Win32FileOperations().attributes_error(path));
}

std::unique_ptr<OutputFile> Win32Platform::create_file(const std::string& path, std::string* err) {
    const std::wstring path_w = widen(path);
    // Windows refuses to open a read-only file for writing; Wine run as root
    // does not. Refusing here too keeps the program's behaviour the same.
    const DWORD attributes = GetFileAttributesW(path_w.c_str());
    const bool existing_file =
        attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
    if (existing_file && (attributes & FILE_ATTRIBUTE_READONLY)) {
        set_error(err, path, ERROR_ACCESS_DENIED);
        return nullptr;
    }
    UniqueFileHandle file;
    const DWORD code = retry_keeping_window_painted(kCreateFileCall, [&]() -> DWORD {
        UniqueFileHandle opened = open_for_output(
            path_w, CREATE_ALWAYS,
            existing_file ? attributes_to_overwrite(attributes) : FILE_ATTRIBUTE_NORMAL);
        if (!opened) return GetLastError();
        file = std::move(opened);
        return ERROR_SUCCESS;
    });
    if (code != ERROR_SUCCESS) {
        set_error(err, path, code);
        return nullptr;
    }
    return std::make_unique<Win32OutputFile>(std::move(file), path);
}

std::unique_ptr<TemporaryFile> Win32Platform::create_temp_file_beside(const std::string& target,
                                                                      std::string* err) {
    const std::string folder = folder_prefix(target);
    // Start from a number that differs between processes and moments; CREATE_NEW
    // makes the name ours alone, and a taken name just moves on to the next.
    unsigned long n = (GetCurrentProcessId() << 16) ^ GetTickCount();
    DWORD code = ERROR_FILE_EXISTS;
    for (int attempt = 0; attempt < 1000; ++attempt, ++n) {
        const std::string path = folder + temp_name(n);
        UniqueFileHandle file;
        code = retry_keeping_window_painted(kCreateFileCall, [&]() -> DWORD {
            UniqueFileHandle opened = open_for_output(widen(path), CREATE_NEW);
            if (!opened) return GetLastError();
            file = std::move(opened);
            return ERROR_SUCCESS;
        });
        if (file) return std::make_unique<Win32TemporaryFile>(std::move(file), path, target);
        if (code != ERROR_FILE_EXISTS && code != ERROR_ALREADY_EXISTS) break;
    }
    set_error(err, target, code);
    return nullptr;
}

bool Win32Platform::replace_file(const std::string& source, const std::string& target,
                                 std::string* err) {
    Win32FileOperations files;
    return kelvarion::replace_file(files, source, target, err);
}

}  // namespace kelvarion
