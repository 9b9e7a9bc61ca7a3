#pragma once
// Reading and writing whole files through handles, for the platform's files
// and the replace's own operations alike. Each returns 0 or the Win32 error.

#include <windows.h>

#include <string>
#include <string_view>

namespace kelvarion {

// Reads the whole file, sharing reading only: a file another program is
// writing is refused rather than read half-written.
DWORD read_whole_file(const std::wstring& path, std::string* bytes);

// Writes all of `bytes` at the handle's position, in slices WriteFile takes.
DWORD write_all(HANDLE file, std::string_view bytes);

// Writes `bytes`, flushes them to disk and closes the handle, which is gone
// whatever the outcome.
DWORD write_flush_close(HANDLE file, std::string_view bytes);

}  // namespace kelvarion
