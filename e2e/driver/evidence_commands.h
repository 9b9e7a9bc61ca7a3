#pragma once
// Commands for measurements and for bad-input cases: start-up and
// Install-to-Notice timed with QueryPerformanceCounter, polled every
// millisecond; a file held open without sharing, as a second program can; a
// program started by someone else (Wine's loader) taken over by its window.
//
//   time_start  TIMEOUT EXE [FOLDER]  start the program; ms to its window shown
//                                     and to its thread idle
//   time_install TIMEOUT              click Install; ms to each caption and to
//                                     the message box shown
//   lock_file   PATH                  open PATH with no sharing and keep it open
//   unlock_file PATH                  close it again
//   attach_window TIMEOUT             take over the program whose window
//                                     "Kelvarion installation" shows

#include <string>
#include <vector>

#include "commands.h"

namespace kelvarion::driver {

// The answer to one of these commands; false in *handled when `fields`
// names none of them.
std::string run_evidence_command(Session& session, const std::vector<std::string>& fields,
                               bool* handled);

}  // namespace kelvarion::driver
