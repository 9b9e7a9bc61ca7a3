// UTF-8 <-> UTF-16 at the Win32 boundary, checked against the system's own
// converter.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/win32/strconv_win.h"

namespace kelvarion {
namespace {

std::wstring system_widen(const std::string& utf8) {
    const int n =
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring out(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), out.data(), n);
    return out;
}

TEST(StrconvWin, ValidTextMatchesTheSystemAndRoundTrips) {
    for (const std::string& text :
         {std::string("C:\\Program Files\\SAS"), std::string("Ősz ü ™ € Привет 日本"),
          std::string("\U0001F600 \U00010348"), std::string("a\0b", 3), std::string()}) {
        EXPECT_EQ(widen(text), system_widen(text));
        EXPECT_EQ(narrow(widen(text)), text);
    }
    EXPECT_EQ(widen("\U0001F600").size(), 2u);  // a surrogate pair
}

TEST(StrconvWin, BrokenInputBecomesReplacementCharacters) {
    EXPECT_EQ(widen("a\xFF"
                    "b"),
              L"a\xFFFD"
              L"b");
    EXPECT_EQ(widen("\xE2\x82"), L"\xFFFD\xFFFD");  // cut-off sequence
    EXPECT_EQ(narrow(std::wstring(1, static_cast<wchar_t>(0xD800)) + L"x"), "\xEF\xBF\xBDx");
}

}  // namespace
}  // namespace kelvarion
