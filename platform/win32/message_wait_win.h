#pragma once
// Waiting on the window's one thread without freezing the window.

#include <cstdint>
#include <functional>

#include "platform/held_file_wait.h"

namespace kelvarion {

// Waits `milliseconds` while the thread's messages are handled, so that the
// window repaints; keys and clicks are dropped, as the busy window drops
// them. A WM_QUIT met on the way is posted again and ends the wait.
void wait_keeping_window_painted(int milliseconds);

// Runs a file call until another program lets go of its file
// (retry_while_held), waiting as above between tries.
std::uint32_t retry_keeping_window_painted(
    FileCall call, const std::function<std::uint32_t()>& attempt,
    const std::function<bool()>& target_read_only_or_folder = {});

}  // namespace kelvarion
