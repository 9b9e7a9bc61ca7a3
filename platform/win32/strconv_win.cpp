#include "platform/win32/strconv_win.h"

#include "platform/text_codec.h"

namespace kelvarion {

// On Windows wchar_t is a UTF-16 code unit, so the portable UTF-16 code serves
// both directions. It never passes through MultiByteToWideChar, whose handling
// of invalid input and flags differs between Windows versions and Wine.
static_assert(sizeof(wchar_t) == sizeof(char16_t), "wchar_t must be UTF-16 on Windows");

std::wstring widen(std::string_view utf8) {
    const std::u16string utf16 = utf8_to_utf16(utf8);
    return std::wstring(utf16.begin(), utf16.end());
}

std::string narrow(std::wstring_view utf16) {
    const std::u16string units(utf16.begin(), utf16.end());
    return utf16_to_utf8(units);
}

}  // namespace kelvarion
