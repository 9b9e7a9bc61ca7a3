#include "tests/support/held_files_win.h"

#include "platform/win32/error_text_win.h"
#include "platform/win32/strconv_win.h"

namespace kelvarion::testing {

bool HeldFiles::hold(const std::string& path, DWORD share, DWORD milliseconds, std::string* err) {
    auto held = std::make_unique<Held>();
    held->file = UniqueFileHandle(CreateFileW(widen(path).c_str(), GENERIC_READ, share, nullptr,
                                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!held->file) {
        *err = path + ": " + last_error_text();
        return false;
    }
    held->milliseconds = milliseconds;
    if (milliseconds > 0) {
        held->thread =
            UniqueKernelHandle(CreateThread(nullptr, 0, &HeldFiles::close_later, held.get(), 0,
                                            nullptr));
        if (!held->thread) {
            *err = "CreateThread: " + last_error_text();
            return false;
        }
    }
    held_.push_back(std::move(held));
    return true;
}

DWORD WINAPI HeldFiles::close_later(void* held) {
    Held& file = *static_cast<Held*>(held);
    // The other program's own time with the file, not a wait for a condition.
    Sleep(file.milliseconds);
    file.file.reset();
    return 0;
}

void HeldFiles::release_all() {
    for (const auto& held : held_) {
        if (held->thread) WaitForSingleObject(held->thread.get(), INFINITE);
        held->file.reset();
    }
    held_.clear();
}

}  // namespace kelvarion::testing
