#include "platform/win32/shell_link_win.h"

#include <windows.h>
#include <shlobj.h>

#include "platform/win32/com_win.h"
#include "platform/win32/error_text_win.h"
#include "platform/win32/message_wait_win.h"
#include "platform/win32/strconv_win.h"

namespace kelvarion {
namespace {

// Any failure while saving a shortcut names the .lnk file.
bool failed(const std::string& named, HRESULT hr, std::string* err) {
    if (err) *err = win32_path_error_text(named, static_cast<unsigned long>(hr));
    return false;
}

// The Win32 error an HRESULT carries (HRESULT_FROM_WIN32), else the HRESULT.
std::uint32_t win32_code_of(HRESULT hr) {
    return HRESULT_FACILITY(hr) == FACILITY_WIN32 ? HRESULT_CODE(hr)
                                                  : static_cast<std::uint32_t>(hr);
}

}  // namespace

bool save_shell_link(const std::string& path, const ShortcutProperties& properties,
                     const std::string& named, std::string* err) {
    const ComApartment apartment;
    if (!apartment.usable()) return failed(named, apartment.result(), err);

    ComPtr<IShellLinkW> link;
    HRESULT hr = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                  link.put_void());
    if (FAILED(hr)) return failed(named, hr, err);

    if (FAILED(hr = link->SetDescription(widen(properties.description).c_str())))
        return failed(named, hr, err);
    if (FAILED(hr = link->SetShowCmd(properties.window_style))) return failed(named, hr, err);
    if (FAILED(hr = link->SetArguments(widen(properties.arguments).c_str())))
        return failed(named, hr, err);
    // SetPath may answer S_FALSE for a target that is not on this machine; the
    // shortcut still names it, so that is no failure.
    if (FAILED(hr = link->SetPath(widen(properties.target_path).c_str())))
        return failed(named, hr, err);
    if (FAILED(hr = link->SetWorkingDirectory(widen(properties.working_directory).c_str())))
        return failed(named, hr, err);
    if (FAILED(hr = link->SetIconLocation(widen(properties.icon_location).c_str(), 0)))
        return failed(named, hr, err);

    ComPtr<IPersistFile> file;
    if (FAILED(hr = link.query(IID_IPersistFile, &file))) return failed(named, hr, err);
    // Another program may hold an earlier shortcut at this path for a moment.
    const std::wstring path_w = widen(path);
    const std::uint32_t code = retry_keeping_window_painted(kSaveShortcutCall, [&] {
        hr = file->Save(path_w.c_str(), TRUE);
        return SUCCEEDED(hr) ? std::uint32_t{0} : win32_code_of(hr);
    });
    if (code != 0) return failed(named, hr, err);
    return true;
}

}  // namespace kelvarion
