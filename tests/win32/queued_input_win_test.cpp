// Which messages count as the user's input, and that exactly those are
// removed from the queue.

#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "platform/win32/message_wait_win.h"
#include "platform/win32/queued_input_win.h"

namespace kelvarion {
namespace {

TEST(QueuedInput, KeysClicksAndMouseNoticesAreInputWindowWorkIsNot) {
    for (UINT message : {WM_KEYDOWN, WM_CHAR, WM_SYSKEYDOWN, WM_MOUSEMOVE, WM_LBUTTONUP,
                         WM_MOUSEWHEEL, WM_NCLBUTTONDOWN, WM_NCMOUSEMOVE, WM_NCMOUSEHOVER,
                         WM_MOUSEHOVER, WM_NCMOUSELEAVE, WM_MOUSELEAVE}) {
        EXPECT_TRUE(is_keyboard_or_mouse_input(message)) << std::hex << message;
    }
    for (UINT message :
         {WM_PAINT, WM_TIMER, WM_COMMAND, WM_SETCURSOR, WM_NCHITTEST, WM_CLOSE, WM_QUIT, WM_APP}) {
        EXPECT_FALSE(is_keyboard_or_mouse_input(message)) << std::hex << message;
    }
}

TEST(QueuedInput, DroppingRemovesEveryKindOfInputAndKeepsTheRest) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    }
    const DWORD thread = GetCurrentThreadId();
    for (UINT message : {WM_KEYDOWN, WM_APP, WM_LBUTTONDOWN, WM_NCLBUTTONDOWN, WM_MOUSELEAVE,
                         WM_NCMOUSEHOVER, WM_APP + 1}) {
        ASSERT_TRUE(PostThreadMessageW(thread, message, 0, 0)) << std::hex << message;
    }
    drop_queued_input();
    std::vector<UINT> left;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) left.push_back(msg.message);
    EXPECT_EQ(left, (std::vector<UINT>{WM_APP, WM_APP + 1}));
}

std::vector<UINT> handled;

LRESULT CALLBACK note_message(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message >= WM_APP || message == WM_KEYDOWN) handled.push_back(message);
    return DefWindowProcW(hwnd, message, wparam, lparam);
}

TEST(QueuedInput, WaitingForAHeldFileHandlesTheWindowsWorkAndDropsInput) {
    // While another program holds a file, the busy window still repaints;
    // the keys and clicks meant for it go.
    WNDCLASSW window_class{};
    window_class.lpfnWndProc = note_message;
    window_class.hInstance = GetModuleHandleW(nullptr);
    window_class.lpszClassName = L"KelvarionWaitProbe";
    ASSERT_TRUE(RegisterClassW(&window_class));
    HWND window = CreateWindowW(L"KelvarionWaitProbe", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                window_class.hInstance, nullptr);
    ASSERT_NE(window, nullptr);
    handled.clear();
    for (UINT message : {WM_KEYDOWN, WM_APP, WM_LBUTTONDOWN, WM_APP + 1})
        ASSERT_TRUE(PostMessageW(window, message, 0, 0));
    const DWORD start = GetTickCount();
    wait_keeping_window_painted(100);
    EXPECT_GE(GetTickCount() - start, 90u);
    EXPECT_EQ(handled, (std::vector<UINT>{WM_APP, WM_APP + 1}));
    MSG msg;
    EXPECT_FALSE(PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE));
    DestroyWindow(window);
}

}  // namespace
}  // namespace kelvarion
