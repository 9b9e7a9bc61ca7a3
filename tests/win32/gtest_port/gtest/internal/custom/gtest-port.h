#pragma once
// GoogleTest's hook for local settings, found ahead of Debian's empty one.
// GCC 12's win32 thread model has no std::mutex or std::condition_variable,
// and GoogleTest's Notification is built on them; this one waits on a Win32
// event instead (its Mutex already uses a critical section).

#include <windows.h>

#define GTEST_HAS_NOTIFICATION_ 1

namespace testing::internal {

class Notification {
public:
    Notification() : event_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}
    ~Notification() { CloseHandle(event_); }
    Notification(const Notification&) = delete;
    Notification& operator=(const Notification&) = delete;

    void Notify() { SetEvent(event_); }
    void WaitForNotification() { WaitForSingleObject(event_, INFINITE); }

private:
    HANDLE event_;
};

}  // namespace testing::internal
