#include "platform/win32/dll_search_win.h"

namespace kelvarion {

void restrict_dll_search(SetDefaultDllDirectoriesFunction set_default_dll_directories,
                         SetDllDirectoryFunction set_dll_directory) {
    constexpr DWORD kSearchSystem32 = 0x00000800;  // LOAD_LIBRARY_SEARCH_SYSTEM32
    if (set_default_dll_directories && set_default_dll_directories(kSearchSystem32)) return;
    // An empty string, not null: null would put the default search back.
    set_dll_directory(L"");
}

void restrict_dll_search_to_system() {
    // Looked up at run time: XP's kernel32 does not export it, and the
    // program must start there.
    const HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
    restrict_dll_search(reinterpret_cast<SetDefaultDllDirectoriesFunction>(
                            kernel ? reinterpret_cast<void*>(
                                         GetProcAddress(kernel, "SetDefaultDllDirectories"))
                                   : nullptr),
                        SetDllDirectoryW);
}

}  // namespace kelvarion
