#include "commands.h"

#include "answer.h"
#include "evidence_commands.h"
#include "system_commands.h"
#include "window_commands.h"

namespace kelvarion::driver {

namespace {

using Handler = std::string (*)(Session&, const Fields&);

struct Command {
    const char* name;
    Handler handler;  // called with at least as many fields as `usage` requires
    const char* usage;
};

std::string cmd_quit(Session& s, const Fields&) {
    s.quit = true;
    return answer(true).str();
}

const Command kCommands[] = {
    // The program and its window (window_commands.h).
    {"start", cmd_start, "start EXE [FOLDER]"},
    {"wait_window", cmd_wait_window, "wait_window TIMEOUT"},
    {"dump", cmd_dump, "dump"},
    {"click", cmd_act, "click ID"},
    {"key", cmd_act, "key VK [post|input]"},
    {"wait", cmd_wait, "wait TIMEOUT ID checked 0|1"},
    {"record", cmd_record, "record TIMEOUT ACTION [STOP_PREFIX [PRESS_CAPTION PRESS_VK]]"},
    {"msgbox", cmd_msgbox, "msgbox TIMEOUT [ok]"},
    {"running", cmd_running, "running"},
    {"wait_exit", cmd_wait_exit, "wait_exit TIMEOUT"},
    // The Windows machine around it (system_commands.h).
    {"folder", cmd_folder, "folder desktop|common_desktop|programs|common_programs"},
    {"acp", cmd_acp, "acp"},
    {"lnk_read", cmd_lnk_read, "lnk_read PATH"},
    {"lnk_write", cmd_lnk_write, "lnk_write PATH TARGET ARGS FOLDER DESCRIPTION"},
    {"hold", cmd_hold, "hold PATH read|read_write MS"},
    {"release", cmd_release, "release"},
    // Measurements and bad input (evidence_commands.h).
    {"time_start", cmd_time_start, "time_start TIMEOUT EXE [FOLDER]"},
    {"time_install", cmd_time_install, "time_install TIMEOUT"},
    {"attach_window", cmd_attach_window, "attach_window TIMEOUT"},
    {"quit", cmd_quit, "quit"},
};

const Command* find_command(std::string_view name) {
    for (const Command& command : kCommands)
        if (name == command.name) return &command;
    return nullptr;
}

// The fields a usage line requires: its words before the first "[".
size_t required_fields(const char* usage) {
    size_t count = 0;
    for (const std::string& word : split_spaces(usage)) {
        if (word.front() == '[') break;
        ++count;
    }
    return count;
}

}  // namespace

std::string run_command(Session& session, const Fields& fields) {
    if (fields.empty() || fields[0].empty()) return failure("empty command");
    const Command* command = find_command(fields[0]);
    if (!command) return failure("unknown command " + fields[0]);
    if (fields.size() < required_fields(command->usage)) return failure(command->usage);
    return command->handler(session, fields);
}

const char* usage_of(std::string_view name) {
    const Command* command = find_command(name);
    return command ? command->usage : "";
}

}  // namespace kelvarion::driver
