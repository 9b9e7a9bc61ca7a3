#include "window_commands.h"

#include "answer.h"
#include "commands.h"
#include "input_actions.h"
#include "platform/win32/strconv_win.h"
#include "recorder.h"
#include "target_window.h"
#include "waits.h"
#include "window_query.h"

namespace kelvarion::driver {

namespace {

bool need_window(const Session& s, std::string* answer) {
    if (s.window_open()) return true;
    *answer = failure("no main window: run wait_window first, or the window is gone");
    return false;
}

// A user's action, as the fields "click ID" or "key VK [post|input]" give it:
// "" when done, else why not. The caller marks since_action first.
std::string act(Session& s, const Fields& f) {
    if (f.size() >= 2 && f[0] == "click") {
        HWND control = find_control(s.main_window, to_int(f[1]));
        if (!control) return "no control with id " + f[1];
        if (!IsWindowEnabled(control)) return "disabled";
        post_click(control);
        return "";
    }
    if (f.size() >= 2 && f[0] == "key") {
        KeyMethod method = (f.size() > 2 && f[2] == "input") ? KeyMethod::Input : KeyMethod::Post;
        std::string err;
        if (!press_key(s.main_window, to_int(f[1]), method, &err)) return err;
        return "";
    }
    return std::string(usage_of("click")) + " | " + usage_of("key");
}

// Whether a check box or option button is checked, as `wait` compares it.
std::string checked_value(HWND control) {
    DWORD_PTR state = 0;
    SendMessageTimeoutW(control, BM_GETCHECK, 0, 0, SMTO_NORMAL, kSendTimeoutMs, &state);
    return state == BST_CHECKED ? "1" : "0";
}

}  // namespace

std::string cmd_start(Session& s, const Fields& f) {
    std::string err;
    if (!s.target.start(widen(f[1]), f.size() > 2 ? widen(f[2]) : std::wstring(), &err))
        return failure(err);
    s.main_window = nullptr;
    return answer(true).str();
}

std::string cmd_wait_window(Session& s, const Fields& f) {
    if (!s.target.known()) return failure("no program started");
    DWORD timeout = to_ms(f[1]);
    Stopwatch clock;
    HWND found = nullptr;
    wait_until(timeout, [&] { return main_window_shown_or_ended(s.target, &found); });
    if (!found) return no_main_window(s.target);
    s.main_window = found;
    // The window is shown after its load handler; wait until its thread is idle.
    s.target.wait_idle(ms_left(timeout, clock.elapsed_ms()));
    return answer(true).add_raw("window", describe_main_window(found)).str();
}

std::string cmd_dump(Session& s, const Fields&) {
    std::string failed;
    if (!need_window(s, &failed)) return failed;
    std::vector<std::string> controls;
    for (HWND control : all_controls(s.main_window))
        controls.push_back(describe_control(s.main_window, control));
    return answer(true)
        .add_raw("window", describe_main_window(s.main_window))
        .add_raw("controls", json_array(controls))
        .str();
}

std::string cmd_act(Session& s, const Fields& f) {
    std::string failed;
    if (!need_window(s, &failed)) return failed;
    s.since_action.mark();
    std::string error = act(s, f);
    if (!error.empty()) return failure(error);
    return answer(true).str();
}

std::string cmd_wait(Session& s, const Fields& f) {
    std::string failed;
    if (!need_window(s, &failed)) return failed;
    if (f[3] != "checked") return failure(usage_of("wait"));
    HWND control = find_control(s.main_window, to_int(f[2]));
    if (!control) return failure("no control with id " + f[2]);
    std::string last;
    bool met = wait_until(to_ms(f[1]), [&] {
        last = checked_value(control);
        return last == f[4];
    });
    if (!met) return answer(false).add("error", "timeout").add("last", last).str();
    return answer(true).str();
}

std::string cmd_record(Session& s, const Fields& f) {
    std::string failed;
    if (!need_window(s, &failed)) return failed;
    RecordOptions options;
    options.timeout_ms = double(to_ms(f[1]));
    if (f[2] != "-") {
        Fields action = split_spaces(f[2]);
        options.action = [&s, action] { return act(s, action); };
    }
    if (f.size() > 3) options.stop_prefix = f[3];
    if (f.size() > 5) {
        options.press_caption = f[4];
        options.press_vk = to_int(f[5]);
    }
    return record_sequence(s.main_window, s.target, s.since_action, options);
}

std::string cmd_msgbox(Session& s, const Fields& f) {
    if (!s.target.known()) return failure("no program started");
    HWND box = nullptr;
    bool found =
        wait_until(to_ms(f[1]), [&] { return (box = find_dialog(s.target.pid())) != nullptr; });
    if (!found) return failure("timeout");
    double seen_at = s.since_action.elapsed_ms();
    std::string description = describe_dialog(box);
    // A modal box disables the window that owns it.
    bool owner_enabled = s.window_open() && IsWindowEnabled(s.main_window);
    if (f.size() > 2 && f[2] == "ok") {
        HWND ok = GetDlgItem(box, IDOK);
        if (ok)
            post_click(ok);
        else
            PostMessageW(box, WM_COMMAND, IDOK, 0);
        bool closed =
            wait_until(to_ms(f[1]), [&] { return !IsWindow(box) || !IsWindowVisible(box); });
        if (!closed) return failure("the message box did not close");
    }
    return answer(true)
        .add("t", seen_at)
        .add("owner_enabled", owner_enabled)
        .add_raw("box", description)
        .str();
}

std::string cmd_running(Session& s, const Fields&) {
    return answer(true).add("running", s.target.running()).str();
}

std::string cmd_wait_exit(Session& s, const Fields& f) {
    if (!s.target.known()) return failure("no program started");
    DWORD code = 0;
    if (!s.target.wait_exit(to_ms(f[1]), &code)) return failure("timeout");
    return answer(true).add("exit_code", std::int64_t{code}).str();
}

}  // namespace kelvarion::driver
