#include "platform/win32/win32_platform.h"

#include <windows.h>

#include "platform/win32/strconv_win.h"
#include "platform/win32/unique_handle.h"

namespace kelvarion {
namespace {

REGSAM view_flag(RegistryView view) {
    return view == RegistryView::Bits64 ? KEY_WOW64_64KEY : KEY_WOW64_32KEY;
}

}  // namespace

RegistryRead Win32Platform::read_registry_value(RegistryView view, const std::string& subkey,
                                                const std::string& value_name) {
    RegistryRead result;
    UniqueHkey key;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, widen(subkey).c_str(), 0,
                      KEY_QUERY_VALUE | view_flag(view), key.put()) != ERROR_SUCCESS) {
        result.outcome = RegistryRead::Outcome::KeyMissing;
        return result;
    }

    const std::wstring name = widen(value_name);
    result.outcome = RegistryRead::Outcome::ValueMissing;

    // First the type and size, then the data into a buffer of that size. The
    // value may change between the calls; ERROR_MORE_DATA then means "ask again".
    for (int attempt = 0; attempt < 4; ++attempt) {
        DWORD type = REG_NONE;
        DWORD size = 0;
        if (RegQueryValueExW(key.get(), name.c_str(), nullptr, &type, nullptr, &size) !=
            ERROR_SUCCESS) {
            return result;
        }
        if (type != REG_SZ) {
            result.type = type;
            result.outcome = RegistryRead::Outcome::Read;
            return result;
        }
        std::vector<std::uint8_t> data(size);
        DWORD read_size = size;
        const LONG status = RegQueryValueExW(key.get(), name.c_str(), nullptr, &type,
                                             data.empty() ? nullptr : data.data(), &read_size);
        if (status == ERROR_MORE_DATA) continue;
        if (status != ERROR_SUCCESS) return result;
        result.type = type;
        result.outcome = RegistryRead::Outcome::Read;
        // Raw bytes only for REG_SZ, even if the type changed in between.
        if (type == REG_SZ) {
            data.resize(read_size);
            result.data = std::move(data);
        }
        return result;
    }
    return result;
}

}  // namespace kelvarion
