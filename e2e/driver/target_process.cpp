#include "target_process.h"

#include <vector>

namespace kelvarion::driver {

namespace {
std::string last_error_text(const char* what) {
    return std::string(what) + " failed, error " + std::to_string(GetLastError());
}
}  // namespace

void TargetProcess::forget() {
    process_.reset();
    pid_ = 0;
}

bool TargetProcess::start(const std::wstring& exe, const std::wstring& folder, std::string* err) {
    forget();
    std::wstring command_line = L"\"" + exe + L"\"";
    std::vector<wchar_t> buffer(command_line.begin(), command_line.end());
    buffer.push_back(L'\0');
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(exe.c_str(), buffer.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.empty() ? nullptr : folder.c_str(), &startup, &info)) {
        *err = last_error_text("CreateProcessW");
        return false;
    }
    UniqueKernelHandle thread(info.hThread);  // not needed: closed at once
    process_.reset(info.hProcess);
    pid_ = info.dwProcessId;
    return true;
}

bool TargetProcess::attach(DWORD pid, std::string* err) {
    forget();
    // PROCESS_QUERY_INFORMATION: WaitForInputIdle and GetExitCodeProcess need it.
    process_.reset(OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, pid));
    if (!process_) {
        *err = last_error_text("OpenProcess");
        return false;
    }
    pid_ = pid;
    return true;
}

bool TargetProcess::running() const {
    return process_ && WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT;
}

bool TargetProcess::wait_exit(DWORD timeout_ms, DWORD* exit_code) const {
    if (!process_) return false;
    if (WaitForSingleObject(process_.get(), timeout_ms) != WAIT_OBJECT_0) return false;
    GetExitCodeProcess(process_.get(), exit_code);
    return true;
}

bool TargetProcess::wait_idle(DWORD timeout_ms) const {
    return process_ && WaitForInputIdle(process_.get(), timeout_ms) == 0;
}

}  // namespace kelvarion::driver
