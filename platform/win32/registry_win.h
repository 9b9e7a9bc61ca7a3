#pragma once
// Reading one value under HKEY_LOCAL_MACHINE in a chosen registry view.

#include <string>

#include "platform/platform.h"

namespace kelvarion {

// KeyMissing when the key does not open, ValueMissing when the value is
// absent or cannot be read. REG_SZ data comes back as stored (UTF-16LE bytes,
// terminating NUL or not, odd sizes kept); other types give the type only.
RegistryRead win32_read_registry_value(RegistryView view, const std::string& subkey,
                                       const std::string& value_name);

}  // namespace kelvarion
