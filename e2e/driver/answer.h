#pragma once
// The driver's answers: one JSON object a command, whose "ok" says whether
// the command did what it was asked; a failed one says why in "error".

#include <string>
#include <string_view>

#include "json_line.h"

namespace kelvarion::driver {

// An answer to fill in: {"ok":ok, ...}.
JsonObject answer(bool ok);
// {"ok":false,"error":error}
std::string failure(std::string_view error);

}  // namespace kelvarion::driver
