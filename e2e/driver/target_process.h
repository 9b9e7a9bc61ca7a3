#pragma once
// The program under test, as the driver sees it: started by the driver (so
// that its process id and handle are known) or attached to by process id.

#include <windows.h>

#include <string>

namespace kelvarion::driver {

class TargetProcess {
public:
    TargetProcess() = default;
    TargetProcess(const TargetProcess&) = delete;
    TargetProcess& operator=(const TargetProcess&) = delete;
    ~TargetProcess() { reset(); }

    // Starts `exe` with `folder` as its current folder (a user starting the
    // program from Explorer gets the program's own folder).
    bool start(const std::wstring& exe, const std::wstring& folder, std::string* err);
    bool attach(DWORD pid, std::string* err);

    bool known() const { return process_ != nullptr; }
    DWORD pid() const { return pid_; }
    bool running() const;
    // False on timeout; otherwise the exit code is in *exit_code.
    bool wait_exit(DWORD timeout_ms, DWORD* exit_code) const;

private:
    void reset();
    HANDLE process_ = nullptr;
    DWORD pid_ = 0;
};

// Milliseconds since a mark; the driver marks each click and key press so
// that waits and recordings report times relative to the user's action.
class Stopwatch {
public:
    Stopwatch() { mark(); }
    void mark();
    double elapsed_ms() const;

private:
    LARGE_INTEGER start_{};
};

}  // namespace kelvarion::driver
