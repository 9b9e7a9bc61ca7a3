#include "platform/win32/dll_search_win.h"

#include <windows.h>

namespace kelvarion {

void restrict_dll_search_to_system() {
    // Looked up at run time: XP's kernel32 does not export it, and the
    // program must start there.
    using SetDefaultDllDirectoriesFunction = BOOL(WINAPI*)(DWORD);
    constexpr DWORD kSearchSystem32 = 0x00000800;  // LOAD_LIBRARY_SEARCH_SYSTEM32
    const HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
    const auto set_default_dll_directories = reinterpret_cast<SetDefaultDllDirectoriesFunction>(
        kernel ? reinterpret_cast<void*>(GetProcAddress(kernel, "SetDefaultDllDirectories"))
               : nullptr);
    if (set_default_dll_directories && set_default_dll_directories(kSearchSystem32)) return;
    SetDllDirectoryW(L"");
}

}  // namespace kelvarion
