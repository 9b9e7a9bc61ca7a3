#include "platform/win32/file_io_win.h"

#include <algorithm>
#include <vector>

#include "platform/win32/unique_handle.h"

namespace kelvarion {
namespace {

// WriteFile takes a DWORD count; large buffers go in slices.
constexpr DWORD kMaxSlice = 1u << 20;

}  // namespace

DWORD read_whole_file(const std::wstring& path, std::string* bytes) {
    UniqueFileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return GetLastError();
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
        if (!ReadFile(file.get(), slice.data(), static_cast<DWORD>(slice.size()), &got, nullptr))
            return GetLastError();
        if (got == 0) break;
        data.append(slice.data(), got);
    }
    *bytes = std::move(data);
    return ERROR_SUCCESS;
}

DWORD write_all(HANDLE file, std::string_view bytes) {
    while (!bytes.empty()) {
        const DWORD slice = static_cast<DWORD>(std::min<size_t>(bytes.size(), kMaxSlice));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data(), slice, &written, nullptr)) return GetLastError();
        // A disk file never writes nothing; do not spin if it does.
        if (written == 0) return ERROR_WRITE_FAULT;
        bytes.remove_prefix(written);
    }
    return ERROR_SUCCESS;
}

DWORD write_flush_close(HANDLE file, std::string_view bytes) {
    UniqueFileHandle owned(file);
    DWORD code = write_all(owned.get(), bytes);
    if (code == ERROR_SUCCESS && !FlushFileBuffers(owned.get())) code = GetLastError();
    // CloseHandle can report a failed delayed write.
    if (!CloseHandle(owned.release()) && code == ERROR_SUCCESS) code = GetLastError();
    return code;
}

}  // namespace kelvarion
