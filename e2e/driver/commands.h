#pragma once
// The driver's command language: one command a line, fields separated by TAB,
// one JSON line in answer. Every wait has a timeout in milliseconds; a wait
// polls for its condition and never sleeps a fixed time instead.
//
//   start    EXE [FOLDER]             start the program under test
//   wait_window TIMEOUT               its window "Kelvarion installation", idle
//   dump                              the window and every control
//   click    ID [force]               BM_CLICK (refused on a disabled control unless force)
//   key      VK [post|input]          press and release a key
//   wait     TIMEOUT ID FIELD VALUE   FIELD: caption, enabled, checked or pos
//   record   TIMEOUT ACTION [STOP_PREFIX [PRESS_CAPTION VK]]
//                                     caption/progress changes until a message box, the
//                                     window's end, or STOP_PREFIX shown while Install is
//                                     enabled; presses VK once PRESS_CAPTION shows.
//                                     ACTION ("click ID" or "key VK [post|input]") is done
//                                     once the window as it was is noted, so nothing it
//                                     causes is missed; "-": a run already under way
//   msgbox   TIMEOUT [ok]             wait for a message box; describe it; press OK
//   running                           whether the program still runs
//   wait_exit TIMEOUT                 wait for the program's end
//   folder   desktop|common_desktop|programs|common_programs
//   lnk_read PATH                     a shortcut as IShellLinkW::Load sees it
//   lnk_write PATH TARGET ARGS FOLDER DESCRIPTION
//   exe_info PATH                     version information, icons and manifest of a program file
//   quit

#include <string>
#include <vector>

#include "target_process.h"

namespace kelvarion::driver {

struct Session {
    TargetProcess target;
    HWND main_window = nullptr;
    Stopwatch since_action;  // marked at every click and key press
};

std::string run_command(Session& session, const std::vector<std::string>& fields, bool* quit);

}  // namespace kelvarion::driver
