// The real main window under Wine (on a private X display): controls made
// from the twips table, the option group, key preview, input held off while a
// handler runs, the close box and the mouse pointer.

#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "app/main_window_layout.h"
#include "editions/current_edition.h"
#include "editions/legacy_edition.h"
#include "platform/win32/main_window_win.h"
#include "platform/win32/win32_platform.h"

namespace kelvarion {
namespace {

// The window's click event as two handlers, one per command button.
std::function<void(Control)> clicks(std::function<void()> install, std::function<void()> exit) {
    return [install, exit](Control button) {
        if (button == Control::InstallButton && install) install();
        if (button == Control::ExitButton && exit) exit();
    };
}

// What the window's logic would have been told.
struct Recorder {
    std::vector<int> keys;
    int installs = 0;
    int exits = 0;
    bool busy = false;

    MainWindowEvents events() {
        return {
            .key_down = [this](int key) { keys.push_back(key); },
            .click = clicks([this] { ++installs; }, [this] { ++exits; }),
            .busy = [this] { return busy; },
        };
    }
};

// Removes what an earlier test left in the thread's queue (WM_QUIT included).
void clear_queue() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    }
}

// Runs the view's message loop over everything queued now.
void process_queued(Win32MainView& view) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        view.process_message(msg);
    }
}

bool quit_posted(int* code) {
    MSG msg;
    if (!PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) return false;
    *code = static_cast<int>(msg.wParam);
    return true;
}

std::wstring class_of(HWND hwnd) {
    wchar_t name[64] = {};
    GetClassNameW(hwnd, name, 64);
    return name;
}

LONG_PTR style_of(HWND hwnd) { return GetWindowLongPtrW(hwnd, GWL_STYLE); }

RECT rect_in_client(HWND control) {
    RECT rect;
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

int screen_dpi(int index) {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, index);
    ReleaseDC(nullptr, screen);
    return dpi;
}

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        clear_queue();
        std::string err;
        ASSERT_TRUE(view.create(&err)) << err;
        view.set_events(recorder.events());
        view.show();
        clear_queue();
    }
    void TearDown() override { clear_queue(); }

    HWND control(Control id) const { return view.control_window(id); }

    Win32MainView view{main_window_layout(kCurrentEdition), GetModuleHandleW(nullptr), 0};
    Recorder recorder;
};

void expect_layout(const EditionProfile& edition) {
    clear_queue();
    Win32MainView view(main_window_layout(edition), GetModuleHandleW(nullptr), 0);
    std::string err;
    ASSERT_TRUE(view.create(&err)) << err;
    const HWND window = view.window();
    const int dpi_x = screen_dpi(LOGPIXELSX), dpi_y = screen_dpi(LOGPIXELSY);

    wchar_t caption[64] = {};
    GetWindowTextW(window, caption, 64);
    EXPECT_STREQ(L"Kelvarion installation", caption);
    const LONG_PTR style = style_of(window);
    EXPECT_EQ(0, style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));
    EXPECT_NE(0, style & WS_SYSMENU);

    RECT client;
    GetClientRect(window, &client);
    EXPECT_EQ(MulDiv(5430, dpi_x, 1440), client.right);
    EXPECT_EQ(MulDiv(edition.window.client_height, dpi_y, 1440), client.bottom);

    RECT outer;
    GetWindowRect(window, &outer);
    EXPECT_LE(std::abs((outer.left + outer.right) / 2 - GetSystemMetrics(SM_CXSCREEN) / 2), 1);
    EXPECT_LE(std::abs((outer.top + outer.bottom) / 2 - GetSystemMetrics(SM_CYSCREEN) / 2), 1);

    const std::vector<ControlLayout> layout = main_window_layout(edition).controls;
    for (const ControlLayout& item : layout) {
        SCOPED_TRACE(static_cast<int>(item.id));
        const HWND hwnd = view.control_window(item.id);
        ASSERT_NE(nullptr, hwnd);
        EXPECT_EQ(static_cast<int>(item.id), GetDlgCtrlID(hwnd));
        EXPECT_EQ(window, GetParent(hwnd));

        // A frame's controls sit at the frame's place plus their own.
        int left = item.left, top = item.top;
        for (const ControlLayout& frame : layout)
            if (item.container && frame.id == *item.container) {
                left += frame.left;
                top += frame.top;
            }
        const RECT rect = rect_in_client(hwnd);
        EXPECT_EQ(MulDiv(left, dpi_x, 1440), rect.left);
        EXPECT_EQ(MulDiv(top, dpi_y, 1440), rect.top);
        EXPECT_EQ(MulDiv(item.width, dpi_x, 1440), rect.right - rect.left);
        EXPECT_EQ(MulDiv(item.height, dpi_y, 1440), rect.bottom - rect.top);

        if (item.kind != ControlKind::ProgressBar && item.kind != ControlKind::TextBox) {
            EXPECT_EQ(std::string(item.caption), view.caption(item.id));
        }
        EXPECT_NE(nullptr, reinterpret_cast<HFONT>(SendMessageW(hwnd, WM_GETFONT, 0, 0)));

        const LONG_PTR kind = style_of(hwnd) & BS_TYPEMASK;
        switch (item.kind) {
            case ControlKind::Frame:
                EXPECT_EQ(L"Button", class_of(hwnd));
                EXPECT_EQ(BS_GROUPBOX, kind);
                break;
            case ControlKind::OptionButton:
                EXPECT_EQ(L"Button", class_of(hwnd));
                EXPECT_EQ(BS_AUTORADIOBUTTON, kind);
                break;
            case ControlKind::CommandButton:
                EXPECT_EQ(L"Button", class_of(hwnd));
                EXPECT_EQ(BS_PUSHBUTTON, kind);  // not BS_DEFPUSHBUTTON
                break;
            case ControlKind::ProgressBar:
                EXPECT_EQ(std::wstring(PROGRESS_CLASSW), class_of(hwnd));
                EXPECT_EQ(0, SendMessageW(hwnd, PBM_GETRANGE, TRUE, 0));
                EXPECT_EQ(100, SendMessageW(hwnd, PBM_GETRANGE, FALSE, 0));
                break;
            case ControlKind::Label: EXPECT_EQ(L"Static", class_of(hwnd)); break;
            case ControlKind::TextBox:
                EXPECT_EQ(L"Edit", class_of(hwnd));
                EXPECT_NE(0, style_of(hwnd) & ES_MULTILINE);
                EXPECT_EQ(0, style_of(hwnd) & WS_TABSTOP);
                break;
        }
    }
    EXPECT_EQ(offers(edition, SasVersion::V92),
              view.control_window(Control::Sas92Option) != nullptr);
    EXPECT_TRUE(view.selected(Control::Sas8Option));
    EXPECT_FALSE(view.selected(Control::Sas91Option));
    EXPECT_EQ(0, SendMessageW(view.control_window(Control::ProgressBar), PBM_GETPOS, 0, 0));
}

TEST(MessageBoxes, ErrorHasTheCriticalStopIconAndTheNoticeTheInformationIcon) {
    EXPECT_EQ(Win32Platform::message_box_style(MessageIcon::Critical, true),
              static_cast<unsigned>(MB_OK | MB_ICONERROR));
    EXPECT_EQ(Win32Platform::message_box_style(MessageIcon::Information, true),
              static_cast<unsigned>(MB_OK | MB_ICONINFORMATION));
    // With no window left to own it, the box still holds the thread.
    EXPECT_EQ(Win32Platform::message_box_style(MessageIcon::Critical, false),
              static_cast<unsigned>(MB_OK | MB_ICONERROR | MB_TASKMODAL));
}

TEST(MainWindowLayout, TheScreenHasTheDpiTheRunAsksFor) {
    // Else a run meant for 144 DPI would pass at 96, where rounding and
    // truncating agree.
    const char* asked = std::getenv("KELVARION_WINE_DPI");
    const int dpi = asked ? std::atoi(asked) : 96;
    EXPECT_EQ(dpi, screen_dpi(LOGPIXELSX));
    EXPECT_EQ(dpi, screen_dpi(LOGPIXELSY));
}

TEST(MainWindowLayout, CurrentEditionFollowsTheTwipsTable) { expect_layout(kCurrentEdition); }

TEST(MainWindowLayout, LegacyEditionFollowsTheTwipsTable) { expect_layout(kLegacyEdition); }

TEST_F(MainWindowTest, OptionButtonsFormOneGroupThatTheUserCanClick) {
    // The SAS 9.2 button is last in tab order, yet a click on it clears the SAS 8 one.
    SendMessageW(control(Control::Sas92Option), BM_CLICK, 0, 0);
    EXPECT_TRUE(view.selected(Control::Sas92Option));
    EXPECT_FALSE(view.selected(Control::Sas8Option));
    EXPECT_FALSE(view.selected(Control::Sas91Option));

    view.set_selected(Control::Sas91Option, true);
    EXPECT_TRUE(view.selected(Control::Sas91Option));
    EXPECT_FALSE(view.selected(Control::Sas92Option));
    // Only the checked button is the group's tab stop.
    EXPECT_NE(0, style_of(control(Control::Sas91Option)) & WS_TABSTOP);
    EXPECT_EQ(0, style_of(control(Control::Sas8Option)) & WS_TABSTOP);

    view.set_enabled(Control::Sas91Option, false);
    EXPECT_FALSE(view.enabled(Control::Sas91Option));
    EXPECT_TRUE(view.selected(Control::Sas91Option));

    view.set_selected(Control::InstallButton, true);  // not an option button: ignored
    EXPECT_FALSE(view.selected(Control::InstallButton));
    EXPECT_TRUE(view.selected(Control::Sas91Option));
}

TEST_F(MainWindowTest, ProgressKeepsItsValueAndShowsItRounded) {
    view.set_progress(37.6f);
    EXPECT_EQ(37.6f, view.progress());
    EXPECT_EQ(38, SendMessageW(control(Control::ProgressBar), PBM_GETPOS, 0, 0));
    view.set_progress(100.0f);
    EXPECT_EQ(100, SendMessageW(control(Control::ProgressBar), PBM_GETPOS, 0, 0));
    EXPECT_EQ(100, SendMessageW(control(Control::ProgressBar), PBM_GETRANGE, FALSE, 0));
    view.set_progress(0.0f);
    EXPECT_EQ(0, SendMessageW(control(Control::ProgressBar), PBM_GETPOS, 0, 0));
}

TEST_F(MainWindowTest, CaptionsAndTheConfigTextKeepTheirText) {
    view.set_caption(Control::StatusLabel, "Error configing SAS System ...");
    wchar_t shown[64] = {};
    GetWindowTextW(control(Control::StatusLabel), shown, 64);
    EXPECT_STREQ(L"Error configing SAS System ...", shown);
    view.set_caption(Control::StatusLabel,
                     "D:\\Pr\xC3\xBC"
                     "fung \xC5\x91");
    EXPECT_EQ(
        "D:\\Pr\xC3\xBC"
        "fung \xC5\x91",
        view.caption(Control::StatusLabel));

    // Bytes that are not UTF-8 and far more than an edit control holds.
    std::string text = "-SET SASAUTOS (\r\n\xE9\xFF\r\n";
    text += std::string(200000, 'x');
    view.set_config_text(text);
    EXPECT_EQ(text, view.config_text());
}

TEST_F(MainWindowTest, KeyPreviewSeesKeysFirstAndKeepsEnterAndEscFromTheControls) {
    // The edit control would take Enter for a line break, were it passed on.
    const HWND text_box = control(Control::ConfigTextBox);
    SetFocus(text_box);
    ASSERT_EQ(text_box, GetFocus());
    PostMessageW(text_box, WM_KEYDOWN, VK_RETURN, 0x001C0001);
    PostMessageW(text_box, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
    PostMessageW(text_box, WM_KEYDOWN, 'A', 0x001E0001);
    PostMessageW(view.window(), WM_KEYDOWN, 'B', 0x00300001);
    process_queued(view);
    EXPECT_EQ((std::vector<int>{VK_RETURN, VK_ESCAPE, 'A', 'B'}), recorder.keys);
    wchar_t typed[16] = {};
    GetWindowTextW(text_box, typed, 16);
    EXPECT_STREQ(L"a", typed);
    EXPECT_EQ(0, recorder.exits);
    EXPECT_EQ(0, recorder.installs);

    // Any other key goes on to the control: Space clicks the focused button.
    SetFocus(control(Control::ExitButton));
    PostMessageW(control(Control::ExitButton), WM_KEYDOWN, VK_SPACE, 0x00390001);
    PostMessageW(control(Control::ExitButton), WM_KEYUP, VK_SPACE, 0xC0390001);
    process_queued(view);
    EXPECT_EQ(VK_SPACE, recorder.keys.back());
    EXPECT_EQ(1, recorder.exits);
}

TEST_F(MainWindowTest, ClicksReachTheHandlersOnlyFromEnabledButtons) {
    SendMessageW(control(Control::InstallButton), BM_CLICK, 0, 0);
    SendMessageW(control(Control::ExitButton), BM_CLICK, 0, 0);
    EXPECT_EQ(1, recorder.installs);
    EXPECT_EQ(1, recorder.exits);

    view.set_enabled(Control::InstallButton, false);
    SendMessageW(view.window(), WM_COMMAND, MAKEWPARAM(Control::InstallButton, BN_CLICKED),
                 reinterpret_cast<LPARAM>(control(Control::InstallButton)));
    EXPECT_EQ(1, recorder.installs);
}

VOID CALLBACK note_timer(HWND hwnd, UINT, UINT_PTR id, DWORD) {
    KillTimer(hwnd, id);
    *reinterpret_cast<bool*>(GetPropW(hwnd, L"timer-fired")) = true;
}

TEST_F(MainWindowTest, InputMadeWhileTheSequenceRunsIsDroppedNotReplayed) {
    bool timer_fired = false;
    SetPropW(view.window(), L"timer-fired", &timer_fired);
    const HWND window = view.window();
    const HWND exit_button = control(Control::ExitButton);
    bool window_open_after_close = false;

    view.set_events({
        .key_down = [this](int key) { recorder.keys.push_back(key); },
        .click = clicks(
            [&] {
                recorder.busy = true;
                view.set_mouse_pointer(MousePointer::Hourglass);
                // Keys and a click queued before the next update ...
                PostMessageW(window, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
                PostMessageW(exit_button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
                PostMessageW(exit_button, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
                SetTimer(window, 1, 1, note_timer);
                Sleep(30);
                view.set_caption(Control::StatusLabel, "Creating join.sas ...");
                // ... the close box ...
                SendMessageW(window, WM_CLOSE, 0, 0);
                window_open_after_close = IsWindow(window);
                // ... and keys pressed during the last pause.
                PostMessageW(window, WM_KEYDOWN, VK_RETURN, 0x001C0001);
                recorder.busy = false;
                view.set_mouse_pointer(MousePointer::Default);
                PostMessageW(window, WM_KEYDOWN, 'Q', 0x00100001);
            },
            [this] { ++recorder.exits; }),
        .busy = [this] { return recorder.busy; },
    });
    SendMessageW(control(Control::InstallButton), BM_CLICK, 0, 0);
    process_queued(view);

    EXPECT_TRUE(recorder.keys.empty());
    EXPECT_EQ(0, recorder.exits);
    EXPECT_TRUE(window_open_after_close);
    EXPECT_TRUE(view.is_open());
    // Paint and other non-input messages were dispatched meanwhile.
    EXPECT_TRUE(timer_fired);
    RECT pending;
    EXPECT_FALSE(GetUpdateRect(control(Control::StatusLabel), &pending, FALSE));

    // Once idle, keys reach the window's logic again.
    PostMessageW(window, WM_KEYDOWN, 'Z', 0x002C0001);
    process_queued(view);
    EXPECT_EQ(std::vector<int>{'Z'}, recorder.keys);
    RemovePropW(window, L"timer-fired");
}

TEST_F(MainWindowTest, UnloadAtTheEndOfTheSequenceStillEndsTheProgram) {
    view.set_events({
        .key_down = {},
        .click = clicks(
            [this] {
                recorder.busy = true;
                view.set_caption(Control::StatusLabel, "Config SAS System ...");
                PostMessageW(view.window(), WM_KEYDOWN, VK_RETURN, 0x001C0001);
                recorder.busy = false;
                view.unload();
            },
            {}),
        .busy = [this] { return recorder.busy; },
    });
    SendMessageW(control(Control::InstallButton), BM_CLICK, 0, 0);
    EXPECT_FALSE(view.is_open());
    int code = -1;
    EXPECT_TRUE(quit_posted(&code));
    EXPECT_EQ(0, code);
}

TEST_F(MainWindowTest, ALogoffIsRefusedWhileBusyAndAllowedWhenIdle) {
    LRESULT while_busy = -1;
    view.set_events({
        .key_down = {},
        .click = clicks(
            [&] {
                recorder.busy = true;
                while_busy = SendMessageW(view.window(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF);
                recorder.busy = false;
            },
            {}),
        .busy = [this] { return recorder.busy; },
    });
    EXPECT_EQ(TRUE, SendMessageW(view.window(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF));
    SendMessageW(control(Control::InstallButton), BM_CLICK, 0, 0);
    process_queued(view);  // the click's repaint
    EXPECT_EQ(FALSE, while_busy);
    EXPECT_EQ(TRUE, SendMessageW(view.window(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF));
}

TEST_F(MainWindowTest, InputAfterAShortHandlerIsKept) {
    // Only a handler that went busy discards what was queued meanwhile.
    view.set_events({
        .key_down = [this](int key) { recorder.keys.push_back(key); },
        .click = clicks([&] { PostMessageW(view.window(), WM_KEYDOWN, 'K', 0x00250001); }, {}),
        .busy = [this] { return recorder.busy; },
    });
    SendMessageW(control(Control::InstallButton), BM_CLICK, 0, 0);
    process_queued(view);
    EXPECT_EQ(std::vector<int>{'K'}, recorder.keys);
}

TEST_F(MainWindowTest, TheHourglassIsShownWhileBusy) {
    const auto ask_cursor = [](HWND over) {
        return SendMessageW(over, WM_SETCURSOR, reinterpret_cast<WPARAM>(over),
                            MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    };
    view.set_mouse_pointer(MousePointer::Hourglass);
    EXPECT_TRUE(ask_cursor(view.window()));
    EXPECT_EQ(LoadCursorW(nullptr, IDC_WAIT), GetCursor());
    SetCursor(nullptr);
    ask_cursor(control(Control::ExitButton));  // a control asks its window first
    EXPECT_EQ(LoadCursorW(nullptr, IDC_WAIT), GetCursor());

    view.set_mouse_pointer(MousePointer::Default);
    ask_cursor(view.window());
    EXPECT_EQ(LoadCursorW(nullptr, IDC_ARROW), GetCursor());
}

TEST_F(MainWindowTest, AFocusedButtonThatIsDisabledGetsTheFocusBack) {
    SetFocus(control(Control::ExitButton));
    ASSERT_EQ(control(Control::ExitButton), GetFocus());
    view.set_enabled(Control::ExitButton, false);
    EXPECT_EQ(view.window(), GetFocus());  // keys still reach the window's logic
    view.set_enabled(Control::ExitButton, true);
    EXPECT_EQ(control(Control::ExitButton), GetFocus());
}

TEST_F(MainWindowTest, TheCloseBoxAndUnloadEndTheProgram) {
    const HWND window = view.window();
    SendMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_FALSE(view.is_open());
    int code = -1;
    EXPECT_TRUE(quit_posted(&code));
    EXPECT_EQ(0, code);

    // The view outlives its window harmlessly.
    view.set_caption(Control::StatusLabel, "Installation completed.");
    view.set_progress(100.0f);
    EXPECT_FALSE(view.enabled(Control::InstallButton));
    EXPECT_EQ(100.0f, view.progress());
}

TEST(MainWindowLifetime, UnloadPostsQuitButDestroyingTheViewDoesNot) {
    clear_queue();
    int code = -1;
    {
        Win32MainView view(main_window_layout(kLegacyEdition), GetModuleHandleW(nullptr), 0);
        std::string err;
        ASSERT_TRUE(view.create(&err)) << err;
        view.unload();
        EXPECT_FALSE(view.is_open());
        EXPECT_TRUE(quit_posted(&code));
    }
    {
        Win32MainView view(main_window_layout(kLegacyEdition), GetModuleHandleW(nullptr), 0);
        std::string err;
        ASSERT_TRUE(view.create(&err)) << err;
    }
    EXPECT_FALSE(quit_posted(&code));
}

TEST(MainWindowLifetime, TheScaledFontGoesWithTheView) {
    clear_queue();
    HFONT font = nullptr;
    {
        Win32MainView view(main_window_layout(kCurrentEdition), GetModuleHandleW(nullptr), 0);
        std::string err;
        ASSERT_TRUE(view.create(&err)) << err;
        font = reinterpret_cast<HFONT>(
            SendMessageW(view.control_window(Control::InstallButton), WM_GETFONT, 0, 0));
        // The view's own font, not the stock one, which is never deleted.
        ASSERT_NE(font, GetStockObject(DEFAULT_GUI_FONT));
        EXPECT_EQ(GetObjectType(font), static_cast<DWORD>(OBJ_FONT));
    }
    EXPECT_EQ(GetObjectType(font), 0u);
}

TEST(MainWindowLifetime, TheMessageLoopEndsWhenEscUnloadsTheWindow) {
    clear_queue();
    Win32MainView view(main_window_layout(kCurrentEdition), GetModuleHandleW(nullptr), 0);
    std::string err;
    ASSERT_TRUE(view.create(&err)) << err;
    std::vector<int> keys;
    view.set_events({
        .key_down =
            [&](int key) {
                keys.push_back(key);
                if (key == VK_ESCAPE) view.unload();
            },
        .click = clicks({}, {}),
        .busy = {},
    });
    view.show();
    PostMessageW(view.control_window(Control::InstallButton), WM_KEYDOWN, VK_ESCAPE, 0x00010001);
    EXPECT_EQ(0, view.run_message_loop());
    EXPECT_EQ(std::vector<int>{VK_ESCAPE}, keys);
    EXPECT_FALSE(view.is_open());
}

}  // namespace
}  // namespace kelvarion
