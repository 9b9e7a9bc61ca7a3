#include "target_process.h"

#include <vector>

#include "utf.h"

namespace kelvarion::driver {

namespace {
std::string last_error_text(const char* what) {
    return std::string(what) + " failed, error " + std::to_string(GetLastError());
}
}  // namespace

void TargetProcess::reset() {
    if (process_) CloseHandle(process_);
    process_ = nullptr;
    pid_ = 0;
}

bool TargetProcess::start(const std::wstring& exe, const std::wstring& folder, std::string* err) {
    reset();
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
    CloseHandle(info.hThread);
    process_ = info.hProcess;
    pid_ = info.dwProcessId;
    return true;
}

bool TargetProcess::attach(DWORD pid, std::string* err) {
    reset();
    process_ = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, pid);
    if (!process_) {
        *err = last_error_text("OpenProcess");
        return false;
    }
    pid_ = pid;
    return true;
}

bool TargetProcess::running() const {
    return process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT;
}

bool TargetProcess::wait_exit(DWORD timeout_ms, DWORD* exit_code) const {
    if (!process_) return false;
    if (WaitForSingleObject(process_, timeout_ms) != WAIT_OBJECT_0) return false;
    GetExitCodeProcess(process_, exit_code);
    return true;
}

void Stopwatch::mark() { QueryPerformanceCounter(&start_); }

double Stopwatch::elapsed_ms() const {
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return double(now.QuadPart - start_.QuadPart) * 1000.0 / double(frequency.QuadPart);
}

}  // namespace kelvarion::driver
