#pragma once
// The one loop over the thread's queued messages, for the three places that
// handle them outside the message loop: the window's updates while a handler
// runs, the wait for a file another program holds, and the dropping of
// queued keys and clicks.

#include <windows.h>

#include <functional>

namespace kelvarion {

// Bounds one round, should a window keep queueing work for itself.
inline constexpr int kMessagesPerRound = 256;

// Removes the messages queued for the thread now, in order, each handed to
// `handle` (which may ignore it: it is gone either way), at most
// kMessagesPerRound of them; `first` and `last` narrow the round to a range
// of messages (0, 0: all). A WM_QUIT met on the way is posted again, for the
// message loop, and ends the round: false.
bool pump_queued_messages(const std::function<void(MSG&)>& handle, UINT first = 0,
                          UINT last = 0);

}  // namespace kelvarion
