#pragma once
// Commands on the program under test and its window, as a user meets them.
// Each gets the fields of its command line, at least as many as its usage in
// the table of commands.cpp requires.

#include <string>

#include "fields.h"
#include "session.h"

namespace kelvarion::driver {

// start EXE [FOLDER]: start the program under test, in FOLDER.
std::string cmd_start(Session& s, const Fields& f);
// wait_window TIMEOUT: its window "Kelvarion installation", shown and idle.
std::string cmd_wait_window(Session& s, const Fields& f);
// dump: the window and every control.
std::string cmd_dump(Session& s, const Fields& f);
// click ID: BM_CLICK, refused on a disabled control.
// key VK [post|input]: press and release a key.
std::string cmd_act(Session& s, const Fields& f);
// wait TIMEOUT ID checked 0|1: until the option button or check box is
// checked (1) or clear (0).
std::string cmd_wait(Session& s, const Fields& f);
// record TIMEOUT ACTION [STOP_PREFIX [PRESS_CAPTION VK]]: caption and
// progress changes until a message box, the window's end, or STOP_PREFIX
// shown while Install is enabled; presses VK once PRESS_CAPTION shows.
// ACTION ("click ID" or "key VK [post|input]") is done once the
// window as it was is noted, so nothing it causes is missed; "-": a run
// already under way.
std::string cmd_record(Session& s, const Fields& f);
// msgbox TIMEOUT [ok]: wait for a message box, describe it, press OK if asked.
std::string cmd_msgbox(Session& s, const Fields& f);
// running: whether the program still runs.
std::string cmd_running(Session& s, const Fields& f);
// wait_exit TIMEOUT: wait for the program's end; its exit code.
std::string cmd_wait_exit(Session& s, const Fields& f);

}  // namespace kelvarion::driver
