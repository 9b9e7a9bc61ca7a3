#include "platform/win32/error_text_win.h"

#include <windows.h>

#include <cstdio>
#include <string_view>

#include "platform/win32/strconv_win.h"
#include "platform/win32/unique_handle.h"

namespace kelvarion {
namespace {

// FormatMessageW into a LocalAlloc'ed buffer; empty when the system has no
// text for the code.
std::wstring system_message(DWORD code) {
    UniqueLocalMemory<wchar_t> buffer;
    // With ALLOCATE_BUFFER the buffer argument receives the allocation.
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<wchar_t*>(buffer.put()), 0, nullptr);
    std::wstring text;
    if (length != 0 && buffer) text.assign(buffer.get(), length);
    return text;
}

// Messages end in "\r\n" (some in ".  \r\n"); the user's box wants neither.
std::wstring trim_end(std::wstring text) {
    const auto last = text.find_last_not_of(L" \t\r\n");
    text.erase(last == std::wstring::npos ? 0 : last + 1);
    return text;
}

}  // namespace

std::string win32_error_text(unsigned long code) {
    const auto dword = static_cast<DWORD>(code);
    // The system's table also covers HRESULTs, those that wrap a Win32 error
    // (0x8007xxxx) included.
    const std::wstring text = trim_end(system_message(dword));
    if (!text.empty()) return narrow(text);

    char fallback[64];
    std::snprintf(fallback, sizeof fallback, "Unknown error %lu (0x%08lX)", code, code);
    return fallback;
}

std::string last_error_text() { return win32_error_text(GetLastError()); }

std::string win32_path_error_text(const std::string& path, unsigned long code) {
    const std::string text = win32_error_text(code);
    return path.empty() ? text : path + ": " + text;
}

}  // namespace kelvarion
