#pragma once
// Where the program may load DLLs from. It runs elevated, so a DLL planted
// beside it (in a download folder, say) must not be loaded by name: the shell
// and COM load DLLs on demand that are not in its import table.

#include <windows.h>

namespace kelvarion {

// Restricts the DLL search of the whole process to System32, where Windows
// has SetDefaultDllDirectories (Windows 8, and 7 or Vista with KB2533623);
// elsewhere (XP) it at least drops the current folder from the search. Call it
// first, before anything that can load a DLL.
void restrict_dll_search_to_system();

using SetDefaultDllDirectoriesFunction = BOOL(WINAPI*)(DWORD);
using SetDllDirectoryFunction = BOOL(WINAPI*)(LPCWSTR);

// The same with the system's functions given: `set_default_dll_directories`
// as looked up (null where kernel32 lacks it), and SetDllDirectoryW.
void restrict_dll_search(SetDefaultDllDirectoriesFunction set_default_dll_directories,
                         SetDllDirectoryFunction set_dll_directory);

}  // namespace kelvarion
