#pragma once
// Reads one string value under HKEY_LOCAL_MACHINE, the way start-up looks for
// the installed SAS versions and the product's own settings.

#include <string>

#include "platform/platform.h"

namespace kelvarion {

// The text of a REG_SZ value, or "" for anything else: a missing key or value,
// a value of another type (REG_EXPAND_SZ included), a failed read. The text
// ends before the first NUL; without a NUL it is the whole stored value.
//
// The 32-bit registry view is read first, where 32-bit SAS registers. Only when
// the key is missing there is the 64-bit view read, so that a 64-bit SAS 9.2
// is found. Nothing is cached: every call reads the registry afresh.
std::string registry_text(Platform& platform, const std::string& subkey,
                          const std::string& value_name);

}  // namespace kelvarion
