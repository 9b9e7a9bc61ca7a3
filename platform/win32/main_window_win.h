#pragma once
// The main window as a real Win32 window: the controls of a WindowLayout
// scaled by the screen's DPI, key preview in the message loop, and updates that
// become visible at once although the installation sequence keeps the one
// user-interface thread busy.
//
// Input while a handler runs: every view update paints at once and then
// dispatches the paint and other non-input messages waiting in the queue, but
// removes and drops keyboard and mouse input. Keys and clicks made while the
// sequence runs are thereby ignored, never replayed once it ends.

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "platform/main_view.h"
#include "platform/win32/unique_handle.h"
#include "platform/window_layout.h"

namespace kelvarion {

// What the window hands on to its logic. Any member may be empty.
struct MainWindowEvents {
    std::function<void(int virtual_key)> key_down;  // key preview: before any control
    std::function<void(Control button)> click;      // an enabled command button
    // Whether the logic's installation sequence is running.
    std::function<bool()> busy;
};

class Win32MainView : public MainView {
public:
    // icon_id: the resource id of the window icon in the program's module; 0
    // for none (tests).
    Win32MainView(WindowLayout layout, HINSTANCE instance, int icon_id);
    ~Win32MainView() override;  // destroys the window if it is still there

    Win32MainView(const Win32MainView&) = delete;
    Win32MainView& operator=(const Win32MainView&) = delete;

    // Creates the window, hidden, with every control in its design state.
    bool create(std::string* err);
    void set_events(MainWindowEvents events) { events_ = std::move(events); }

    // Runs a handler of the window's logic the way the window runs its own
    // (the load handler, say): keyboard and mouse input is held off while it
    // runs.
    void run_handler(const std::function<void()>& handler);

    // Displays the window and gives the keyboard focus to its first control.
    void show();

    HWND window() const { return window_; }
    HWND control_window(Control control) const;
    bool is_open() const { return window_ != nullptr; }

    // The message loop: returns the WM_QUIT code once the window is gone.
    int run_message_loop();
    // One message of that loop: key preview, Tab navigation, dispatch.
    void process_message(MSG& msg);

    void set_enabled(Control control, bool enabled) override;
    bool enabled(Control control) const override;
    void set_selected(Control option, bool selected) override;
    bool selected(Control option) const override;
    void set_caption(Control label, std::string_view text) override;
    std::string caption(Control label) const override;
    void set_progress(float value) override;
    float progress() const override { return progress_; }
    void set_mouse_pointer(MousePointer pointer) override;
    void set_config_text(std::string text) override { config_text_ = std::move(text); }
    const std::string& config_text() const override { return config_text_; }
    void unload() override;

private:
    // Making the window and its controls (main_window_controls_win.cpp).
    bool register_window_class(std::string* err);
    void set_icons();
    void make_font();
    bool create_controls(std::string* err);
    void arrange_z_order();
    void update_option_tab_stops();
    bool is_option_button(Control control) const;
    bool is_text_box(HWND hwnd) const;

    // Messages and keys (main_window_messages_win.cpp).
    static LRESULT CALLBACK window_procedure(HWND window, UINT message, WPARAM wparam,
                                             LPARAM lparam);
    LRESULT handle(UINT message, WPARAM wparam, LPARAM lparam);
    void on_command(int id, int notification);
    void on_activate(bool active);
    bool preview_key_down(const MSG& msg);
    bool belongs_to_window(HWND hwnd) const;
    bool input_held_off() const;
    // Paints every pending change now, then dispatches what else waits in
    // the queue, with input dropped while it is held off.
    void show_change();
    void pump_waiting_messages();

    // The view operations (main_window_win.cpp).
    void refresh_cursor();

    const WindowLayout layout_;
    HINSTANCE instance_;
    int icon_id_;
    MainWindowEvents events_;

    HWND window_ = nullptr;
    std::vector<std::pair<Control, HWND>> controls_;  // in tab order
    // The controls' font: owned_font_, or the stock font when no scaled one
    // could be made (a stock object is the system's, never deleted).
    UniqueFont owned_font_;
    HFONT font_ = nullptr;
    UniqueIcon big_icon_;
    UniqueIcon small_icon_;
    HWND focus_before_deactivation_ = nullptr;
    HWND focus_parked_from_ = nullptr;  // disabled while it had the focus
    bool quit_when_destroyed_ = true;

    float progress_ = 0;
    MousePointer pointer_ = MousePointer::Default;
    // The configuration text lives here rather than in its edit control: the
    // control holds UTF-16, so bytes that are not valid UTF-8 would not
    // survive a round trip, and it has a length limit. The control stays as
    // the window's (unseen) text box.
    std::string config_text_;

    int handler_depth_ = 0;
    bool busy_seen_in_handler_ = false;
    // A logoff or shutdown was refused while busy: its reason is shown until
    // the handler has returned.
    bool session_end_refused_ = false;
};

}  // namespace kelvarion
