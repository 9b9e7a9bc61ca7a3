#include "editions/setup_program.h"

#include <windows.h>

#include <commctrl.h>

#include <memory>
#include <optional>

#include "app/main_window.h"
#include "app/main_window_layout.h"
#include "app/messages.h"
#include "app/startup.h"
#include "editions/resources/resource_ids.h"
#include "platform/win32/dll_search_win.h"
#include "platform/win32/main_window_win.h"
#include "platform/win32/win32_platform.h"

namespace kelvarion {
namespace {

// What lives as long as the window.
struct ProgramWindow {
    InstallContext context;
    std::unique_ptr<Win32MainView> view;
    std::unique_ptr<MainWindow> logic;
};

// Creates the window, runs its load handler before it is displayed, then
// shows it. False when the window could not be made; the user has been told.
bool show_main_window(const EditionProfile& edition, const InstallContext& context,
                      Win32Platform& platform, ProgramWindow* window) {
    window->context = context;
    window->view = std::make_unique<Win32MainView>(main_window_layout(edition),
                                                   GetModuleHandleW(nullptr), KELVARION_MAIN_ICON);
    std::string err;
    if (!window->view->create(&err)) {
        platform.message_box(err, kErrorTitle, MessageIcon::Critical);
        return false;
    }
    Win32MainView& view = *window->view;
    platform.set_owner_window(view.window());
    window->logic = std::make_unique<MainWindow>(
        edition, window->context, view,
        installation_steps(edition, window->context, view, platform), platform);
    MainWindow& logic = *window->logic;
    view.set_events({
        .key_down = [&logic](int virtual_key) { logic.on_key_down(virtual_key); },
        .click = [&logic](Control button) { logic.on_click(button); },
        .busy = [&logic] { return logic.busy(); },
    });
    view.run_handler([&logic] { logic.on_load(); });
    view.show();
    return true;
}

}  // namespace

int run_setup_program(const EditionProfile& edition) {
    // Before anything that may load a DLL: the program runs elevated.
    restrict_dll_search_to_system();

    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof controls;
    controls.dwICC = ICC_PROGRESS_CLASS | ICC_STANDARD_CLASSES;
    InitCommonControlsEx(&controls);

    Win32Platform platform;
    const std::optional<InstallContext> context = startup(edition, platform);
    if (!context) return 1;
    ProgramWindow window;
    if (!show_main_window(edition, *context, platform, &window)) return 1;

    const int exit_code = window.view->is_open() ? window.view->run_message_loop() : 0;
    // Message boxes shown after this point have no window to belong to.
    platform.set_owner_window(nullptr);
    return exit_code;
}

}  // namespace kelvarion
