// Making the main window and its controls from the WindowLayout: the
// window's class and size, the icons, the dialog font at the screen's DPI,
// each control's class, style and place in pixels, then the z-order and tab
// stops that the dialog manager reads. Also the lookups of a control's
// window and kind.
#include "platform/win32/main_window_win.h"

#include <commctrl.h>

#include <algorithm>
#include <optional>

#include "platform/win32/error_text_win.h"
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

}  // namespace

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

    set_icons();
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

void Win32MainView::set_icons() {
    if (icon_id_ == 0) return;
    big_icon_.reset(static_cast<HICON>(LoadImageW(instance_, MAKEINTRESOURCEW(icon_id_), IMAGE_ICON,
                                                  GetSystemMetrics(SM_CXICON),
                                                  GetSystemMetrics(SM_CYICON), 0)));
    small_icon_.reset(static_cast<HICON>(LoadImageW(instance_, MAKEINTRESOURCEW(icon_id_),
                                                    IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                                    GetSystemMetrics(SM_CYSMICON), 0)));
    if (big_icon_)
        SendMessageW(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big_icon_.get()));
    if (small_icon_)
        SendMessageW(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small_icon_.get()));
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

}  // namespace kelvarion
