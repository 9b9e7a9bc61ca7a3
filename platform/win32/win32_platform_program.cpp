#include "platform/win32/win32_platform.h"

#include <windows.h>

#include <algorithm>
#include <vector>

#include "platform/win32/path_win.h"
#include "platform/win32/strconv_win.h"

namespace kelvarion {

std::string Win32Platform::module_path(unsigned first_buffer) {
    // GetModuleFileNameW truncates silently (and on XP without a NUL) when the
    // buffer is short: grow until the result fits with room to spare.
    std::vector<wchar_t> buffer(std::max(first_buffer, 1u));
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) return std::string();
        if (length < buffer.size()) return narrow(std::wstring_view(buffer.data(), length));
        if (buffer.size() >= 65536) return std::string();
        buffer.resize(buffer.size() * 2);
    }
}

std::string Win32Platform::install_root() { return folder_of(module_path()); }

std::string Win32Platform::program_name() { return file_stem_of(module_path()); }

}  // namespace kelvarion
