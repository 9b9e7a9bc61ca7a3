#include "commands.h"

#include <shlobj.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <map>

#include "exe_info.h"
#include "input_actions.h"
#include "json_line.h"
#include "recorder.h"
#include "shortcut_file.h"
#include "evidence_commands.h"
#include "utf.h"
#include "window_query.h"

namespace kelvarion::driver {

namespace {

const wchar_t kMainCaption[] = L"Kelvarion installation";

std::string failure(const std::string& error) {
    return JsonObject().add("ok", false).add("error", error).str();
}

DWORD to_ms(const std::string& text) { return DWORD(std::strtoul(text.c_str(), nullptr, 10)); }

// Polls `condition` every few milliseconds until it holds or `timeout_ms` ends.
bool wait_until(DWORD timeout_ms, const std::function<bool()>& condition) {
    DWORD start = GetTickCount();
    for (;;) {
        if (condition()) return true;
        if (GetTickCount() - start >= timeout_ms) return false;
        Sleep(5);
    }
}

bool need_window(Session& s, std::string* answer) {
    if (s.main_window && IsWindow(s.main_window)) return true;
    *answer = failure("no main window: run wait_window first, or the window is gone");
    return false;
}

std::string cmd_start(Session& s, const std::vector<std::string>& f) {
    if (f.size() < 2) return failure("start EXE [FOLDER]");
    std::string err;
    if (!s.target.start(widen(f[1]), f.size() > 2 ? widen(f[2]) : std::wstring(), &err))
        return failure(err);
    s.main_window = nullptr;
    return JsonObject().add("ok", true).add("pid", std::int64_t{s.target.pid()}).str();
}

std::string cmd_wait_window(Session& s, const std::vector<std::string>& f) {
    if (f.size() < 2) return failure("wait_window TIMEOUT");
    if (!s.target.known()) return failure("no program started");
    DWORD timeout = to_ms(f[1]);
    DWORD start = GetTickCount();
    HWND found = nullptr;
    bool seen = wait_until(timeout, [&] {
        found = find_top_window(s.target.pid(), kMainCaption);
        return found != nullptr || !s.target.running();
    });
    if (!seen || !found)
        return failure(s.target.running() ? "timeout" : "the program ended without a window");
    s.main_window = found;
    // The window is shown after its load handler; wait until its thread is idle.
    DWORD left = timeout - std::min(timeout, GetTickCount() - start);
    HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, s.target.pid());
    if (process) {
        WaitForInputIdle(process, left);
        CloseHandle(process);
    }
    return JsonObject().add("ok", true).add_raw("window", describe_main_window(found)).str();
}

std::string cmd_dump(Session& s, const std::vector<std::string>&) {
    std::string answer;
    if (!need_window(s, &answer)) return answer;
    std::vector<std::string> controls;
    for (HWND control : all_controls(s.main_window))
        controls.push_back(describe_control(s.main_window, control));
    return JsonObject()
        .add("ok", true)
        .add_raw("window", describe_main_window(s.main_window))
        .add_raw("controls", json_array(controls))
        .str();
}

// A user's action, as the fields "click ID [force]" or "key VK [post|input]"
// give it: "" when done, else why not. The caller marks since_action first.
std::string act(Session& s, const std::vector<std::string>& f) {
    if (f.size() >= 2 && f[0] == "click") {
        HWND control = find_control(s.main_window, std::atoi(f[1].c_str()));
        if (!control) return "no control with id " + f[1];
        bool force = f.size() > 2 && f[2] == "force";
        if (!force && !IsWindowEnabled(control)) return "disabled";
        post_click(control);
        return "";
    }
    if (f.size() >= 2 && f[0] == "key") {
        KeyMethod method = (f.size() > 2 && f[2] == "input") ? KeyMethod::Input : KeyMethod::Post;
        std::string err;
        if (!press_key(s.main_window, std::atoi(f[1].c_str()), method, &err)) return err;
        return "";
    }
    return "click ID [force] | key VK [post|input]";
}

std::string cmd_act(Session& s, const std::vector<std::string>& f) {
    std::string answer;
    if (!need_window(s, &answer)) return answer;
    s.since_action.mark();
    std::string error = act(s, f);
    if (!error.empty()) return failure(error);
    return JsonObject().add("ok", true).str();
}

// The value of one field of a control, as text, for `wait`.
std::string field_value(HWND control, const std::string& field) {
    if (field == "caption") return quick_text(control);
    if (field == "enabled") return IsWindowEnabled(control) ? "1" : "0";
    if (field == "checked") {
        DWORD_PTR state = 0;
        SendMessageTimeoutW(control, BM_GETCHECK, 0, 0, SMTO_NORMAL, kSendTimeoutMs, &state);
        return state == BST_CHECKED ? "1" : "0";
    }
    if (field == "pos") {
        auto position = progress_position(control);
        return position ? std::to_string(*position) : "";
    }
    return "?";
}

std::string cmd_wait(Session& s, const std::vector<std::string>& f) {
    std::string answer;
    if (f.size() < 5) return failure("wait TIMEOUT ID FIELD VALUE");
    if (!need_window(s, &answer)) return answer;
    HWND control = find_control(s.main_window, std::atoi(f[2].c_str()));
    if (!control) return failure("no control with id " + f[2]);
    std::string last;
    bool met = wait_until(to_ms(f[1]), [&] {
        last = field_value(control, f[3]);
        return last == f[4];
    });
    if (!met) return JsonObject().add("ok", false).add("error", "timeout").add("last", last).str();
    return JsonObject().add("ok", true).add("t", s.since_action.elapsed_ms()).str();
}

std::vector<std::string> split_spaces(const std::string& text) {
    std::vector<std::string> words;
    size_t start = 0;
    while ((start = text.find_first_not_of(' ', start)) != std::string::npos) {
        size_t end = text.find(' ', start);
        words.push_back(text.substr(start, end - start));
        start = end;
    }
    return words;
}

std::string cmd_record(Session& s, const std::vector<std::string>& f) {
    std::string answer;
    if (f.size() < 3) return failure("record TIMEOUT ACTION [STOP_PREFIX [PRESS_CAPTION PRESS_VK]]");
    if (!need_window(s, &answer)) return answer;
    RecordOptions options;
    options.timeout_ms = double(to_ms(f[1]));
    if (f[2] != "-") {
        std::vector<std::string> action = split_spaces(f[2]);
        options.action = [&s, action] { return act(s, action); };
    }
    if (f.size() > 3) options.stop_prefix = f[3];
    if (f.size() > 5) {
        options.press_caption = f[4];
        options.press_vk = std::atoi(f[5].c_str());
    }
    return record_sequence(s.main_window, s.target, s.since_action, options);
}

std::string cmd_msgbox(Session& s, const std::vector<std::string>& f) {
    if (f.size() < 2) return failure("msgbox TIMEOUT [ok]");
    if (!s.target.known()) return failure("no program started");
    HWND box = nullptr;
    bool found = wait_until(to_ms(f[1]), [&] { return (box = find_dialog(s.target.pid())) != nullptr; });
    if (!found) return failure("timeout");
    double seen_at = s.since_action.elapsed_ms();
    std::string description = describe_dialog(box);
    // A modal box disables the window that owns it.
    bool owner_enabled = s.main_window && IsWindow(s.main_window) && IsWindowEnabled(s.main_window);
    bool pressed = false;
    if (f.size() > 2 && f[2] == "ok") {
        HWND ok = GetDlgItem(box, IDOK);
        if (ok) post_click(ok); else PostMessageW(box, WM_COMMAND, IDOK, 0);
        pressed = wait_until(to_ms(f[1]), [&] { return !IsWindow(box) || !IsWindowVisible(box); });
        if (!pressed) return failure("the message box did not close");
    }
    return JsonObject()
        .add("ok", true)
        .add("t", seen_at)
        .add("closed", pressed)
        .add("owner_enabled", owner_enabled)
        .add_raw("box", description)
        .str();
}

std::string cmd_running(Session& s, const std::vector<std::string>&) {
    return JsonObject().add("ok", true).add("running", s.target.running()).str();
}

std::string cmd_wait_exit(Session& s, const std::vector<std::string>& f) {
    if (f.size() < 2) return failure("wait_exit TIMEOUT");
    if (!s.target.known()) return failure("no program started");
    DWORD code = 0;
    if (!s.target.wait_exit(to_ms(f[1]), &code)) return failure("timeout");
    return JsonObject()
        .add("ok", true)
        .add("exit_code", std::int64_t{code})
        .add("t", s.since_action.elapsed_ms())
        .str();
}

// The special folders the shortcuts go to, found the way Windows programs do.
std::string cmd_folder(Session&, const std::vector<std::string>& f) {
    static const std::map<std::string, int> folders = {
        {"desktop", CSIDL_DESKTOPDIRECTORY},
        {"common_desktop", CSIDL_COMMON_DESKTOPDIRECTORY},
        {"programs", CSIDL_PROGRAMS},
        {"common_programs", CSIDL_COMMON_PROGRAMS},
    };
    if (f.size() < 2 || !folders.count(f[1]))
        return failure("folder desktop|common_desktop|programs|common_programs");
    wchar_t path[MAX_PATH] = L"";
    HRESULT hr = SHGetFolderPathW(nullptr, folders.at(f[1]), nullptr, SHGFP_TYPE_CURRENT, path);
    if (FAILED(hr)) return failure("SHGetFolderPathW failed");
    return JsonObject().add("ok", true).add("path", narrow(path)).str();
}

// The ANSI code page Wine gives programs on this machine (from LANG).
std::string cmd_acp(Session&, const std::vector<std::string>&) {
    return JsonObject().add("ok", true).add("acp", std::int64_t{GetACP()}).str();
}

std::string cmd_lnk_read(Session&, const std::vector<std::string>& f) {
    if (f.size() < 2) return failure("lnk_read PATH");
    ShortcutFields link;
    std::string err;
    if (!read_shortcut(f[1], &link, &err)) return failure(err);
    return JsonObject()
        .add("ok", true)
        .add("target", link.target)
        .add("arguments", link.arguments)
        .add("working_directory", link.working_directory)
        .add("description", link.description)
        .add("icon_path", link.icon_path)
        .add("icon_index", link.icon_index)
        .add("show_command", link.show_command)
        .str();
}

std::string cmd_lnk_write(Session&, const std::vector<std::string>& f) {
    if (f.size() < 6) return failure("lnk_write PATH TARGET ARGS FOLDER DESCRIPTION");
    ShortcutFields link;
    link.target = f[2];
    link.arguments = f[3];
    link.working_directory = f[4];
    link.description = f[5];
    std::string err;
    if (!write_shortcut(f[1], link, &err)) return failure(err);
    return JsonObject().add("ok", true).str();
}

std::string cmd_exe_info(Session&, const std::vector<std::string>& f) {
    if (f.size() < 2) return failure("exe_info PATH");
    std::string json, err;
    if (!describe_executable(f[1], &json, &err)) return failure(err);
    return json;
}

}  // namespace

std::string run_command(Session& session, const std::vector<std::string>& fields, bool* quit) {
    using Handler = std::string (*)(Session&, const std::vector<std::string>&);
    static const std::map<std::string, Handler> handlers = {
        {"start", cmd_start},       {"wait_window", cmd_wait_window}, {"dump", cmd_dump},
        {"click", cmd_act},         {"key", cmd_act},                 {"wait", cmd_wait},
        {"record", cmd_record},     {"msgbox", cmd_msgbox},           {"running", cmd_running},
        {"wait_exit", cmd_wait_exit}, {"folder", cmd_folder},         {"acp", cmd_acp},
        {"lnk_read", cmd_lnk_read}, {"lnk_write", cmd_lnk_write}, {"exe_info", cmd_exe_info},
    };
    if (fields.empty() || fields[0].empty()) return failure("empty command");
    if (fields[0] == "quit") {
        *quit = true;
        return JsonObject().add("ok", true).str();
    }
    auto handler = handlers.find(fields[0]);
    if (handler == handlers.end()) {
        bool handled = false;
        std::string answer = run_evidence_command(session, fields, &handled);
        return handled ? answer : failure("unknown command " + fields[0]);
    }
    return handler->second(session, fields);
}

}  // namespace kelvarion::driver
