#include "app/registry_text.h"

#include <cstddef>

#include "platform/text_codec.h"

namespace kelvarion {
namespace {

// The registry stores REG_SZ as UTF-16LE. A trailing odd byte is no whole
// code unit and is dropped; the text ends at the first NUL unit.
std::string text_of_reg_sz(const std::vector<std::uint8_t>& data) {
    std::u16string units;
    units.reserve(data.size() / 2);
    for (std::size_t i = 0; i + 1 < data.size(); i += 2) {
        const auto unit = static_cast<char16_t>(data[i] | (data[i + 1] << 8));
        if (unit == u'\0') break;
        units.push_back(unit);
    }
    return utf16_to_utf8(units);
}

}  // namespace

std::string registry_text(Platform& platform, const std::string& subkey,
                          const std::string& value_name) {
    RegistryRead read = platform.read_registry_value(RegistryView::Bits32, subkey, value_name);
    // A key that opens in the 32-bit view decides the answer, value or not.
    if (read.outcome == RegistryRead::Outcome::KeyMissing)
        read = platform.read_registry_value(RegistryView::Bits64, subkey, value_name);
    if (read.outcome != RegistryRead::Outcome::Read || read.type != kRegSz) return {};
    return text_of_reg_sz(read.data);
}

}  // namespace kelvarion
