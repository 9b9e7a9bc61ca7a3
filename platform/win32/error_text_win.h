#pragma once
// The system's own description of a failure, as the user is shown it.

#include <string>

namespace kelvarion {

// FormatMessageW's text for a Win32 error code or an HRESULT (pass the
// HRESULT cast to unsigned long), in UTF-8, without the trailing line break.
// A code the system has no text for gives "Unknown error <n> (0x<hex>)".
std::string win32_error_text(unsigned long code);

// win32_error_text(GetLastError()). Call it before anything else that may
// change the thread's last error.
std::string last_error_text();

// The failure of an operation on one file, folder or shortcut, as the user
// is shown it: "<path>: <system text>", so that the box says which file. An
// empty path (a SAS version without a root) names nothing.
std::string win32_path_error_text(const std::string& path, unsigned long code);

}  // namespace kelvarion
