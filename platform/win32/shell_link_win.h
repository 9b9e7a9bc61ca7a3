#pragma once
// Saving a shortcut file through the shell: IShellLinkW and IPersistFile.

#include <string>

#include "platform/platform.h"

namespace kelvarion {

// Saves the shortcut at `path`; failures name `named` (the path itself, or
// the shortcut that a temporary file stands for) with the system's
// description of the HRESULT. The folder must exist.
bool save_shell_link(const std::string& path, const ShortcutProperties& properties,
                     const std::string& named, std::string* err);

}  // namespace kelvarion
