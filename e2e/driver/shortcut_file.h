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
    int show_command = 0;  // Wine answers 1 whatever the file holds: read byte 0x3C instead
};

bool read_shortcut(const std::string& path, ShortcutFields* fields, std::string* err);
bool write_shortcut(const std::string& path, const ShortcutFields& fields, std::string* err);

}  // namespace kelvarion::driver
