#pragma once
// A function of a system DLL that Windows XP lacks, looked up at run time:
// the programs must start on XP, so they may not import it.

#include <windows.h>

namespace kelvarion {

// `name` from the loaded system DLL `dll` as a `Function` pointer; null where
// that Windows has no such function.
template <class Function>
Function system_function(const wchar_t* dll, const char* name) {
    const HMODULE module = GetModuleHandleW(dll);
    return module ? reinterpret_cast<Function>(
                        reinterpret_cast<void (*)()>(GetProcAddress(module, name)))
                  : nullptr;
}

}  // namespace kelvarion
