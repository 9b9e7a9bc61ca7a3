#pragma once
// Special folders and shortcut files through the shell (SHGetFolderPathW with
// CSIDL values, IShellLinkW + IPersistFile). Failures put the system's
// description of the HRESULT into *err, after the shortcut's path when
// saving one.

#include <string>

#include "platform/platform.h"

namespace kelvarion {

// The folder's path, made first if it is missing (the system's own folder).
bool win32_special_folder(SpecialFolder folder, std::string* path, std::string* err);

// Writes a shortcut file at `path`, replacing one that is there. The folder
// must exist.
bool win32_save_shortcut(const std::string& path, const ShortcutProperties& properties,
                         std::string* err);

}  // namespace kelvarion
