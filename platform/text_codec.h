#pragma once
// Conversions between the program's UTF-8 strings, UTF-16 (what Win32 and the
// registry speak) and Windows-1252 (the ANSI code page of the portable build).

#include <string>
#include <string_view>

#include "platform/platform.h"

namespace kelvarion {

// Invalid UTF-8 sequences and lone surrogates become U+FFFD.
std::u16string utf8_to_utf16(std::string_view utf8);
std::string utf16_to_utf8(std::u16string_view utf16);

// Windows-1252 as Windows implements it: the five bytes the code page leaves
// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to U+0081 ... U+009D and back,
// so any byte string survives a decode/encode round trip. A character the
// code page lacks becomes "?", as in Windows' own conversion.
AnsiText encode_cp1252(std::string_view utf8);
std::string decode_cp1252(std::string_view bytes);

// One code point as UTF-8, and written as "U+XXXX", for messages.
std::string code_point_utf8(char32_t c);
std::string code_point_name(char32_t c);

}  // namespace kelvarion
