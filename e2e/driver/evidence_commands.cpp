#include "evidence_commands.h"

#include <utility>

#include "answer.h"
#include "input_actions.h"
#include "platform/win32/strconv_win.h"
#include "target_window.h"
#include "waits.h"
#include "window_query.h"

namespace kelvarion::driver {

std::string cmd_time_start(Session& s, const Fields& f) {
    double timeout = double(to_ms(f[1]));
    Stopwatch clock;  // from just before CreateProcessW
    std::string err;
    if (!s.target.start(widen(f[2]), f.size() > 3 ? widen(f[3]) : std::wstring(), &err))
        return failure(err);
    s.main_window = nullptr;
    double gap = 0;
    HWND found = nullptr;
    poll_1ms(clock, timeout, &gap, [&] { return main_window_shown_or_ended(s.target, &found); });
    if (!found) return no_main_window(s.target);
    double shown = clock.elapsed_ms();
    s.main_window = found;
    // Answered once idle, so that time_install clicks a window ready for it.
    s.target.wait_idle(ms_left(timeout, shown));
    return answer(true).add("shown", shown).str();
}

std::string cmd_time_install(Session& s, const Fields& f) {
    if (!s.window_open()) return failure("no main window");
    HWND install = find_control(s.main_window, kInstallButtonId);
    HWND label = find_control(s.main_window, kCaptionLabelId);
    if (!install || !label) return failure("Install or the caption label is missing");
    if (!IsWindowEnabled(install)) return failure("disabled");
    std::vector<std::string> captions;
    std::string caption = quick_text(label);
    double gap = 0;
    HWND box = nullptr;
    s.since_action.mark();
    post_click(install);
    bool seen = poll_1ms(s.since_action, double(to_ms(f[1])), &gap, [&] {
        std::string now = quick_text(label);
        if (now != caption) {
            caption = now;
            captions.push_back(
                JsonObject().add("t", s.since_action.elapsed_ms()).add("caption", caption).str());
        }
        box = find_dialog(s.target.pid());
        return box != nullptr || !s.target.running();
    });
    if (!seen || !box) return failure(seen ? "the program ended without a message box" : "timeout");
    double shown = s.since_action.elapsed_ms();
    return answer(true)
        .add("box", shown)
        .add("longest_poll_gap", gap)
        .add_raw("captions", json_array(captions))
        .str();
}

std::string cmd_attach_window(Session& s, const Fields& f) {
    Stopwatch clock;
    double gap = 0;
    HWND found = nullptr;
    poll_1ms(clock, double(to_ms(f[1])), &gap,
             [&] { return (found = find_main_window(0)) != nullptr; });
    if (!found) return failure("timeout");
    DWORD pid = 0;
    GetWindowThreadProcessId(found, &pid);
    std::string err;
    if (!s.target.attach(pid, &err)) return failure(err);
    s.main_window = found;
    return answer(true).str();
}

}  // namespace kelvarion::driver
