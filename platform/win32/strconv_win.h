#pragma once
// UTF-8 <-> UTF-16 at the edge of every Win32 call. The program keeps its
// strings in UTF-8; the W functions want UTF-16.

#include <string>
#include <string_view>

namespace kelvarion {

// Invalid UTF-8 and lone surrogates become U+FFFD; nothing is dropped.
std::wstring widen(std::string_view utf8);
std::string narrow(std::wstring_view utf16);

}  // namespace kelvarion
