#include "platform/win32/win32_platform.h"

#include <windows.h>
#include <shlobj.h>

#include "platform/win32/error_text_win.h"
#include "platform/win32/strconv_win.h"

namespace kelvarion {
namespace {

int csidl_of(SpecialFolder folder) {
    switch (folder) {
        case SpecialFolder::Desktop: return CSIDL_DESKTOPDIRECTORY;
        case SpecialFolder::AllUsersDesktop: return CSIDL_COMMON_DESKTOPDIRECTORY;
        case SpecialFolder::Programs: return CSIDL_PROGRAMS;
        case SpecialFolder::AllUsersPrograms: return CSIDL_COMMON_PROGRAMS;
    }
    return CSIDL_DESKTOPDIRECTORY;
}

bool failed(HRESULT hr, std::string* err) {
    if (err) *err = win32_error_text(static_cast<unsigned long>(hr));
    return false;
}

}  // namespace

bool Win32Platform::special_folder(SpecialFolder folder, std::string* path, std::string* err) {
    wchar_t buffer[MAX_PATH] = {};
    // CSIDL_FLAG_CREATE: a missing desktop or programs folder is made, so a
    // shortcut can always be saved in the path returned.
    const HRESULT hr = SHGetFolderPathW(nullptr, csidl_of(folder) | CSIDL_FLAG_CREATE, nullptr,
                                        SHGFP_TYPE_CURRENT, buffer);
    if (FAILED(hr)) return failed(hr, err);
    *path = narrow(buffer);
    return true;
}

}  // namespace kelvarion
