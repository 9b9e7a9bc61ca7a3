#pragma once
// frmMain, the program's only window, as its logic: which SAS versions can be
// chosen, the Install and Exit buttons, the keyboard (Enter installs, Esc
// leaves), the busy flag and the installation sequence with its captions,
// progress values and pauses. It drives an abstract MainView; the steps
// themselves do their work behind InstallSteps.

#include <cstdint>
#include <string>

#include "app/install_context.h"
#include "app/install_steps.h"
#include "app/main_view.h"
#include "editions/edition_profile.h"
#include "platform/platform.h"

namespace kelvarion {

inline constexpr std::int16_t kKeyEnter = 13;
inline constexpr std::int16_t kKeyEscape = 27;
inline constexpr int kStepPauseMilliseconds = 100;

inline constexpr const char* kCompletedNotice = "Completed creating shortcut and macro files!";
inline constexpr const char* kNoticeTitle = "Notice";

class frmMain {
public:
    // Every reference must outlive the window.
    frmMain(const EditionProfile& edition, const InstallContext& context, MainView& view,
            InstallSteps& steps, Platform& platform);

    frmMain(const frmMain&) = delete;
    frmMain& operator=(const frmMain&) = delete;

    // Returns the window to idle after a sequence, whatever its outcome.
    void completed();
    // Window methods used by the sequence's last step; they delegate to the steps.
    bool config_sas();
    bool create_tool_config();  // current edition only

    void cmdExit_Click();
    // Key preview: sees every key before the focused control. The shift state
    // is not used.
    void Form_KeyDown(std::int16_t key_code, std::int16_t shift);
    // Once, before the window is displayed.
    void Form_Load();
    void cmdInstall_Click();

    // True while the installation sequence runs.
    bool busy() const { return busy_; }

private:
    std::string selected_version_key() const;
    void enter_busy_state();
    void advance_progress();
    bool configure_sas_system();  // config_sas, then the start-up options file

    const EditionProfile& edition_;
    const InstallContext& context_;
    MainView& view_;
    InstallSteps& steps_;
    Platform& platform_;
    bool busy_ = false;
};

}  // namespace kelvarion
