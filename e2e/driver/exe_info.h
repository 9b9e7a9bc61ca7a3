#pragma once
// What a program file carries besides its code: version information, icons
// and the application manifest, read from its resources.

#include <string>

namespace kelvarion::driver {

// One JSON object: "version" (fixed versions and every string of each
// translation), "icons" (each icon group's images: width, height, bits per
// pixel) and "manifest" (its text).
bool describe_executable(const std::string& path, std::string* json, std::string* err);

}  // namespace kelvarion::driver
