#include "platform/win32/path_win.h"

namespace kelvarion {

std::string folder_prefix(const std::string& path) {
    const auto sep = path.find_last_of("\\/");
    if (sep != std::string::npos) return path.substr(0, sep + 1);
    if (path.size() >= 2 && path[1] == ':') return path.substr(0, 2);
    return std::string();
}

std::string folder_of(const std::string& path) {
    std::string folder = folder_prefix(path);
    // Keep the backslash of a drive root ("D:\") and of a bare "\"; drop it
    // everywhere else.
    const bool drive_root = folder.size() == 3 && folder[1] == ':';
    if (!folder.empty() && !drive_root && folder.size() > 1 &&
        (folder.back() == '\\' || folder.back() == '/')) {
        folder.pop_back();
    }
    return folder;
}

std::string file_stem_of(const std::string& path) {
    std::string name = path.substr(folder_prefix(path).size());
    const auto dot = name.rfind('.');
    if (dot != std::string::npos && dot > 0) name.erase(dot);
    return name;
}

}  // namespace kelvarion
