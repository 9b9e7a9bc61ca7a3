#include "platform/win32/dll_search_win.h"

#include "platform/win32/system_function_win.h"

namespace kelvarion {

void restrict_dll_search(SetDefaultDllDirectoriesFunction set_default_dll_directories,
                         SetDllDirectoryFunction set_dll_directory) {
    constexpr DWORD kSearchSystem32 = 0x00000800;  // LOAD_LIBRARY_SEARCH_SYSTEM32
    if (set_default_dll_directories && set_default_dll_directories(kSearchSystem32)) return;
    // An empty string, not null: null would put the default search back.
    set_dll_directory(L"");
}

void restrict_dll_search_to_system() {
    restrict_dll_search(system_function<SetDefaultDllDirectoriesFunction>(
                            L"kernel32.dll", "SetDefaultDllDirectories"),
                        SetDllDirectoryW);
}

}  // namespace kelvarion
