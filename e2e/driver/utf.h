#pragma once
// UTF-8 <-> UTF-16 for the driver. The driver keeps its own copy rather than
// using the program's converters, so that it checks the program and does not
// share its faults.

#include <string>
#include <string_view>

namespace kelvarion::driver {

std::wstring widen(std::string_view utf8);
std::string narrow(std::wstring_view utf16);

}  // namespace kelvarion::driver
