// The two shipped programs as Windows sees them from outside: their version
// information, window icon and application manifest, read back with the
// system's own version and resource functions. Built for x86_64 too, this
// test reads the same 32-bit programs as data.

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "editions/resources/resource_ids.h"

namespace kelvarion {
namespace {

// The build passes the programs' paths as seen on the build machine; Wine
// shows that file system as drive Z:.
std::wstring windows_path(const char* unix_path) {
    std::wstring path = L"Z:";
    for (const char* c = unix_path; *c; ++c) path += *c == '/' ? L'\\' : static_cast<wchar_t>(*c);
    return path;
}

struct Program {
    const char* name;
    std::wstring path;
    bool has_company_name;
};

std::vector<Program> programs() {
    return {{"current", windows_path(KELVARION_CURRENT_PROGRAM), true},
            {"legacy", windows_path(KELVARION_LEGACY_PROGRAM), false}};
}

// The whole program file.
struct ProgramBytes {
    explicit ProgramBytes(const std::wstring& path) {
        const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                        OPEN_EXISTING, 0, nullptr);
        if (file == INVALID_HANDLE_VALUE) return;
        char slice[64 * 1024];
        DWORD got = 0;
        while (ReadFile(file, slice, sizeof slice, &got, nullptr) && got > 0)
            bytes.insert(bytes.end(), slice, slice + got);
        CloseHandle(file);
    }
    std::vector<char> bytes;
};

std::vector<std::uint8_t> version_block(const std::wstring& path) {
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
    std::vector<std::uint8_t> block(size);
    if (size == 0 || !GetFileVersionInfoW(path.c_str(), 0, size, block.data())) block.clear();
    return block;
}

// The value of one entry of the 040904B0 string table; false when absent.
bool version_string(std::vector<std::uint8_t>& block, const wchar_t* name, std::wstring* value) {
    const std::wstring query = std::wstring(L"\\StringFileInfo\\040904B0\\") + name;
    wchar_t* text = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(block.data(), query.c_str(), reinterpret_cast<void**>(&text), &length))
        return false;
    *value = std::wstring(text);  // up to the terminating NUL
    return true;
}

// The file's own headers, read as bytes: a 32-bit (i386, PE32) program for
// the GUI subsystem, with no console window of its own.
TEST(ProgramResources, ThirtyTwoBitGuiPrograms) {
    for (const Program& program : programs()) {
        SCOPED_TRACE(program.name);
        ProgramBytes file(program.path);
        ASSERT_GE(file.bytes.size(), sizeof(IMAGE_DOS_HEADER))
            << "cannot read " << program.path
            << " (the x86_64 build reads the programs of the windows build)";
        const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(file.bytes.data());
        ASSERT_EQ(IMAGE_DOS_SIGNATURE, dos->e_magic);
        ASSERT_GE(file.bytes.size(), dos->e_lfanew + sizeof(IMAGE_NT_HEADERS32));
        const auto* nt =
            reinterpret_cast<const IMAGE_NT_HEADERS32*>(file.bytes.data() + dos->e_lfanew);
        ASSERT_EQ(static_cast<DWORD>(IMAGE_NT_SIGNATURE), nt->Signature);
        EXPECT_EQ(IMAGE_FILE_MACHINE_I386, nt->FileHeader.Machine);
        EXPECT_EQ(IMAGE_NT_OPTIONAL_HDR32_MAGIC, nt->OptionalHeader.Magic);
        EXPECT_EQ(IMAGE_SUBSYSTEM_WINDOWS_GUI, nt->OptionalHeader.Subsystem);
    }
}

TEST(ProgramResources, VersionInformation) {
    for (const Program& program : programs()) {
        SCOPED_TRACE(program.name);
        std::vector<std::uint8_t> block = version_block(program.path);
        ASSERT_FALSE(block.empty()) << "no version information";

        VS_FIXEDFILEINFO* fixed = nullptr;
        UINT length = 0;
        ASSERT_TRUE(VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
        EXPECT_EQ(0x00010000u, fixed->dwFileVersionMS);
        EXPECT_EQ(0u, fixed->dwFileVersionLS);
        EXPECT_EQ(0x00010000u, fixed->dwProductVersionMS);
        EXPECT_EQ(0u, fixed->dwProductVersionLS);
        EXPECT_EQ(static_cast<DWORD>(VFT_APP), fixed->dwFileType);

        // One string table: English (United States), Unicode.
        WORD* translation = nullptr;
        ASSERT_TRUE(VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation",
                                   reinterpret_cast<void**>(&translation), &length));
        ASSERT_EQ(4u, length);
        EXPECT_EQ(0x0409, translation[0]);
        EXPECT_EQ(1200, translation[1]);

        const std::pair<const wchar_t*, const wchar_t*> expected[] = {
            {L"ProductName", L"Kelvarion_Post_Installation_Setup"},
            {L"FileVersion", L"1.00"},
            {L"ProductVersion", L"1.00"},
            {L"InternalName", L"Kelvarion_Post_Installation_setup"},
            {L"OriginalFilename", L"Kelvarion_Post_Installation_setup.exe"},
        };
        for (const auto& [name, text] : expected) {
            std::wstring value;
            EXPECT_TRUE(version_string(block, name, &value)) << "missing entry";
            EXPECT_EQ(std::wstring(text), value);
        }
        std::wstring company;
        EXPECT_EQ(program.has_company_name, version_string(block, L"CompanyName", &company));
        if (program.has_company_name) {
            EXPECT_EQ(L"QVK", company);
        }
        std::wstring description;
        EXPECT_FALSE(version_string(block, L"FileDescription", &description));
    }
}

// A program's resource, loaded as data.
class ProgramModule {
public:
    explicit ProgramModule(const std::wstring& path)
        : module_(LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE)) {}
    ~ProgramModule() {
        if (module_) FreeLibrary(module_);
    }
    ProgramModule(const ProgramModule&) = delete;
    ProgramModule& operator=(const ProgramModule&) = delete;

    bool loaded() const { return module_ != nullptr; }
    std::string resource(const wchar_t* type, const wchar_t* name) const {
        HRSRC found = FindResourceW(module_, name, type);
        if (!found) return {};
        HGLOBAL data = LoadResource(module_, found);
        const char* bytes = data ? static_cast<const char*>(LockResource(data)) : nullptr;
        return bytes ? std::string(bytes, SizeofResource(module_, found)) : std::string();
    }

private:
    HMODULE module_;
};

#pragma pack(push, 2)
struct IconGroupHeader {
    WORD reserved, type, count;
};
struct IconGroupEntry {
    BYTE width, height, colour_count, reserved;
    WORD planes, bit_count;
    DWORD bytes;
    WORD id;
};
#pragma pack(pop)

TEST(ProgramResources, TheSameWindowIconOf32By32PixelsAnd256Colours) {
    std::string icon_images[2];
    int index = 0;
    for (const Program& program : programs()) {
        SCOPED_TRACE(program.name);
        ProgramModule module(program.path);
        ASSERT_TRUE(module.loaded());
        const std::string group =
            module.resource(RT_GROUP_ICON, MAKEINTRESOURCEW(KELVARION_MAIN_ICON));
        ASSERT_EQ(sizeof(IconGroupHeader) + sizeof(IconGroupEntry), group.size());
        const auto* header = reinterpret_cast<const IconGroupHeader*>(group.data());
        const auto* entry =
            reinterpret_cast<const IconGroupEntry*>(group.data() + sizeof(IconGroupHeader));
        EXPECT_EQ(1, header->type);
        ASSERT_EQ(1, header->count);
        EXPECT_EQ(32, entry->width);
        EXPECT_EQ(32, entry->height);
        EXPECT_EQ(8, entry->bit_count);

        const std::string image = module.resource(RT_ICON, MAKEINTRESOURCEW(entry->id));
        ASSERT_GE(image.size(), sizeof(BITMAPINFOHEADER));
        const auto* bitmap = reinterpret_cast<const BITMAPINFOHEADER*>(image.data());
        EXPECT_EQ(32, bitmap->biWidth);
        EXPECT_EQ(64, bitmap->biHeight);  // colour image and mask
        EXPECT_EQ(8, bitmap->biBitCount);
        // Header, 256 palette entries, 32 x 32 bytes, a 32 x 32 one-bit mask.
        EXPECT_EQ(40u + 256 * 4 + 32 * 32 + 32 * 4, image.size());
        icon_images[index++] = image;
    }
    EXPECT_EQ(icon_images[0], icon_images[1]);
}

// The start tag of the first element `name` ("<name ...>"), empty when none;
// *end is where its element ends (its end tag, or the tag itself when empty).
std::string start_tag(const std::string& xml, const std::string& name, size_t* end) {
    const size_t begin = xml.find("<" + name + " ");
    if (begin == std::string::npos) return {};
    const size_t close = xml.find('>', begin);
    if (close == std::string::npos) return {};
    const std::string tag = xml.substr(begin, close + 1 - begin);
    const size_t end_tag = xml.find("</" + name + ">", close);
    *end = tag.size() >= 2 && tag[tag.size() - 2] == '/' ? close : end_tag;
    return tag;
}

std::string attribute(const std::string& tag, const std::string& name) {
    const std::string opening = " " + name + "=\"";
    const size_t begin = tag.find(opening);
    if (begin == std::string::npos) return "(none)";
    const size_t value = begin + opening.size();
    return tag.substr(value, tag.find('"', value) - value);
}

// Windows asks for an administrator's rights before the program starts, the
// one check of elevation that can fail here: Wine grants every process a full
// token whatever the manifest says. XP SP3 loads the program only while
// trustInfo and application stand in the asm.v3 namespace.
TEST(ProgramResources, ApplicationManifest) {
    const std::string v1 = "urn:schemas-microsoft-com:asm.v1";
    const std::string v3 = "urn:schemas-microsoft-com:asm.v3";
    for (const Program& program : programs()) {
        SCOPED_TRACE(program.name);
        ProgramModule module(program.path);
        ASSERT_TRUE(module.loaded());
        const std::string manifest = module.resource(RT_MANIFEST, MAKEINTRESOURCEW(1));
        ASSERT_FALSE(manifest.empty());
        size_t end = 0;
        EXPECT_EQ(v1, attribute(start_tag(manifest, "assembly", &end), "xmlns"));
        // Windows refuses a program whose manifest names another architecture.
        EXPECT_EQ("x86", attribute(start_tag(manifest, "assemblyIdentity", &end),
                                   "processorArchitecture"));
        EXPECT_NE(std::string::npos, manifest.find("name=\"Microsoft.Windows.Common-Controls\" "
                                                   "version=\"6.0.0.0\""));

        size_t trust_end = 0;
        const std::string trust = start_tag(manifest, "trustInfo", &trust_end);
        EXPECT_EQ(v3, attribute(trust, "xmlns"));
        const size_t level_at = manifest.find("<requestedExecutionLevel ");
        const std::string level = start_tag(manifest, "requestedExecutionLevel", &end);
        EXPECT_EQ("requireAdministrator", attribute(level, "level"));
        EXPECT_EQ("false", attribute(level, "uiAccess"));
        EXPECT_TRUE(level_at > manifest.find(trust) && level_at < trust_end)
            << "requestedExecutionLevel outside trustInfo";

        size_t application_end = 0;
        const std::string application = start_tag(manifest, "application", &application_end);
        EXPECT_EQ(v3, attribute(application, "xmlns"));
        const size_t dpi_aware = manifest.find(">true</dpiAware>");
        EXPECT_TRUE(dpi_aware > manifest.find(application) && dpi_aware < application_end)
            << "no dpiAware true inside the asm.v3 application element";
    }
}

}  // namespace
}  // namespace kelvarion
