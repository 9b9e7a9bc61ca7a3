#include "answer.h"

namespace kelvarion::driver {

JsonObject answer(bool ok) { return JsonObject().add("ok", ok); }

std::string failure(std::string_view error) { return answer(false).add("error", error).str(); }

}  // namespace kelvarion::driver
