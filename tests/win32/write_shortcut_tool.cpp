// write_shortcut LNK_PATH PROPERTIES_FILE: saves a shortcut through
// save_shell_link with the six properties read from PROPERTIES_FILE
// (UTF-8, one per line: description, show command, arguments, target, working
// directory, icon location), so that lnkinfo_check.sh can have a parser of
// its own read what we write. Exit code 0 on success.
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/win32/shell_link_win.h"
#include "platform/win32/strconv_win.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/win32_platform.h"

namespace {

std::vector<std::string> split_lines(const std::string& text) {
    std::vector<std::string> lines;
    std::string line;
    for (const char c : text) {
        if (c == '\n') {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            lines.push_back(line);
            line.clear();
        } else {
            line += c;
        }
    }
    if (!line.empty()) lines.push_back(line);
    return lines;
}

int fail(const std::string& text) {
    std::fprintf(stderr, "write_shortcut: %s\n", text.c_str());
    return 1;
}

}  // namespace

int main() {
    using namespace kelvarion;
    int argc = 0;
    const UniqueLocalMemory<wchar_t*> argv(CommandLineToArgvW(GetCommandLineW(), &argc));
    if (!argv || argc != 3) return fail("usage: write_shortcut LNK_PATH PROPERTIES_FILE");
    const std::string lnk_path = narrow(argv.get()[1]);
    const std::string properties_path = narrow(argv.get()[2]);

    Win32Platform platform;
    std::string text;
    std::string err;
    if (!platform.read_file(properties_path, &text, &err))
        return fail(properties_path + ": " + err);
    const std::vector<std::string> lines = split_lines(text);
    if (lines.size() != 6) return fail("expected 6 lines in " + properties_path);

    ShortcutProperties properties;
    properties.description = lines[0];
    char* end = nullptr;
    properties.window_style = static_cast<int>(std::strtol(lines[1].c_str(), &end, 10));
    if (lines[1].empty() || *end != '\0') return fail("bad show command: " + lines[1]);
    properties.arguments = lines[2];
    properties.target_path = lines[3];
    properties.working_directory = lines[4];
    properties.icon_location = lines[5];

    if (!save_shell_link(lnk_path, properties, lnk_path, &err)) return fail(lnk_path + ": " + err);
    return 0;
}
