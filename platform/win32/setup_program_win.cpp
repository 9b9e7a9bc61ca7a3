#include "platform/win32/setup_program_win.h"

#include <windows.h>

#include <commctrl.h>

#include <memory>

#include "app/frm_main.h"
#include "app/mdl_main.h"
#include "app/real_install_steps.h"
#include "editions/resources/resource_ids.h"
#include "platform/win32/main_window_win.h"
#include "platform/win32/win32_platform.h"

namespace kelvarion {
namespace {

// What lives as long as the window: created when Main shows it.
struct MainWindow {
    InstallContext context;
    std::unique_ptr<Win32MainView> view;
    std::unique_ptr<RealInstallSteps> steps;
    std::unique_ptr<frmMain> form;
};

// Creates frmMain, runs Form_Load before it is displayed, then shows it.
// False when the window could not be made; the user has been told.
bool show_main_window(const EditionProfile& edition, const InstallContext& context,
                      Win32Platform& platform, MainWindow* window) {
    window->context = context;
    window->view = std::make_unique<Win32MainView>(edition, GetModuleHandleW(nullptr),
                                                   KELVARION_MAIN_ICON);
    std::string err;
    if (!window->view->create(&err)) {
        platform.message_box(err, kErrorTitle, MessageIcon::Critical);
        return false;
    }
    Win32MainView& view = *window->view;
    platform.set_owner_window(view.window());
    window->steps =
        std::make_unique<RealInstallSteps>(edition, window->context, view, platform);
    window->form = std::make_unique<frmMain>(edition, window->context, view, *window->steps,
                                             platform);
    frmMain& form = *window->form;
    view.set_events({
        .key_down = [&form](std::int16_t key,
                            std::int16_t shift) { form.Form_KeyDown(key, shift); },
        .install_click = [&form] { form.cmdInstall_Click(); },
        .exit_click = [&form] { form.cmdExit_Click(); },
        .busy = [&form] { return form.busy(); },
    });
    view.run_handler([&form] { form.Form_Load(); });
    view.show();
    return true;
}

}  // namespace

int run_setup_program(const EditionProfile& edition) {
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof controls;
    controls.dwICC = ICC_PROGRESS_CLASS | ICC_STANDARD_CLASSES;
    InitCommonControlsEx(&controls);

    Win32Platform platform;
    MainWindow window;
    bool shown = false;
    const bool started = Main(edition, platform, [&](const InstallContext& context) {
        shown = show_main_window(edition, context, platform, &window);
    });
    if (!started || !shown) return 1;

    const int exit_code = window.view->is_open() ? window.view->run_message_loop() : 0;
    // Message boxes shown after this point have no window to belong to.
    platform.set_owner_window(nullptr);
    return exit_code;
}

}  // namespace kelvarion
