#include "evidence_commands.h"

#include <algorithm>
#include <cstdlib>
#include <map>
#include <memory>

#include "input_actions.h"
#include "json_line.h"
#include "utf.h"
#include "window_query.h"

namespace kelvarion::driver {

namespace {

const wchar_t kMainCaption[] = L"Kelvarion installation";
constexpr int kInstallButtonId = 103;
constexpr int kCaptionLabelId = 108;

std::string failure(const std::string& error) {
    return JsonObject().add("ok", false).add("error", error).str();
}

// Polls `condition` every millisecond (Sleep(1): the shortest wait that
// leaves the CPU to the program being timed). Notes the longest gap between
// two polls, which bounds how late a change can be seen.
template <class Condition>
bool poll_1ms(const Stopwatch& clock, double timeout_ms, double* longest_gap, Condition condition) {
    double last = clock.elapsed_ms();
    for (;;) {
        if (condition()) return true;
        double now = clock.elapsed_ms();
        *longest_gap = std::max(*longest_gap, now - last);
        last = now;
        if (now >= timeout_ms) return false;
        Sleep(1);
    }
}

std::string cmd_time_start(Session& s, const std::vector<std::string>& f) {
    if (f.size() < 3) return failure("time_start TIMEOUT EXE [FOLDER]");
    double timeout = std::strtod(f[1].c_str(), nullptr);
    Stopwatch clock;  // from just before CreateProcessW
    std::string err;
    if (!s.target.start(widen(f[2]), f.size() > 3 ? widen(f[3]) : std::wstring(), &err))
        return failure(err);
    double created = clock.elapsed_ms();
    s.main_window = nullptr;
    double gap = 0;
    HWND found = nullptr;
    poll_1ms(clock, timeout, &gap, [&] {
        found = find_top_window(s.target.pid(), kMainCaption);
        return found != nullptr || !s.target.running();
    });
    if (!found) return failure(s.target.running() ? "timeout" : "the program ended without a window");
    double shown = clock.elapsed_ms();
    s.main_window = found;
    HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, s.target.pid());
    if (process) {
        WaitForInputIdle(process, DWORD(std::max(0.0, timeout - shown)));
        CloseHandle(process);
    }
    return JsonObject()
        .add("ok", true)
        .add("created", created)
        .add("shown", shown)
        .add("idle", clock.elapsed_ms())
        .add("longest_poll_gap", gap)
        .str();
}

std::string cmd_time_install(Session& s, const std::vector<std::string>& f) {
    if (f.size() < 2) return failure("time_install TIMEOUT");
    if (!s.main_window || !IsWindow(s.main_window)) return failure("no main window");
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
    bool seen = poll_1ms(s.since_action, std::strtod(f[1].c_str(), nullptr), &gap, [&] {
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
    return JsonObject()
        .add("ok", true)
        .add("box", shown)
        .add("longest_poll_gap", gap)
        .add_raw("captions", json_array(captions))
        .str();
}

// Files held open by this driver, by the path they were opened with.
std::map<std::string, std::unique_ptr<void, decltype(&CloseHandle)>>& held_files() {
    static std::map<std::string, std::unique_ptr<void, decltype(&CloseHandle)>> files;
    return files;
}

std::string cmd_lock_file(Session&, const std::vector<std::string>& f) {
    if (f.size() < 2) return failure("lock_file PATH");
    // Share mode 0: no other open of the file succeeds, for reading, writing
    // or deleting, until this handle is closed.
    HANDLE file = CreateFileW(widen(f[1]).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return failure("CreateFileW failed, error " + std::to_string(GetLastError()));
    held_files().insert_or_assign(f[1], std::unique_ptr<void, decltype(&CloseHandle)>(file, &CloseHandle));
    return JsonObject().add("ok", true).str();
}

std::string cmd_unlock_file(Session&, const std::vector<std::string>& f) {
    if (f.size() < 2) return failure("unlock_file PATH");
    if (held_files().erase(f[1]) == 0) return failure("not held: " + f[1]);
    return JsonObject().add("ok", true).str();
}

std::string cmd_attach_window(Session& s, const std::vector<std::string>& f) {
    if (f.size() < 2) return failure("attach_window TIMEOUT");
    Stopwatch clock;
    double gap = 0;
    HWND found = nullptr;
    poll_1ms(clock, std::strtod(f[1].c_str(), nullptr), &gap,
             [&] { return (found = find_top_window(0, kMainCaption)) != nullptr; });
    if (!found) return failure("timeout");
    DWORD pid = 0;
    GetWindowThreadProcessId(found, &pid);
    std::string err;
    if (!s.target.attach(pid, &err)) return failure(err);
    s.main_window = found;
    return JsonObject().add("ok", true).add("pid", std::int64_t{pid}).str();
}

}  // namespace

std::string run_evidence_command(Session& session, const std::vector<std::string>& fields,
                               bool* handled) {
    using Handler = std::string (*)(Session&, const std::vector<std::string>&);
    static const std::map<std::string, Handler> handlers = {
        {"time_start", cmd_time_start},
        {"time_install", cmd_time_install},
        {"lock_file", cmd_lock_file},
        {"unlock_file", cmd_unlock_file},
        {"attach_window", cmd_attach_window},
    };
    auto handler = fields.empty() ? handlers.end() : handlers.find(fields[0]);
    *handled = handler != handlers.end();
    return *handled ? handler->second(session, fields) : std::string();
}

}  // namespace kelvarion::driver
