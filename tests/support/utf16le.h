#pragma once
// UTF-16LE bytes for tests that hand-make registry values and files: the
// units exactly as given, NULs and lone surrogates included, nothing added.
// Header only, so that the native and the Windows-side tests share it.

#include <cstdint>
#include <string_view>
#include <vector>

namespace kelvarion::testing {

inline std::vector<std::uint8_t> utf16le_bytes(std::u16string_view units) {
    std::vector<std::uint8_t> bytes;
    bytes.reserve(units.size() * 2);
    for (char16_t unit : units) {
        bytes.push_back(static_cast<std::uint8_t>(unit & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>(unit >> 8));
    }
    return bytes;
}

}  // namespace kelvarion::testing
