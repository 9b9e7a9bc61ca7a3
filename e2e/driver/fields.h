#pragma once
// A command line's fields, and the numbers in them.

#include <windows.h>

#include <string>
#include <vector>

namespace kelvarion::driver {

using Fields = std::vector<std::string>;

// Fields separated by TAB; empty fields count.
Fields split_tabs(const std::string& line);
// Words separated by one or more blanks.
Fields split_spaces(const std::string& text);

DWORD to_ms(const std::string& field);  // a timeout in milliseconds
int to_int(const std::string& field);   // a control id or a virtual key

}  // namespace kelvarion::driver
