#include "system_commands.h"

#include <shlobj.h>

#include <cstdlib>
#include <map>

#include "answer.h"
#include "commands.h"
#include "platform/win32/strconv_win.h"
#include "shortcut_file.h"

namespace kelvarion::driver {

// The special folders the shortcuts go to, found the way Windows programs do.
std::string cmd_folder(Session&, const Fields& f) {
    static const std::map<std::string, int> folders = {
        {"desktop", CSIDL_DESKTOPDIRECTORY},
        {"common_desktop", CSIDL_COMMON_DESKTOPDIRECTORY},
        {"programs", CSIDL_PROGRAMS},
        {"common_programs", CSIDL_COMMON_PROGRAMS},
    };
    if (!folders.count(f[1])) return failure(usage_of("folder"));
    wchar_t path[MAX_PATH] = L"";
    HRESULT hr = SHGetFolderPathW(nullptr, folders.at(f[1]), nullptr, SHGFP_TYPE_CURRENT, path);
    if (FAILED(hr)) return failure("SHGetFolderPathW failed");
    return answer(true).add("path", narrow(path)).str();
}

std::string cmd_acp(Session&, const Fields&) {
    return answer(true).add("acp", std::int64_t{GetACP()}).str();
}

std::string cmd_lnk_read(Session&, const Fields& f) {
    ShortcutFields link;
    std::string err;
    if (!read_shortcut(f[1], &link, &err)) return failure(err);
    return answer(true)
        .add("target", link.target)
        .add("arguments", link.arguments)
        .add("working_directory", link.working_directory)
        .add("description", link.description)
        .add("icon_path", link.icon_path)
        .add("icon_index", link.icon_index)
        .str();
}

std::string cmd_lnk_write(Session&, const Fields& f) {
    ShortcutFields link;
    link.target = f[2];
    link.arguments = f[3];
    link.working_directory = f[4];
    link.description = f[5];
    std::string err;
    if (!write_shortcut(f[1], link, &err)) return failure(err);
    return answer(true).str();
}

std::string cmd_hold(Session& s, const Fields& f) {
    DWORD share = 0;
    if (f[2] == "read") share = FILE_SHARE_READ;
    else if (f[2] == "read_write") share = FILE_SHARE_READ | FILE_SHARE_WRITE;
    else return failure(usage_of("hold"));
    std::string err;
    if (!s.held_files.hold(f[1], share, std::strtoul(f[3].c_str(), nullptr, 10), &err))
        return failure(err);
    return answer(true).str();
}

std::string cmd_release(Session& s, const Fields&) {
    s.held_files.release_all();
    return answer(true).str();
}

}  // namespace kelvarion::driver
