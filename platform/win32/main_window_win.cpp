// The main window's view operations: what the window's logic changes and
// reads on its controls, each change shown at once.
#include "platform/win32/main_window_win.h"

#include <commctrl.h>

#include <cmath>

#include "platform/win32/strconv_win.h"

namespace kelvarion {
namespace {

// comctl32 6 animates a growing bar over several hundred milliseconds with
// timer messages, which this thread does not handle while it sleeps between
// steps: the bar would trail behind the steps. A shrinking bar is drawn at
// once, so the bar overshoots by one and steps back.
void set_bar_position(HWND bar, int position) {
    if (position < 100) {
        SendMessageW(bar, PBM_SETPOS, position + 1, 0);
        SendMessageW(bar, PBM_SETPOS, position, 0);
    } else {
        SendMessageW(bar, PBM_SETRANGE32, 0, 101);
        SendMessageW(bar, PBM_SETPOS, 101, 0);
        SendMessageW(bar, PBM_SETPOS, 100, 0);
        SendMessageW(bar, PBM_SETRANGE32, 0, 100);
    }
}

}  // namespace

Win32MainView::Win32MainView(WindowLayout layout, HINSTANCE instance, int icon_id)
    : layout_(std::move(layout)), instance_(instance), icon_id_(icon_id) {}

Win32MainView::~Win32MainView() {
    if (window_) {
        quit_when_destroyed_ = false;  // the program is not ending through its window
        DestroyWindow(window_);
    }
    // The font and the icons go after the window that uses them.
}

void Win32MainView::set_enabled(Control control, bool enabled) {
    HWND hwnd = control_window(control);
    if (!hwnd) return;
    if (!enabled && GetFocus() == hwnd) {
        // A disabled control loses the focus; the window keeps it (and with
        // it the keys for the window's logic) until the control is enabled again.
        focus_parked_from_ = hwnd;
        SetFocus(window_);
    }
    EnableWindow(hwnd, enabled ? TRUE : FALSE);
    if (enabled && hwnd == focus_parked_from_) {
        if (GetFocus() == window_) SetFocus(hwnd);
        focus_parked_from_ = nullptr;
    }
    show_change();
}

bool Win32MainView::enabled(Control control) const {
    HWND hwnd = control_window(control);
    return hwnd && IsWindowEnabled(hwnd);
}

void Win32MainView::set_selected(Control option, bool selected) {
    HWND hwnd = control_window(option);
    if (!hwnd || !is_option_button(option)) return;
    if (selected) {
        for (const auto& [id, other] : controls_)
            if (id != option && is_option_button(id))
                SendMessageW(other, BM_SETCHECK, BST_UNCHECKED, 0);
    }
    SendMessageW(hwnd, BM_SETCHECK, selected ? BST_CHECKED : BST_UNCHECKED, 0);
    update_option_tab_stops();
    show_change();
}

bool Win32MainView::selected(Control option) const {
    HWND hwnd = control_window(option);
    return hwnd && is_option_button(option) && SendMessageW(hwnd, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void Win32MainView::set_caption(Control label, std::string_view text) {
    HWND hwnd = control_window(label);
    if (!hwnd) return;
    SetWindowTextW(hwnd, widen(text).c_str());
    show_change();
}

std::string Win32MainView::caption(Control label) const {
    HWND hwnd = control_window(label);
    if (!hwnd) return {};
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
    const int copied = GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()));
    text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
    return narrow(text);
}

void Win32MainView::set_progress(float value) {
    progress_ = value;
    HWND bar = control_window(Control::ProgressBar);
    if (!bar) return;
    // The bar shows whole steps; the value itself is kept as set.
    const int position = value >= 100.0f ? 100
                         : value > 0.0f  ? static_cast<int>(std::lround(value))
                                         : 0;
    set_bar_position(bar, position);
    show_change();
}

void Win32MainView::set_mouse_pointer(MousePointer pointer) {
    pointer_ = pointer;
    refresh_cursor();
    show_change();
}

void Win32MainView::refresh_cursor() {
    // The system asks for the cursor only when the mouse moves: ask for it
    // now on behalf of the window under the mouse, if it is one of ours.
    POINT at;
    if (!window_ || !GetCursorPos(&at)) return;
    HWND under = WindowFromPoint(at);
    if (!belongs_to_window(under)) return;
    const LRESULT hit = SendMessageW(under, WM_NCHITTEST, 0, MAKELPARAM(at.x, at.y));
    SendMessageW(under, WM_SETCURSOR, reinterpret_cast<WPARAM>(under),
                 MAKELPARAM(static_cast<WORD>(hit), WM_MOUSEMOVE));
}

void Win32MainView::unload() {
    if (window_) DestroyWindow(window_);
}

}  // namespace kelvarion
