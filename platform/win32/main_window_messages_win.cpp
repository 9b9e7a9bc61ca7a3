// The main window at run time: its handlers run with keyboard and mouse
// input held off, the message loop with key preview and Tab navigation, the
// pumping that keeps the window painted while a handler runs, and the
// window procedure.
#include "platform/win32/main_window_win.h"

#include "platform/win32/message_pump_win.h"
#include "platform/win32/queued_input_win.h"
#include "platform/win32/shutdown_block_win.h"

namespace kelvarion {

void Win32MainView::run_handler(const std::function<void()>& handler) {
    if (handler_depth_ == 0) busy_seen_in_handler_ = false;
    ++handler_depth_;
    if (handler) handler();
    --handler_depth_;
    if (handler_depth_ == 0 && busy_seen_in_handler_) {
        // Keys and clicks made during the sequence's pauses are still queued.
        drop_queued_input();
        busy_seen_in_handler_ = false;
    }
    if (handler_depth_ == 0 && session_end_refused_) {
        remove_shutdown_block_reason(window_);
        session_end_refused_ = false;
    }
}

void Win32MainView::show() {
    if (!window_) return;
    ShowWindow(window_, SW_SHOW);
    SetForegroundWindow(window_);
    if (!belongs_to_window(GetFocus()) || GetFocus() == window_) {
        if (HWND first = GetNextDlgTabItem(window_, nullptr, FALSE)) SetFocus(first);
    }
    UpdateWindow(window_);
}

int Win32MainView::run_message_loop() {
    MSG msg;
    for (;;) {
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == -1) return 1;
        if (got == 0) return static_cast<int>(msg.wParam);
        process_message(msg);
    }
}

void Win32MainView::process_message(MSG& msg) {
    if (preview_key_down(msg)) return;
    if (window_ && IsDialogMessageW(window_, &msg)) return;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
}

bool Win32MainView::belongs_to_window(HWND hwnd) const {
    return window_ && hwnd && (hwnd == window_ || IsChild(window_, hwnd));
}

bool Win32MainView::preview_key_down(const MSG& msg) {
    // Key preview: the window's logic sees the key before the control that
    // has the focus.
    if (msg.message != WM_KEYDOWN || !belongs_to_window(msg.hwnd)) return false;
    const int virtual_key = static_cast<int>(msg.wParam);
    run_handler([&] {
        if (events_.key_down) events_.key_down(virtual_key);
    });
    // Enter and Esc mean Install and Exit to the window's logic only; a
    // focused button would take them for a click.
    return virtual_key == VK_RETURN || virtual_key == VK_ESCAPE;
}

bool Win32MainView::input_held_off() const {
    return handler_depth_ > 0 || (events_.busy && events_.busy());
}

void Win32MainView::show_change() {
    if (!window_) return;
    RedrawWindow(window_, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    pump_waiting_messages();
}

void Win32MainView::pump_waiting_messages() {
    if (events_.busy && events_.busy()) busy_seen_in_handler_ = true;
    // A WM_QUIT is left for the message loop, once the handler has returned.
    pump_queued_messages([this](MSG& msg) {
        if (is_keyboard_or_mouse_input(msg.message) && input_held_off()) return;
        process_message(msg);
    });
}

void Win32MainView::on_command(int id, int notification) {
    if (notification != BN_CLICKED) return;
    const auto control = static_cast<Control>(id);
    if (is_option_button(control)) {
        update_option_tab_stops();
        return;
    }
    // A click while a handler runs cannot come from the user (input is held
    // off); a disabled button is never clicked.
    HWND button = control_window(control);
    if (handler_depth_ > 0 || !button || !IsWindowEnabled(button)) return;
    if (events_.click) run_handler([this, control] { events_.click(control); });
}

void Win32MainView::on_activate(bool active) {
    // As a dialog does: the focus leaves with the window and comes back to
    // the same control.
    if (!active) {
        HWND focus = GetFocus();
        focus_before_deactivation_ = belongs_to_window(focus) ? focus : nullptr;
        return;
    }
    HWND target = focus_before_deactivation_;
    if (!target || !IsWindow(target) || !IsWindowEnabled(target))
        target = GetNextDlgTabItem(window_, nullptr, FALSE);
    SetFocus(target ? target : window_);
}

LRESULT CALLBACK Win32MainView::window_procedure(HWND window, UINT message, WPARAM wparam,
                                                 LPARAM lparam) {
    if (message == WM_NCCREATE) {
        auto* view =
            static_cast<Win32MainView*>(reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams);
        view->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(view));
    }
    auto* view = reinterpret_cast<Win32MainView*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!view) return DefWindowProcW(window, message, wparam, lparam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        view->window_ = nullptr;
        view->controls_.clear();
        view->focus_parked_from_ = nullptr;
        view->focus_before_deactivation_ = nullptr;
        return DefWindowProcW(window, message, wparam, lparam);
    }
    return view->handle(message, wparam, lparam);
}

LRESULT Win32MainView::handle(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_COMMAND: on_command(LOWORD(wparam), HIWORD(wparam)); return 0;
        case WM_CLOSE:
            // The close box unloads the window, but not in the middle of the
            // installation sequence.
            if (handler_depth_ == 0 && !(events_.busy && events_.busy())) unload();
            return 0;
        case WM_QUERYENDSESSION:
            // Ending the session in the middle of the installation would stop
            // it between two writes of SAS's files: refused while busy, with
            // the reason Windows shows beside the program.
            if (!input_held_off()) return TRUE;
            if (!session_end_refused_)
                show_shutdown_block_reason(window_, L"Kelvarion is updating SAS's files.");
            session_end_refused_ = true;
            return FALSE;
        case WM_DESTROY:
            // The program ends when its only window is unloaded.
            if (quit_when_destroyed_) PostQuitMessage(0);
            return 0;
        case WM_CTLCOLOREDIT:
            if (is_text_box(reinterpret_cast<HWND>(lparam))) {
                SetBkColor(reinterpret_cast<HDC>(wparam), GetSysColor(COLOR_BTNFACE));
                return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
            }
            break;
        case WM_SETCURSOR:
            if (pointer_ == MousePointer::Hourglass && LOWORD(lparam) == HTCLIENT) {
                SetCursor(LoadCursorW(nullptr, IDC_WAIT));
                return TRUE;
            }
            break;
        case WM_ACTIVATE: on_activate(LOWORD(wparam) != WA_INACTIVE); return 0;
        default: break;
    }
    return DefWindowProcW(window_, message, wparam, lparam);
}

}  // namespace kelvarion
