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

}  // namespace
}  // namespace kelvarion
