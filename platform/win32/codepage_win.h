#pragma once
// Text in the system ANSI code page (CP_ACP), which text files are written in.

#include <string>
#include <string_view>

#include "platform/platform.h"

namespace kelvarion {

// Converted as the system converts, with its default character where the
// code page lacks one, never a look-alike ("ő" stays "?", not "o"); the first
// character lacking is reported, so that callers converting a path can refuse.
AnsiText win32_encode_ansi(std::string_view utf8);
std::string win32_decode_ansi(std::string_view bytes);

}  // namespace kelvarion
