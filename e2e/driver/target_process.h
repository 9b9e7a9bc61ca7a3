#pragma once
// The program under test, as the driver sees it: started by the driver (so
// that its process id and handle are known) or attached to by process id.

#include <windows.h>

#include <string>

#include "platform/win32/unique_handle.h"

namespace kelvarion::driver {

class TargetProcess {
public:
    // Starts `exe` with `folder` as its current folder (a user starting the
    // program from Explorer gets the program's own folder).
    bool start(const std::wstring& exe, const std::wstring& folder, std::string* err);
    bool attach(DWORD pid, std::string* err);

    bool known() const { return bool(process_); }
    DWORD pid() const { return pid_; }
    bool running() const;
    // False on timeout; otherwise the exit code is in *exit_code.
    bool wait_exit(DWORD timeout_ms, DWORD* exit_code) const;
    // Waits until the program's thread waits for input with none pending
    // (WaitForInputIdle); false on timeout.
    bool wait_idle(DWORD timeout_ms) const;

private:
    void forget();
    UniqueKernelHandle process_;  // SYNCHRONIZE and PROCESS_QUERY_INFORMATION at least
    DWORD pid_ = 0;
};

}  // namespace kelvarion::driver
