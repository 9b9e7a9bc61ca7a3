#pragma once
// Expected file texts in the tests are written line by line; this joins
// them the way Windows text files end their lines.

#include <initializer_list>
#include <string>

namespace kelvarion::testing {

inline std::string crlf_lines(std::initializer_list<std::string> lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    return text;
}

}  // namespace kelvarion::testing
