#pragma once
// The program's only window, as its logic: which SAS versions can be chosen,
// the Install and Exit buttons, the keyboard (Enter installs, Esc leaves),
// the busy flag and the installation sequence with its captions, progress
// values, pauses and failure boxes. It drives an abstract MainView; the steps
// come as a table (app/installation_steps.h).

#include <optional>
#include <vector>

#include "app/installation_steps.h"
#include "model/edition_profile.h"
#include "model/install_context.h"
#include "model/sas_versions.h"
#include "platform/main_view.h"
#include "platform/platform.h"

namespace kelvarion {

inline constexpr int kVirtualKeyEnter = 0x0D;   // VK_RETURN
inline constexpr int kVirtualKeyEscape = 0x1B;  // VK_ESCAPE

class MainWindow {
public:
    // Every reference must outlive the window.
    MainWindow(const EditionProfile& edition, const InstallContext& context, MainView& view,
               std::vector<InstallationStep> steps, Platform& platform);

    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    // Once, before the window is displayed: the versions found can be chosen.
    void on_load();
    // The Install button, or Enter: runs the installation sequence.
    void on_install();
    // The Exit button, or Esc while idle: closes the window.
    void on_exit();
    // Key preview: sees every key before the focused control.
    void on_key_down(int virtual_key);
    // A command button of the view was clicked.
    void on_click(Control button);

    // True while the installation sequence runs.
    bool busy() const { return busy_; }

    // The SAS version the selected option button stands for; none when no
    // button is selected.
    std::optional<SasVersion> chosen_version() const;

private:
    bool another_version_found(SasVersion version) const;
    void enter_busy_state();
    // Returns the window to idle after a sequence, whatever its outcome.
    void return_to_idle();
    void advance_progress();

    const EditionProfile& edition_;
    const InstallContext& context_;
    MainView& view_;
    const std::vector<InstallationStep> steps_;
    Platform& platform_;
    bool busy_ = false;
};

}  // namespace kelvarion
