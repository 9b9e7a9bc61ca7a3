#include "window_query.h"

#include <commctrl.h>

#include "json_line.h"
#include "platform/win32/strconv_win.h"

namespace kelvarion::driver {

namespace {

struct TopSearch {
    DWORD pid;
    const std::wstring* caption;  // null: any dialog box
    HWND found;
};

bool owned_by(HWND window, DWORD pid) {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    return pid == 0 || owner == pid;
}

BOOL CALLBACK match_top(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<TopSearch*>(param);
    if (!IsWindowVisible(window) || !owned_by(window, search->pid)) return TRUE;
    if (search->caption) {
        if (quick_text(window) != narrow(*search->caption)) return TRUE;
    } else if (class_name(window) != "#32770") {
        return TRUE;
    }
    search->found = window;
    return FALSE;
}

BOOL CALLBACK collect_child(HWND window, LPARAM param) {
    reinterpret_cast<std::vector<HWND>*>(param)->push_back(window);
    return TRUE;
}

std::vector<int> rect_in(HWND reference, HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    MapWindowPoints(nullptr, reference, reinterpret_cast<POINT*>(&r), 2);
    return {int(r.left), int(r.top), int(r.right), int(r.bottom)};
}

// What kind of button a Button-class window is, from its style.
const char* button_kind(LONG style) {
    switch (style & BS_TYPEMASK) {
        case BS_PUSHBUTTON: return "push";
        case BS_DEFPUSHBUTTON: return "defpush";
        case BS_CHECKBOX:
        case BS_AUTOCHECKBOX: return "checkbox";
        case BS_RADIOBUTTON: return "radio";
        case BS_AUTORADIOBUTTON: return "autoradio";
        case BS_GROUPBOX: return "groupbox";
        default: return "other";
    }
}

}  // namespace

HWND find_top_window(DWORD pid, const std::wstring& caption) {
    TopSearch search{pid, &caption, nullptr};
    EnumWindows(match_top, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND find_dialog(DWORD pid) {
    TopSearch search{pid, nullptr, nullptr};
    EnumWindows(match_top, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::string class_name(HWND window) {
    wchar_t buf[256];
    int n = GetClassNameW(window, buf, 256);
    return narrow(std::wstring_view(buf, n > 0 ? size_t(n) : 0));
}

std::string quick_text(HWND window) {
    // No length query first: the text may change between the two calls.
    std::wstring buf(1024, L'\0');
    for (;;) {
        int n = GetWindowTextW(window, buf.data(), int(buf.size()));
        if (n < int(buf.size()) - 1) {
            buf.resize(n > 0 ? size_t(n) : 0);
            return narrow(buf);
        }
        buf.resize(buf.size() * 4);
    }
}

std::string window_text(HWND window) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, kSendTimeoutMs, &length))
        return quick_text(window);
    std::wstring buf(size_t(length) + 1, L'\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXT, length + 1, reinterpret_cast<LPARAM>(buf.data()),
                             SMTO_NORMAL, kSendTimeoutMs, &copied))
        return quick_text(window);
    buf.resize(size_t(copied));
    return narrow(buf);
}

std::optional<int> progress_position(HWND progress_bar) {
    DWORD_PTR position = 0;
    if (!SendMessageTimeoutW(progress_bar, PBM_GETPOS, 0, 0, SMTO_NORMAL, kSendTimeoutMs,
                             &position))
        return std::nullopt;
    return int(position);
}

HWND find_control(HWND main_window, int id) {
    for (HWND control : all_controls(main_window))
        if (GetDlgCtrlID(control) == id) return control;
    return nullptr;
}

std::vector<HWND> all_controls(HWND main_window) {
    std::vector<HWND> controls;
    EnumChildWindows(main_window, collect_child, reinterpret_cast<LPARAM>(&controls));
    return controls;
}

std::string describe_main_window(HWND window) {
    LONG style = GetWindowLongW(window, GWL_STYLE);
    RECT client{};
    GetClientRect(window, &client);
    RECT outer{};
    GetWindowRect(window, &outer);
    HDC screen = GetDC(nullptr);
    int dpi_x = GetDeviceCaps(screen, LOGPIXELSX);
    int dpi_y = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    GUITHREADINFO gui{};
    gui.cbSize = sizeof gui;
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &gui);
    // No icon here: Wine refuses WM_GETICON from another process (error
    // 1400). The program's icon is checked in its resources (tests/win32).
    JsonObject json;
    json.add("title", quick_text(window))
        .add("minimize_box", (style & WS_MINIMIZEBOX) != 0)
        .add("maximize_box", (style & WS_MAXIMIZEBOX) != 0)
        .add("rect",
             std::vector<int>{int(outer.left), int(outer.top), int(outer.right), int(outer.bottom)})
        .add("client", std::vector<int>{int(client.right), int(client.bottom)})
        .add("screen",
             std::vector<int>{GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)})
        .add("dpi", std::vector<int>{dpi_x, dpi_y})
        .add("focus_id", gui.hwndFocus ? GetDlgCtrlID(gui.hwndFocus) : 0);
    return json.str();
}

std::string describe_control(HWND main_window, HWND control) {
    std::string cls = class_name(control);
    LONG style = GetWindowLongW(control, GWL_STYLE);
    JsonObject json;
    json.add("id", GetDlgCtrlID(control))
        .add("class", cls)
        .add("caption", window_text(control))
        .add("enabled", IsWindowEnabled(control) != FALSE)
        .add("visible", IsWindowVisible(control) != FALSE)
        .add("rect", rect_in(main_window, control));
    if (_wcsicmp(widen(cls).c_str(), L"Button") == 0) {
        const char* kind = button_kind(style);
        json.add("kind", kind);
        bool checkable = std::string(kind) == "radio" || std::string(kind) == "autoradio" ||
                         std::string(kind) == "checkbox";
        if (checkable) {
            DWORD_PTR state = 0;
            SendMessageTimeoutW(control, BM_GETCHECK, 0, 0, SMTO_NORMAL, kSendTimeoutMs, &state);
            json.add("checked", state == BST_CHECKED);
        } else {
            json.add_null("checked");
        }
    } else {
        json.add_null("checked");
    }
    if (_wcsicmp(widen(cls).c_str(), PROGRESS_CLASSW) == 0) {
        auto position = progress_position(control);
        if (position)
            json.add("pos", *position);
        else
            json.add_null("pos");
        DWORD_PTR low = 0, high = 0;
        SendMessageTimeoutW(control, PBM_GETRANGE, TRUE, 0, SMTO_NORMAL, kSendTimeoutMs, &low);
        SendMessageTimeoutW(control, PBM_GETRANGE, FALSE, 0, SMTO_NORMAL, kSendTimeoutMs, &high);
        json.add("range", std::vector<int>{int(low), int(high)});
    }
    return json.str();
}

std::string describe_dialog(HWND dialog) {
    std::vector<std::string> buttons;
    std::string text;
    bool text_by_id = false;
    bool has_icon = false;
    for (HWND child : all_controls(dialog)) {
        std::string cls = class_name(child);
        LONG style = GetWindowLongW(child, GWL_STYLE);
        if (_wcsicmp(widen(cls).c_str(), L"Button") == 0) {
            JsonObject button;
            button.add("id", GetDlgCtrlID(child)).add("caption", window_text(child));
            buttons.push_back(button.str());
        } else if (_wcsicmp(widen(cls).c_str(), L"Static") == 0) {
            if ((style & SS_TYPEMASK) == SS_ICON) {
                has_icon = true;
            } else {
                std::string t = window_text(child);
                // The message is the static text with id 0xFFFF; take the
                // longest static text when a system uses another id.
                if (GetDlgCtrlID(child) == 0xFFFF) {
                    text = t;
                    text_by_id = true;
                } else if (!text_by_id && t.size() > text.size()) {
                    text = t;
                }
            }
        }
    }
    RECT r{};
    GetWindowRect(dialog, &r);
    JsonObject json;
    json.add("title", quick_text(dialog))
        .add("rect", std::vector<int>{int(r.left), int(r.top), int(r.right), int(r.bottom)})
        .add("text", text)
        .add("has_icon", has_icon)
        .add_raw("buttons", json_array(buttons));
    return json.str();
}

}  // namespace kelvarion::driver
