// kelvarion_ui_driver: drives the setup program's window from outside, the way
// a user would, and reports what the window shows. Reads commands on standard
// input (see commands.h) and answers each with one JSON line on standard
// output. Runs under Wine next to the program under test.

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <string>

#include "commands.h"
#include "platform/win32/com_win.h"

namespace {

bool read_line(std::string* line) {
    line->clear();
    int c;
    while ((c = std::fgetc(stdin)) != EOF) {
        if (c == '\n') break;
        if (c != '\r') line->push_back(char(c));
    }
    return c != EOF || !line->empty();
}

}  // namespace

int main() {
    // Binary: the answers are UTF-8 JSON lines ending in a bare LF.
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
    // COM, single-threaded, for the shell's link objects of lnk_read and lnk_write.
    kelvarion::ComApartment com;
    kelvarion::driver::Session session;
    std::string line;
    while (!session.quit && read_line(&line)) {
        std::string answer =
            kelvarion::driver::run_command(session, kelvarion::driver::split_tabs(line));
        std::fwrite(answer.data(), 1, answer.size(), stdout);
        std::fputc('\n', stdout);
        std::fflush(stdout);
    }
    return 0;
}
