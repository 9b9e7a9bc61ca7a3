#include "platform/win32/main_window_win.h"

#include <commctrl.h>

#include <algorithm>
#include <cmath>
#include <optional>

#include "platform/win32/error_text_win.h"
#include "platform/win32/queued_input_win.h"
#include "platform/win32/strconv_win.h"

namespace kelvarion {
namespace {

constexpr wchar_t kWindowClassName[] = L"KelvarionSetupMainWindow";
// A fixed border, no minimise or maximise box. Not WS_CLIPCHILDREN: group
// boxes do not paint their inside, the window's background shows through.
constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kWindowExStyle = 0;
// The twips layout was drawn for an 8-point dialog font.
constexpr int kFontPoints = 8;
// Bounds one round of dispatching, should a window keep invalidating itself.
constexpr int kMessagesPerPump = 256;

struct Dpi {
    int x = 96;
    int y = 96;
};

Dpi screen_dpi() {
    Dpi dpi;
    if (HDC screen = GetDC(nullptr)) {
        dpi.x = GetDeviceCaps(screen, LOGPIXELSX);
        dpi.y = GetDeviceCaps(screen, LOGPIXELSY);
        ReleaseDC(nullptr, screen);
    }
    return dpi;
}

int twips_to_pixels(int twips, int dpi) { return MulDiv(twips, dpi, 1440); }

const ControlLayout* find_layout(const std::vector<ControlLayout>& layout, Control id) {
    for (const ControlLayout& control : layout)
        if (control.id == id) return &control;
    return nullptr;
}

// A control's rectangle in the window's client area. Win32 group boxes are
// not containers, so a frame's controls are the window's children, placed at
// the frame's position plus their own.
RECT client_rect_of(const ControlLayout& control, const std::vector<ControlLayout>& layout,
                    Dpi dpi) {
    int left = control.left;
    int top = control.top;
    if (control.container) {
        if (const ControlLayout* frame = find_layout(layout, *control.container)) {
            left += frame->left;
            top += frame->top;
        }
    }
    RECT rect;
    rect.left = twips_to_pixels(left, dpi.x);
    rect.top = twips_to_pixels(top, dpi.y);
    rect.right = rect.left + twips_to_pixels(control.width, dpi.x);
    rect.bottom = rect.top + twips_to_pixels(control.height, dpi.y);
    return rect;
}

struct WindowClassAndStyle {
    const wchar_t* class_name;
    DWORD style;
    DWORD ex_style;
};

WindowClassAndStyle class_and_style(const ControlLayout& control) {
    const DWORD child = WS_CHILD | WS_VISIBLE;
    switch (control.kind) {
        case ControlKind::Frame:
            // Below every other control (see arrange_z_order), and clipped by them.
            return {WC_BUTTONW, child | WS_GROUP | WS_CLIPSIBLINGS | BS_GROUPBOX, 0};
        case ControlKind::OptionButton:
            // One group from its first button to the next WS_GROUP control; the
            // button that is checked carries the tab stop.
            return {WC_BUTTONW, child | BS_AUTORADIOBUTTON | (control.starts_group ? WS_GROUP : 0),
                    0};
        case ControlKind::CommandButton:
            // None is the default button: Enter and Esc belong to the window's
            // key handler.
            return {WC_BUTTONW, child | WS_GROUP | WS_TABSTOP | BS_PUSHBUTTON, 0};
        case ControlKind::ProgressBar: return {PROGRESS_CLASSW, child | WS_GROUP, 0};
        case ControlKind::Label: return {WC_STATICW, child | WS_GROUP | SS_LEFT | SS_NOPREFIX, 0};
        case ControlKind::TextBox:
            // Never a tab stop: the box lies outside the client area, and focus
            // on it would vanish from sight. No border, and painted in the
            // window's colour (WM_CTLCOLOREDIT): the corner of it that the legacy
            // layout leaves inside the client area is not seen either.
            return {WC_EDITW, child | WS_GROUP | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN, 0};
    }
    return {WC_STATICW, child, 0};
}

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

bool Win32MainView::register_window_class(std::string* err) {
    WNDCLASSEXW window_class{};
    window_class.cbSize = sizeof window_class;
    window_class.lpfnWndProc = &Win32MainView::window_procedure;
    window_class.hInstance = instance_;
    window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    window_class.lpszClassName = kWindowClassName;
    if (RegisterClassExW(&window_class) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
        if (err) *err = last_error_text();
        return false;
    }
    return true;
}

bool Win32MainView::create(std::string* err) {
    if (window_) return true;
    if (!register_window_class(err)) return false;

    const Dpi dpi = screen_dpi();
    RECT frame{0, 0, twips_to_pixels(layout_.client_width_twips, dpi.x),
               twips_to_pixels(layout_.client_height_twips, dpi.y)};
    AdjustWindowRectEx(&frame, kWindowStyle, FALSE, kWindowExStyle);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    // Centred on the screen.
    const int left = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    const int top = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;

    const HWND created =
        CreateWindowExW(kWindowExStyle, kWindowClassName, widen(layout_.caption).c_str(),
                        kWindowStyle, left, top, width, height, nullptr, nullptr, instance_, this);
    if (!created) {
        if (err) *err = last_error_text();
        return false;
    }
    // window_ was set by WM_NCCREATE.

    if (icon_id_ != 0) {
        big_icon_.reset(static_cast<HICON>(LoadImageW(instance_, MAKEINTRESOURCEW(icon_id_),
                                                      IMAGE_ICON, GetSystemMetrics(SM_CXICON),
                                                      GetSystemMetrics(SM_CYICON), 0)));
        small_icon_.reset(static_cast<HICON>(LoadImageW(instance_, MAKEINTRESOURCEW(icon_id_),
                                                        IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                                        GetSystemMetrics(SM_CYSMICON), 0)));
        if (big_icon_)
            SendMessageW(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big_icon_.get()));
        if (small_icon_)
            SendMessageW(window_, WM_SETICON, ICON_SMALL,
                         reinterpret_cast<LPARAM>(small_icon_.get()));
    }

    make_font();
    if (!create_controls(err)) {
        quit_when_destroyed_ = false;
        DestroyWindow(window_);
        quit_when_destroyed_ = true;
        return false;
    }
    arrange_z_order();
    return true;
}

void Win32MainView::make_font() {
    // DEFAULT_GUI_FONT's face at 8 points for this screen's DPI: the stock
    // object itself keeps the height of 96 DPI on some systems, and the
    // message font (9-point Segoe UI on later Windows) clips the captions
    // that the twips layout was drawn for.
    const auto stock = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    LOGFONTW description{};
    if (stock && GetObjectW(stock, sizeof description, &description) == sizeof description) {
        description.lfHeight = -MulDiv(kFontPoints, screen_dpi().y, 72);
        description.lfWidth = 0;
        owned_font_.reset(CreateFontIndirectW(&description));
        if (owned_font_) {
            font_ = owned_font_.get();
            return;
        }
    }
    font_ = stock;
}

bool Win32MainView::create_controls(std::string* err) {
    const Dpi dpi = screen_dpi();
    for (const ControlLayout& control : layout_.controls) {
        const WindowClassAndStyle kind = class_and_style(control);
        const RECT rect = client_rect_of(control, layout_.controls, dpi);
        const HWND hwnd = CreateWindowExW(
            kind.ex_style, kind.class_name, widen(control.caption).c_str(), kind.style, rect.left,
            rect.top, rect.right - rect.left, rect.bottom - rect.top, window_,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(control.id)), instance_, nullptr);
        if (!hwnd) {
            if (err) *err = last_error_text();
            return false;
        }
        if (font_) SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
        controls_.emplace_back(control.id, hwnd);
        if (control.kind == ControlKind::ProgressBar) {
            SendMessageW(hwnd, PBM_SETRANGE32, 0, 100);
            SendMessageW(hwnd, PBM_SETPOS, 0, 0);
        }
    }
    for (const ControlLayout& control : layout_.controls)
        if (control.selected) SendMessageW(control_window(control.id), BM_SETCHECK, BST_CHECKED, 0);
    update_option_tab_stops();
    return true;
}

void Win32MainView::arrange_z_order() {
    // The dialog manager takes radio groups and Tab order from the z-order.
    // An option button may come late in tab order (the SAS 9.2 one comes
    // last), yet it belongs to its frame's group: each goes right after the
    // option button before it in the same frame.
    std::vector<HWND> last_option_in;  // by container, as met
    std::vector<std::optional<Control>> containers;
    for (const ControlLayout& control : layout_.controls) {
        if (control.kind != ControlKind::OptionButton) continue;
        const auto known = std::find(containers.begin(), containers.end(), control.container);
        HWND button = control_window(control.id);
        if (known == containers.end()) {
            containers.push_back(control.container);
            last_option_in.push_back(button);
            continue;
        }
        HWND& before = last_option_in[known - containers.begin()];
        SetWindowPos(button, before, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        before = button;
    }
    // Frames are painted beneath the controls placed on them, and hold no
    // tab stop, so they go to the bottom.
    for (const ControlLayout& control : layout_.controls)
        if (control.kind == ControlKind::Frame)
            SetWindowPos(control_window(control.id), HWND_BOTTOM, 0, 0, 0, 0,
                         SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

HWND Win32MainView::control_window(Control control) const {
    for (const auto& [id, hwnd] : controls_)
        if (id == control) return hwnd;
    return nullptr;
}

bool Win32MainView::is_option_button(Control control) const {
    const ControlLayout* layout = find_layout(layout_.controls, control);
    return layout && layout->kind == ControlKind::OptionButton;
}

bool Win32MainView::is_text_box(HWND hwnd) const {
    for (const auto& [id, control] : controls_) {
        const ControlLayout* layout = find_layout(layout_.controls, id);
        if (control == hwnd && layout && layout->kind == ControlKind::TextBox) return true;
    }
    return false;
}

void Win32MainView::update_option_tab_stops() {
    // The checked option button is the group's tab stop; with none checked,
    // each of them is, so that the group can still be reached.
    bool any_checked = false;
    for (const auto& [id, hwnd] : controls_)
        if (is_option_button(id) && SendMessageW(hwnd, BM_GETCHECK, 0, 0) == BST_CHECKED)
            any_checked = true;
    for (const auto& [id, hwnd] : controls_) {
        if (!is_option_button(id)) continue;
        const bool stop = !any_checked || SendMessageW(hwnd, BM_GETCHECK, 0, 0) == BST_CHECKED;
        const LONG_PTR style = GetWindowLongPtrW(hwnd, GWL_STYLE);
        SetWindowLongPtrW(hwnd, GWL_STYLE, stop ? (style | WS_TABSTOP) : (style & ~WS_TABSTOP));
    }
}

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
    MSG msg;
    for (int budget = kMessagesPerPump; budget > 0 && PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE);
         --budget) {
        if (msg.message == WM_QUIT) {
            // For the message loop, once the handler has returned.
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        if (is_keyboard_or_mouse_input(msg.message) && input_held_off()) continue;
        process_message(msg);
    }
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
        case WM_ACTIVATE:
            // As a dialog does: the focus leaves with the window and comes back
            // to the same control.
            if (LOWORD(wparam) == WA_INACTIVE) {
                HWND focus = GetFocus();
                focus_before_deactivation_ = belongs_to_window(focus) ? focus : nullptr;
            } else {
                HWND target = focus_before_deactivation_;
                if (!target || !IsWindow(target) || !IsWindowEnabled(target))
                    target = GetNextDlgTabItem(window_, nullptr, FALSE);
                SetFocus(target ? target : window_);
            }
            return 0;
        default: break;
    }
    return DefWindowProcW(window_, message, wparam, lparam);
}

}  // namespace kelvarion
