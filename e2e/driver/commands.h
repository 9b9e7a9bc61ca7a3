#pragma once
// The driver's command language: one command a line, fields separated by TAB,
// one JSON line in answer (answer.h). Every wait has a timeout in
// milliseconds; a wait polls for its condition and never sleeps a fixed time
// instead. The commands, their fields and what each does: the table in
// commands.cpp. A command given fewer fields than its usage names (those in
// [brackets] may be left out) is answered with its usage as the error.

#include <string>
#include <string_view>

#include "fields.h"
#include "session.h"

namespace kelvarion::driver {

// The answer to one command line.
std::string run_command(Session& session, const Fields& fields);

// The usage line of command `name` in the table ("" for none).
const char* usage_of(std::string_view name);

}  // namespace kelvarion::driver
