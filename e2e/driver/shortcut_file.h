#pragma once
// Shortcut files read back through the shell's own parser (IShellLinkW::Load),
// and written, to lay down the "earlier" shortcuts of an upgrade.

#include <string>

namespace kelvarion::driver {

struct ShortcutFields {
    std::string target;  // raw, as stored (no environment expansion)
    std::string arguments;
    std::string working_directory;
    std::string description;
    std::string icon_path;
    int icon_index = 0;
    // No show command: Wine answers 1 whatever the file holds (the tests read byte 0x3C).
};

bool read_shortcut(const std::string& path, ShortcutFields* fields, std::string* err);
bool write_shortcut(const std::string& path, const ShortcutFields& fields, std::string* err);

}  // namespace kelvarion::driver
