// Special folders and shortcut files through the real shell (run under Wine).
// Each shortcut is read back with IShellLinkW::Load; the show command is read
// from the file's bytes, because Wine's GetShowCmd answers 1 after Load
// whatever the file holds.
#include <gtest/gtest.h>

#include <windows.h>
#include <shlobj.h>

#include <cstdint>
#include <set>
#include <string>

#include "platform/platform.h"
#include "platform/win32/error_text_win.h"
#include "platform/win32/com_win.h"
#include "platform/win32/shell_link_win.h"
#include "platform/win32/strconv_win.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/win32_platform.h"
#include "tests/support/held_files_win.h"
#include "tests/win32/temp_folder_win.h"

namespace kelvarion {
namespace {

// What IShellLinkW reads back from a shortcut file.
struct LoadedShortcut {
    std::string description, arguments, target_path, working_directory, icon_location;
    int icon_index = -1;
};

::testing::AssertionResult load_shortcut(const std::string& path, LoadedShortcut* out) {
    const ComApartment apartment;
    if (!apartment.usable()) return ::testing::AssertionFailure() << "CoInitializeEx failed";
    ComPtr<IShellLinkW> link;
    ComPtr<IPersistFile> file;
    HRESULT hr = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                  link.put_void());
    if (SUCCEEDED(hr)) hr = link.query(IID_IPersistFile, &file);
    if (SUCCEEDED(hr)) hr = file->Load(widen(path).c_str(), STGM_READ);
    if (FAILED(hr)) return ::testing::AssertionFailure() << "Load failed: 0x" << std::hex << hr;

    wchar_t buffer[4096];
    const int size = static_cast<int>(sizeof buffer / sizeof buffer[0]);
    const auto read = [&](HRESULT result, std::string* value) {
        if (FAILED(result)) hr = result;
        *value = narrow(buffer);
    };
    read(link->GetDescription(buffer, size), &out->description);
    read(link->GetArguments(buffer, size), &out->arguments);
    read(link->GetPath(buffer, size, nullptr, SLGP_RAWPATH), &out->target_path);
    read(link->GetWorkingDirectory(buffer, size), &out->working_directory);
    read(link->GetIconLocation(buffer, size, &out->icon_index), &out->icon_location);
    if (FAILED(hr)) return ::testing::AssertionFailure() << "a getter failed: 0x" << std::hex << hr;
    return ::testing::AssertionSuccess();
}

// The show command as stored: a little-endian DWORD at offset 0x3C of the
// shell link header, which starts with its own size, 0x4C.
int stored_show_command(const std::string& path) {
    const std::string bytes = testing::read_whole_file(path);
    if (bytes.size() < 0x4C || bytes[0] != 0x4C) return -1;
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i) value = (value << 8) | static_cast<unsigned char>(bytes[0x3C + i]);
    return static_cast<int>(value);
}

// Text that no single ANSI code page holds ("ő" with Cyrillic), with spaces.
constexpr const char* kWide = "\xC5\x91 \xD1\x82\xD0\xB5\xD1\x81\xD1\x82";

// A private folder for the shortcut files, named with kWide, inside a
// temporary folder removed with everything in it afterwards.
class ShellWin : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(CreateDirectoryW(widen(folder_).c_str(), nullptr)); }

    // Wine writes the target only in its ANSI form (link info and item IDs),
    // so targets here stay inside Windows-1252 ("\xC3\x9C", "\xC3\xA9"); every
    // other property is stored as UTF-16 and carries kWide.
    ShortcutProperties properties() const {
        ShortcutProperties p;
        p.description = std::string("Kelvarion ") + kWide;
        p.window_style = 3;
        p.arguments = " -CONFIG \"C:\\Program Files\\SAS \xC3\x9C\\9.1\\SASV9.CFG\" -CONFIG \"" +
                      folder_ + "\\kelvarion.cfg\"";
        p.target_path = "C:\\Program Files\\SAS \xC3\x9C\\9.1\\sas.exe";
        p.working_directory = "C:\\Program Files\\SAS \xC3\x9C\\9.1 " + std::string(kWide);
        p.icon_location = folder_ + "\\Kelvarion_Post_Installation_setup.icx";
        return p;
    }

    static void expect_loaded(const std::string& path, const ShortcutProperties& p) {
        LoadedShortcut loaded;
        ASSERT_TRUE(load_shortcut(path, &loaded));
        EXPECT_EQ(loaded.description, p.description);
        EXPECT_EQ(loaded.arguments, p.arguments);
        EXPECT_EQ(loaded.target_path, p.target_path);
        EXPECT_EQ(loaded.working_directory, p.working_directory);
        EXPECT_EQ(loaded.icon_location, p.icon_location);
        EXPECT_EQ(loaded.icon_index, 0);
        EXPECT_EQ(stored_show_command(path), p.window_style);
    }

    Win32Platform platform_;
    testing::TempFolder temp_;
    const std::string folder_ = temp_ / ("kelvarion shell " + std::string(kWide));
};

TEST_F(ShellWin, SavedShortcutHoldsEveryProperty) {
    const std::string path = folder_ + "\\Kelvarion.lnk";
    std::string err;
    ASSERT_TRUE(save_shell_link(path, properties(), path, &err)) << err;
    expect_loaded(path, properties());
}

TEST_F(ShellWin, ExistingTargetAndReplacedShortcut) {
    const std::string path = folder_ + "\\Kelvarion.lnk";
    std::string err;
    ASSERT_TRUE(save_shell_link(path, properties(), path, &err)) << err;

    // The second save replaces the first, now with a target that exists.
    const std::string target = temp_ / "sas \xC3\xA9.exe";
    ASSERT_TRUE(testing::write_whole_file(target, "MZ"));
    ShortcutProperties second = properties();
    second.target_path = target;
    second.working_directory = folder_;
    second.arguments = " -CONFIG \"" + folder_ + "\\SASV8.CFG\"";
    second.window_style = 1;
    ASSERT_TRUE(save_shell_link(path, second, path, &err)) << err;
    expect_loaded(path, second);
}

TEST_F(ShellWin, ASavedShortcutIsFlushedBeforeItTakesItsName) {
    // The shell closes the file it saved without flushing it: the flush opens
    // it again, so a file that another program holds with nothing shared
    // makes the flush fail, naming the shortcut.
    const std::string target = folder_ + "\\Kelvarion.lnk";
    Win32Platform platform;
    std::string err;
    auto file = platform.create_temp_file_beside(target, &err);
    ASSERT_NE(file, nullptr) << err;
    ASSERT_TRUE(file->save_shortcut(properties(), &err)) << err;
    testing::HeldFiles holder;
    ASSERT_TRUE(holder.hold(file->path(), 0, 0, &err)) << err;
    EXPECT_FALSE(file->flush(&err));
    EXPECT_EQ(err, target + ": " + win32_error_text(ERROR_SHARING_VIOLATION));
    holder.release_all();
    EXPECT_TRUE(file->flush(&err)) << err;
}

TEST_F(ShellWin, SaveIntoMissingFolderNamesTheShortcutThenTheSystemsDescription) {
    const std::string path = folder_ + "\\missing\\Kelvarion.lnk";
    std::string err;
    EXPECT_FALSE(save_shell_link(path, properties(), path, &err));
    EXPECT_EQ(err.rfind(path + ": ", 0), 0u) << err;
    EXPECT_GT(err.size(), path.size() + 2) << err;
    EXPECT_EQ(err.find_first_of("\r\n"), std::string::npos) << err;
    EXPECT_FALSE(testing::file_exists(path));
}

template <typename Body>
DWORD WINAPI run_body(void* body) {
    (*static_cast<Body*>(body))();
    return 0;
}

// Runs `body` on a new thread and waits for it to end. CreateThread rather
// than std::thread, which GCC 12's win32 thread model lacks.
template <typename Body>
::testing::AssertionResult run_on_new_thread(Body body) {
    const UniqueKernelHandle thread(CreateThread(nullptr, 0, run_body<Body>, &body, 0, nullptr));
    if (!thread) return ::testing::AssertionFailure() << "CreateThread failed: " << GetLastError();
    if (WaitForSingleObject(thread.get(), INFINITE) != WAIT_OBJECT_0)
        return ::testing::AssertionFailure() << "waiting for the thread failed: " << GetLastError();
    return ::testing::AssertionSuccess();
}

// The caller's COM state survives: an apartment the thread entered before is
// still entered afterwards, and a thread in the multithreaded apartment can
// save too (CoInitializeEx answers RPC_E_CHANGED_MODE there).
TEST_F(ShellWin, LeavesTheCallersApartmentAsItWas) {
    const std::string path = folder_ + "\\Kelvarion.lnk";
    for (const DWORD model : {DWORD{COINIT_APARTMENTTHREADED}, DWORD{COINIT_MULTITHREADED}}) {
        SCOPED_TRACE(model);
        bool saved = false;
        HRESULT again = E_FAIL;
        std::string err;
        ASSERT_TRUE(run_on_new_thread([&] {
            if (FAILED(CoInitializeEx(nullptr, model))) return;
            saved = save_shell_link(path, properties(), path, &err);
            // S_FALSE: COM is still initialised in the same model on this thread.
            again = CoInitializeEx(nullptr, model);
            if (SUCCEEDED(again)) CoUninitialize();
            CoUninitialize();
        }));
        EXPECT_TRUE(saved) << err;
        EXPECT_EQ(again, S_FALSE);
    }
    expect_loaded(path, properties());
}

// ASCII letters only: enough for the folder names compared here.
std::string lower(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return text;
}

// Per-user folders lie in the user's profile, all-users ones outside it; the
// desktop ones end in "Desktop", the Start-menu ones in "Programs".
TEST(Win32SpecialFolder, EachFolderResolvesToItsOwnExistingFolder) {
    wchar_t profile_buffer[MAX_PATH];
    ASSERT_NE(GetEnvironmentVariableW(L"USERPROFILE", profile_buffer, MAX_PATH), 0u);
    const std::string profile = lower(narrow(profile_buffer)) + "\\";

    struct Case {
        SpecialFolder folder;
        bool per_user;
        const char* last_level;
    };
    Win32Platform platform;
    std::set<std::string> paths;
    for (const Case& c : {Case{SpecialFolder::Desktop, true, "\\desktop"},
                          Case{SpecialFolder::AllUsersDesktop, false, "\\desktop"},
                          Case{SpecialFolder::Programs, true, "\\programs"},
                          Case{SpecialFolder::AllUsersPrograms, false, "\\programs"}}) {
        SCOPED_TRACE(static_cast<int>(c.folder));
        std::string path;
        std::string err;
        ASSERT_TRUE(platform.special_folder(c.folder, &path, &err)) << err;
        EXPECT_TRUE(testing::folder_exists(path)) << path;
        const std::string folded = lower(path);
        EXPECT_EQ(folded.rfind(profile, 0) == 0, c.per_user) << path;
        const std::string end = c.last_level;
        EXPECT_TRUE(folded.size() > end.size() &&
                    folded.compare(folded.size() - end.size(), end.size(), end) == 0)
            << path;
        paths.insert(folded);
    }
    EXPECT_EQ(paths.size(), 4u);
}

}  // namespace
}  // namespace kelvarion
