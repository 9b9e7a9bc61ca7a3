#pragma once
// Files held open as another program holds them: an on-access scanner, the
// search indexer or a sync client reading the file while the setup program
// wants to replace it. Shared by the Windows-side tests and the end-to-end UI
// driver (its command hold).

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/win32/unique_handle.h"

namespace kelvarion::testing {

class HeldFiles {
public:
    HeldFiles() = default;
    HeldFiles(const HeldFiles&) = delete;
    HeldFiles& operator=(const HeldFiles&) = delete;
    ~HeldFiles() { release_all(); }

    // Opens `path` for reading with `share`; a thread of its own closes it
    // after `milliseconds`, or release_all does (0). False with the error in
    // *err when the file cannot be opened.
    bool hold(const std::string& path, DWORD share, DWORD milliseconds, std::string* err);
    // Closes every file still held, waiting for the timed ones' threads.
    void release_all();

private:
    struct Held {
        UniqueFileHandle file;
        DWORD milliseconds = 0;
        UniqueKernelHandle thread;
    };
    static DWORD WINAPI close_later(void* held);
    std::vector<std::unique_ptr<Held>> held_;
};

}  // namespace kelvarion::testing
