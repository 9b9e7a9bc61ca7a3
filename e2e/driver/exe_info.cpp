#include "exe_info.h"

#include <windows.h>

#include <vector>

#include "answer.h"
#include "platform/win32/strconv_win.h"

namespace kelvarion::driver {

namespace {

const wchar_t* const kVersionStrings[] = {
    L"CompanyName",    L"ProductName",  L"FileVersion",
    L"ProductVersion", L"InternalName", L"OriginalFilename",
};

std::string version_json(const std::wstring& path) {
    DWORD ignored = 0;
    DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
    if (size == 0) return "null";
    std::vector<BYTE> block(size);
    if (!GetFileVersionInfoW(path.c_str(), 0, size, block.data())) return "null";
    JsonObject json;
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    if (VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length) && fixed) {
        json.add("file_version", std::vector<int>{int(HIWORD(fixed->dwFileVersionMS)),
                                                  int(LOWORD(fixed->dwFileVersionMS)),
                                                  int(HIWORD(fixed->dwFileVersionLS)),
                                                  int(LOWORD(fixed->dwFileVersionLS))});
        json.add("product_version", std::vector<int>{int(HIWORD(fixed->dwProductVersionMS)),
                                                     int(LOWORD(fixed->dwProductVersionMS)),
                                                     int(HIWORD(fixed->dwProductVersionLS)),
                                                     int(LOWORD(fixed->dwProductVersionLS))});
    }
    struct Translation {
        WORD language, code_page;
    };
    Translation* translations = nullptr;
    std::vector<std::string> tables;
    if (VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation",
                       reinterpret_cast<void**>(&translations), &length)) {
        for (UINT i = 0; i < length / sizeof(Translation); ++i) {
            wchar_t id[16];
            wsprintfW(id, L"%04x%04x", translations[i].language, translations[i].code_page);
            JsonObject table;
            table.add("id", narrow(id));
            JsonObject strings;
            for (const wchar_t* name : kVersionStrings) {
                std::wstring query = std::wstring(L"\\StringFileInfo\\") + id + L"\\" + name;
                wchar_t* text = nullptr;
                UINT chars = 0;
                if (VerQueryValueW(block.data(), query.c_str(), reinterpret_cast<void**>(&text),
                                   &chars) &&
                    text)
                    strings.add(narrow(name), narrow(text));
            }
            table.add_raw("strings", strings.str());
            tables.push_back(table.str());
        }
    }
    json.add_raw("tables", json_array(tables));
    return json.str();
}

#pragma pack(push, 2)
struct GroupIconEntry {
    BYTE width, height, colours, reserved;
    WORD planes, bit_count;
    DWORD bytes;
    WORD id;
};
struct GroupIconHeader {
    WORD reserved, type, count;
};
#pragma pack(pop)

BOOL CALLBACK collect_icon_group(HMODULE module, LPCWSTR type, LPWSTR name, LONG_PTR param) {
    auto* groups = reinterpret_cast<std::vector<std::string>*>(param);
    HRSRC found = FindResourceW(module, name, type);
    HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    auto* header = loaded ? static_cast<const GroupIconHeader*>(LockResource(loaded)) : nullptr;
    if (!header) return TRUE;
    auto* entries = reinterpret_cast<const GroupIconEntry*>(header + 1);
    std::vector<std::string> images;
    for (WORD i = 0; i < header->count; ++i) {
        const GroupIconEntry& e = entries[i];
        images.push_back(JsonObject()
                             .add("width", e.width ? int(e.width) : 256)
                             .add("height", e.height ? int(e.height) : 256)
                             .add("bits", int(e.bit_count))
                             .str());
    }
    groups->push_back(json_array(images));
    return TRUE;
}

std::string manifest_text(HMODULE module) {
    HRSRC found =
        FindResourceW(module, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24) /* RT_MANIFEST */);
    HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    const char* data = loaded ? static_cast<const char*>(LockResource(loaded)) : nullptr;
    if (!data) return "";
    return std::string(data, SizeofResource(module, found));
}

}  // namespace

bool describe_executable(const std::string& path, std::string* json, std::string* err) {
    std::wstring wide = widen(path);
    HMODULE module = LoadLibraryExW(wide.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!module) {
        *err = "cannot open " + path + ", error " + std::to_string(GetLastError());
        return false;
    }
    std::vector<std::string> groups;
    EnumResourceNamesW(module, MAKEINTRESOURCEW(14) /* RT_GROUP_ICON */, collect_icon_group,
                       reinterpret_cast<LONG_PTR>(&groups));
    std::string manifest = manifest_text(module);
    FreeLibrary(module);
    *json = answer(true)
                .add_raw("version", version_json(wide))
                .add_raw("icons", json_array(groups))
                .add("manifest", manifest)
                .str();
    return true;
}

}  // namespace kelvarion::driver
