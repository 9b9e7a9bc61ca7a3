#pragma once
// Commands for measurements and for a program started by someone else:
// start-up and Install-to-Notice timed with QueryPerformanceCounter, polled
// every millisecond; a program started by Wine's loader taken over by its
// window.
// Each gets the fields of its command line, at least as many as its usage in
// the table of commands.cpp requires.

#include <string>

#include "fields.h"
#include "session.h"

namespace kelvarion::driver {

// time_start TIMEOUT EXE [FOLDER]: start the program; ms to its window shown.
std::string cmd_time_start(Session& s, const Fields& f);
// time_install TIMEOUT: click Install; ms to each caption and to the message
// box shown.
std::string cmd_time_install(Session& s, const Fields& f);
// attach_window TIMEOUT: take over the program whose window
// "Kelvarion installation" shows.
std::string cmd_attach_window(Session& s, const Fields& f);

}  // namespace kelvarion::driver
