#include "platform/win32/shutdown_block_win.h"

#include "platform/win32/system_function_win.h"

namespace kelvarion {

bool show_shutdown_block_reason(HWND window, const wchar_t* reason) {
    using Create = BOOL(WINAPI*)(HWND, LPCWSTR);
    const auto create = system_function<Create>(L"user32.dll", "ShutdownBlockReasonCreate");
    return create && create(window, reason);
}

void remove_shutdown_block_reason(HWND window) {
    using Destroy = BOOL(WINAPI*)(HWND);
    if (const auto destroy = system_function<Destroy>(L"user32.dll", "ShutdownBlockReasonDestroy"))
        destroy(window);
}

}  // namespace kelvarion
