#include "shortcut_file.h"

#include <windows.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <vector>

#include "platform/win32/com_win.h"
#include "platform/win32/strconv_win.h"

namespace kelvarion::driver {

namespace {

std::string hresult_text(const char* what, HRESULT hr) {
    char buf[64];
    wsprintfA(buf, " failed, HRESULT 0x%08lx", static_cast<unsigned long>(hr));
    return what + std::string(buf);
}

bool make_link(ComPtr<IShellLinkW>* link, std::string* err) {
    HRESULT hr = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                  link->put_void());
    if (FAILED(hr)) {
        *err = hresult_text("CoCreateInstance(ShellLink)", hr);
        return false;
    }
    return true;
}

}  // namespace

bool read_shortcut(const std::string& path, ShortcutFields* fields, std::string* err) {
    ComPtr<IShellLinkW> link;
    if (!make_link(&link, err)) return false;
    ComPtr<IPersistFile> file;
    HRESULT hr = link.query(IID_IPersistFile, &file);
    if (FAILED(hr)) {
        *err = hresult_text("QueryInterface(IPersistFile)", hr);
        return false;
    }
    hr = file->Load(widen(path).c_str(), STGM_READ);
    if (FAILED(hr)) {
        *err = hresult_text("IPersistFile::Load", hr);
        return false;
    }
    std::vector<wchar_t> buf(32768);
    const int size = int(buf.size());
    auto text = [&buf] { return narrow(buf.data()); };

    buf[0] = 0;
    if (FAILED(hr = link->GetPath(buf.data(), size, nullptr, SLGP_RAWPATH))) {
        *err = hresult_text("GetPath", hr);
        return false;
    }
    fields->target = text();
    buf[0] = 0;
    if (FAILED(hr = link->GetArguments(buf.data(), size))) {
        *err = hresult_text("GetArguments", hr);
        return false;
    }
    fields->arguments = text();
    buf[0] = 0;
    if (FAILED(hr = link->GetWorkingDirectory(buf.data(), size))) {
        *err = hresult_text("GetWorkingDirectory", hr);
        return false;
    }
    fields->working_directory = text();
    buf[0] = 0;
    if (FAILED(hr = link->GetDescription(buf.data(), size))) {
        *err = hresult_text("GetDescription", hr);
        return false;
    }
    fields->description = text();
    buf[0] = 0;
    int index = 0;
    if (FAILED(hr = link->GetIconLocation(buf.data(), size, &index))) {
        *err = hresult_text("GetIconLocation", hr);
        return false;
    }
    fields->icon_path = text();
    fields->icon_index = index;
    return true;
}

bool write_shortcut(const std::string& path, const ShortcutFields& fields, std::string* err) {
    ComPtr<IShellLinkW> link;
    if (!make_link(&link, err)) return false;
    HRESULT hr;
    if (FAILED(hr = link->SetPath(widen(fields.target).c_str()))) {
        *err = hresult_text("SetPath", hr);
        return false;
    }
    if (FAILED(hr = link->SetArguments(widen(fields.arguments).c_str()))) {
        *err = hresult_text("SetArguments", hr);
        return false;
    }
    if (FAILED(hr = link->SetWorkingDirectory(widen(fields.working_directory).c_str()))) {
        *err = hresult_text("SetWorkingDirectory", hr);
        return false;
    }
    if (FAILED(hr = link->SetDescription(widen(fields.description).c_str()))) {
        *err = hresult_text("SetDescription", hr);
        return false;
    }
    ComPtr<IPersistFile> file;
    if (FAILED(hr = link.query(IID_IPersistFile, &file))) {
        *err = hresult_text("QueryInterface(IPersistFile)", hr);
        return false;
    }
    if (FAILED(hr = file->Save(widen(path).c_str(), TRUE))) {
        *err = hresult_text("IPersistFile::Save", hr);
        return false;
    }
    return true;
}

}  // namespace kelvarion::driver
