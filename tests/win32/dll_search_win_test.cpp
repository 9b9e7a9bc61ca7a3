// The search for a DLL by bare name once the program has restricted it. The
// restriction holds for the whole process, so this program tests nothing
// else.
#include "platform/win32/dll_search_win.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace kelvarion {
namespace {

// Built beside this test program (see CMakeLists.txt).
constexpr const wchar_t* kPlantedDll = L"kelvarion_planted.dll";

bool loads_by_bare_name() {
    const HMODULE module = LoadLibraryW(kPlantedDll);
    if (module == nullptr) return false;
    FreeLibrary(module);
    return true;
}

TEST(DllSearch, ADllBesideTheProgramIsNoLongerFoundByName) {
    // Found at first, so that the refusal below is the restriction's doing.
    ASSERT_TRUE(loads_by_bare_name()) << "error " << GetLastError();
    restrict_dll_search_to_system();
    EXPECT_FALSE(loads_by_bare_name());
    EXPECT_EQ(static_cast<DWORD>(ERROR_MOD_NOT_FOUND), GetLastError());
    // System DLLs that the shell and COM load on demand are still found.
    const HMODULE system_dll = LoadLibraryW(L"version.dll");
    EXPECT_NE(nullptr, system_dll);
    if (system_dll) FreeLibrary(system_dll);
}

// What each system function was given, by the stand-ins below.
struct Calls {
    int set_default = 0;
    DWORD flags = 0;
    int set_dll_directory = 0;
    const wchar_t* directory = nullptr;
    BOOL set_default_answers = TRUE;
} calls;

BOOL WINAPI set_default_stand_in(DWORD flags) {
    ++calls.set_default;
    calls.flags = flags;
    return calls.set_default_answers;
}

BOOL WINAPI set_dll_directory_stand_in(LPCWSTR directory) {
    ++calls.set_dll_directory;
    calls.directory = directory;
    return TRUE;
}

TEST(DllSearch, WithoutSetDefaultDllDirectoriesTheCurrentFolderIsDroppedInstead) {
    struct Row {
        const char* name;
        bool has_set_default;
        BOOL set_default_answers;
        bool falls_back;
    };
    for (const Row& row : {Row{"Windows 8 and later", true, TRUE, false},
                           Row{"XP: not exported", false, TRUE, true},
                           Row{"refused", true, FALSE, true}}) {
        SCOPED_TRACE(row.name);
        calls = Calls{};
        calls.set_default_answers = row.set_default_answers;
        restrict_dll_search(row.has_set_default ? set_default_stand_in : nullptr,
                            set_dll_directory_stand_in);
        if (row.has_set_default) {
            EXPECT_EQ(calls.set_default, 1);
            EXPECT_EQ(calls.flags, 0x00000800u);  // LOAD_LIBRARY_SEARCH_SYSTEM32
        }
        EXPECT_EQ(calls.set_dll_directory, row.falls_back ? 1 : 0);
        if (row.falls_back) {
            // Null would restore the default search, the current folder included.
            ASSERT_NE(calls.directory, nullptr);
            EXPECT_EQ(calls.directory[0], L'\0');
        }
    }
}

}  // namespace
}  // namespace kelvarion
