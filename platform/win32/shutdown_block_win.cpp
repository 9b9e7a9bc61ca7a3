#include "platform/win32/shutdown_block_win.h"

namespace kelvarion {
namespace {

template <class Function>
Function user32_function(const char* name) {
    const HMODULE user32 = GetModuleHandleW(L"user32.dll");
    return user32 ? reinterpret_cast<Function>(
                        reinterpret_cast<void (*)()>(GetProcAddress(user32, name)))
                  : nullptr;
}

}  // namespace

bool show_shutdown_block_reason(HWND window, const wchar_t* reason) {
    using Create = BOOL(WINAPI*)(HWND, LPCWSTR);
    const auto create = user32_function<Create>("ShutdownBlockReasonCreate");
    return create && create(window, reason);
}

void remove_shutdown_block_reason(HWND window) {
    using Destroy = BOOL(WINAPI*)(HWND);
    if (const auto destroy = user32_function<Destroy>("ShutdownBlockReasonDestroy")) destroy(window);
}

}  // namespace kelvarion
