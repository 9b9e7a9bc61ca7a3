// A stand-in window for the driver's own tests: the same caption and control
// ids as the setup program, a four-step "sequence" with captions, progress and
// pauses, and a closing message box. It lets the driver be proven on its own,
// apart from the programs it is meant to check.

#include <windows.h>
#include <commctrl.h>

namespace {

enum { kOptA = 101, kOptB = 102, kInstall = 103, kExit = 104, kBar = 107, kLabel = 108 };

HWND g_window;
bool g_busy;

HWND item(int id) { return GetDlgItem(g_window, id); }

// Shows the change at once and drops the user's input while busy.
void pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        bool input = (msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST) ||
                     (msg.message >= WM_MOUSEFIRST && msg.message <= WM_MOUSELAST);
        if (input && g_busy) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

void install() {
    g_busy = true;
    EnableWindow(item(kInstall), FALSE);
    EnableWindow(item(kExit), FALSE);
    for (int step = 0; step < 4; ++step) {
        wchar_t caption[32];
        wsprintfW(caption, L"Step %d ...", step + 1);
        SetWindowTextW(item(kLabel), caption);
        SendMessageW(item(kBar), PBM_SETPOS, step * 10, 0);
        UpdateWindow(g_window);
        pump();
        Sleep(100);
    }
    pump();
    g_busy = false;
    EnableWindow(item(kInstall), TRUE);
    EnableWindow(item(kExit), TRUE);
    SetWindowTextW(item(kLabel), L"Done.");
    SendMessageW(item(kBar), PBM_SETPOS, 100, 0);
    MessageBoxW(g_window, L"All done!", L"Notice", MB_OK | MB_ICONINFORMATION);
    DestroyWindow(g_window);
}

LRESULT CALLBACK window_proc(HWND window, UINT message, WPARAM w, LPARAM l) {
    if (message == WM_COMMAND && HIWORD(w) == BN_CLICKED) {
        if (LOWORD(w) == kInstall) install();
        if (LOWORD(w) == kExit) DestroyWindow(window);
        return 0;
    }
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, w, l);
}

HWND add(const wchar_t* cls, const wchar_t* text, DWORD style, int id, int x, int y, int w, int h) {
    return CreateWindowExW(0, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, g_window,
                           reinterpret_cast<HMENU>(INT_PTR(id)), GetModuleHandleW(nullptr),
                           nullptr);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&icc);
    WNDCLASSW wc{};
    wc.lpfnWndProc = window_proc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = L"KelvarionDriverSample";
    RegisterClassW(&wc);
    g_window = CreateWindowExW(0, wc.lpszClassName, L"Kelvarion installation",
                               WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, 100, 100, 380, 240, nullptr,
                               nullptr, instance, nullptr);
    add(L"Button", L"Option A", BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, kOptA, 10, 10, 150, 24);
    add(L"Button", L"Option B", BS_AUTORADIOBUTTON, kOptB, 10, 40, 150, 24);
    add(L"Button", L"Install", BS_PUSHBUTTON | WS_TABSTOP, kInstall, 250, 10, 80, 24);
    add(L"Button", L"Exit", BS_PUSHBUTTON | WS_TABSTOP, kExit, 250, 40, 80, 24);
    add(L"Static", L"Progressing", 0, kLabel, 10, 120, 320, 20);
    add(PROGRESS_CLASSW, L"", 0, kBar, 10, 150, 320, 18);
    SendMessageW(item(kOptA), BM_SETCHECK, BST_CHECKED, 0);
    SendMessageW(g_window, WM_SETICON, ICON_BIG,
                 reinterpret_cast<LPARAM>(LoadIconW(nullptr, MAKEINTRESOURCEW(32512))));
    ShowWindow(g_window, show);
    SetFocus(item(kInstall));
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        // Key preview, as the setup program has it.
        if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) {
            DestroyWindow(g_window);
            continue;
        }
        if (msg.message == WM_KEYDOWN && msg.wParam == VK_RETURN) {
            install();
            continue;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
