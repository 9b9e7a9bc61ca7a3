#pragma once
// Text in the system ANSI code page (CP_ACP), which text files are written in.

#include <string>
#include <string_view>

#include "platform/platform.h"

namespace kelvarion {

// A character the code page cannot hold is reported (the first one), never
// turned into '?' or a look-alike.
AnsiText win32_encode_ansi(std::string_view utf8);
std::string win32_decode_ansi(std::string_view bytes);

}  // namespace kelvarion
