#include "bench/peak_memory.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>

namespace kelvarion::bench {
namespace {

long own_peak_kib() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0) return std::strtol(line.c_str() + 6, nullptr, 10);
    return -1;
}

}  // namespace

bool print_own_peak_kib() {
    const long peak = own_peak_kib();
    if (peak < 0) return false;
    std::printf("%ld\n", peak);
    return std::fflush(stdout) == 0;
}

long child_peak_kib(const std::vector<std::string>& arguments, std::string* err) {
    // Everything execv needs is prepared before fork: the child only execs.
    const std::string self = "/proc/self/exe";
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(self.c_str()));
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);

    int pipe_ends[2];
    if (::pipe(pipe_ends) != 0) {
        *err = std::string("pipe: ") + std::strerror(errno);
        return -1;
    }
    std::fflush(stdout);  // nothing buffered may be written twice
    const pid_t child = ::fork();
    if (child < 0) {
        *err = std::string("fork: ") + std::strerror(errno);
        ::close(pipe_ends[0]);
        ::close(pipe_ends[1]);
        return -1;
    }
    if (child == 0) {
        ::dup2(pipe_ends[1], STDOUT_FILENO);
        ::close(pipe_ends[0]);
        ::close(pipe_ends[1]);
        ::execv(self.c_str(), argv.data());
        ::_exit(127);
    }
    ::close(pipe_ends[1]);
    std::string output;
    char buffer[64];
    for (ssize_t got; (got = ::read(pipe_ends[0], buffer, sizeof buffer)) != 0;) {
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) break;
        output.append(buffer, static_cast<std::size_t>(got));
    }
    ::close(pipe_ends[0]);
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 || output.empty()) {
        *err = "the measuring process failed (status " + std::to_string(status) + ")";
        return -1;
    }
    return std::strtol(output.c_str(), nullptr, 10);
}

}  // namespace kelvarion::bench
