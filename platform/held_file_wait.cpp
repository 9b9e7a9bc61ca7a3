#include "platform/held_file_wait.h"

#include <algorithm>

#include "platform/win32_codes.h"

namespace kelvarion {

bool held_by_another_program(std::uint32_t code) {
    return code == win32_code::kSharingViolation || code == win32_code::kLockViolation ||
           code == win32_code::kUnableToRemoveReplaced || code == win32_code::kUserMappedFile;
}

int held_file_wait(FileCall call, std::uint32_t code, bool target_read_only_or_folder, int waited) {
    const bool held = held_by_another_program(code) ||
                      (code == win32_code::kAccessDenied && call == FileCall::Rename &&
                       !target_read_only_or_folder);
    if (!held || waited >= kHeldFileWaitMilliseconds) return 0;
    // 50, 100, 200, ... each step at most the longest: the next one after
    // the steps that make up `waited`.
    int step = kFirstHeldFileStepMilliseconds;
    for (int sum = 0; sum < waited; sum += step)
        step = std::min(step * 2, kLongestHeldFileStepMilliseconds);
    return std::min(step, kHeldFileWaitMilliseconds - waited);
}

std::uint32_t retry_while_held(FileCall call, const std::function<std::uint32_t()>& attempt,
                               const std::function<void(int milliseconds)>& wait,
                               const std::function<bool()>& target_read_only_or_folder) {
    int waited = 0;
    for (;;) {
        const std::uint32_t code = attempt();
        if (code == win32_code::kSuccess) return code;
        const bool for_good = code == win32_code::kAccessDenied && target_read_only_or_folder &&
                              target_read_only_or_folder();
        const int step = held_file_wait(call, code, for_good, waited);
        if (step <= 0) return code;
        wait(step);
        waited += step;
    }
}

}  // namespace kelvarion
