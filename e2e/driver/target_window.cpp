#include "target_window.h"

#include "answer.h"
#include "window_query.h"

namespace kelvarion::driver {

HWND find_main_window(DWORD pid) { return find_top_window(pid, kMainCaption); }

bool main_window_shown_or_ended(const TargetProcess& target, HWND* found) {
    *found = find_main_window(target.pid());
    return *found != nullptr || !target.running();
}

std::string no_main_window(const TargetProcess& target) {
    return failure(target.running() ? "timeout" : "the program ended without a window");
}

}  // namespace kelvarion::driver
