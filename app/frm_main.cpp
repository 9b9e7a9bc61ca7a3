#include "app/frm_main.h"

#include <functional>

namespace kelvarion {
namespace {

// A version was found when its sas.exe path is more than the suffix alone.
bool found(const std::string& sas_exe) { return sas_exe != kSasExeSuffix; }

struct SequenceStep {
    const char* caption;          // shown while the step runs
    const char* failure_caption;  // shown when it returns false
    std::function<bool()> run;
};

}  // namespace

frmMain::frmMain(const EditionProfile& edition, const InstallContext& context, MainView& view,
                 InstallSteps& steps, Platform& platform)
    : edition_(edition), context_(context), view_(view), steps_(steps), platform_(platform) {}

void frmMain::completed() {
    view_.set_enabled(Control::cmdInstall, true);
    view_.set_enabled(Control::cmdExit, true);
    busy_ = false;
    view_.set_mouse_pointer(MousePointer::Default);
}

bool frmMain::config_sas() { return steps_.config_sas(); }

bool frmMain::create_tool_config() { return steps_.create_tool_config(); }

void frmMain::cmdExit_Click() { view_.unload(); }

void frmMain::Form_KeyDown(std::int16_t key_code, std::int16_t /*shift*/) {
    if (key_code == kKeyEscape && !busy_) cmdExit_Click();
    // With Install disabled (no SAS version found) Enter must not start a
    // sequence for a version that is not there.
    if (key_code == kKeyEnter && !busy_ && view_.enabled(Control::cmdInstall)) cmdInstall_Click();
}

void frmMain::Form_Load() {
    // Selecting one option button clears the others, so with SAS 8 and 9.1
    // both found, 9.1 ends up selected. A version not found keeps its
    // design-time selection while disabled.
    if (found(context_.sas8_exe))
        view_.set_selected(Control::optSas8, true);
    else
        view_.set_enabled(Control::optSas8, false);

    if (found(context_.sas91_exe))
        view_.set_selected(Control::optSas9, true);
    else
        view_.set_enabled(Control::optSas9, false);

    if (edition_.offers_sas92) {
        if (!found(context_.sas92_exe))
            view_.set_enabled(Control::optSas92, false);
        else if (!found(context_.sas8_exe) && !found(context_.sas91_exe))
            // Otherwise the disabled optSas8 would stay selected and Install
            // would run for SAS 8, which is not there.
            view_.set_selected(Control::optSas92, true);
    }

    const bool any_enabled =
        view_.enabled(Control::optSas8) || view_.enabled(Control::optSas9) ||
        (edition_.offers_sas92 && view_.enabled(Control::optSas92));
    if (!any_enabled) view_.set_enabled(Control::cmdInstall, false);

    busy_ = false;
}

std::string frmMain::selected_version_key() const {
    // The buttons form one group; were several selected, the last test wins.
    std::string key;
    if (view_.selected(Control::optSas8)) key = "sas8";
    if (view_.selected(Control::optSas9)) key = "sas9";
    if (edition_.offers_sas92 && view_.selected(Control::optSas92)) key = "sas92";
    return key;
}

void frmMain::enter_busy_state() {
    view_.set_enabled(Control::cmdInstall, false);
    view_.set_enabled(Control::cmdExit, false);
    busy_ = true;
    view_.set_mouse_pointer(MousePointer::Hourglass);
}

void frmMain::advance_progress() {
    // Read back from the bar and advanced in single precision.
    view_.set_progress(view_.progress() + 10.0f);
}

bool frmMain::configure_sas_system() {
    if (!config_sas()) return false;
    if (!edition_.writes_tool_config) return true;
    platform_.pause(kStepPauseMilliseconds);
    return create_tool_config();
}

void frmMain::cmdInstall_Click() {
    const std::string version_key = selected_version_key();
    enter_busy_state();

    const SequenceStep sequence[] = {
        {"Creating autoexec.sas ...", "Error creating autoexec.sas ...",
         [this] { return steps_.create_autoexec(); }},
        {"Creating contents.sas ...", "Error creating contents.sas ...",
         [this] { return steps_.create_contents_macro(); }},
        {"Creating finddup.sas ...", "Error creating finddup.sas ...",
         [this] { return steps_.create_finddup_macro(); }},
        {"Creating join.sas ...", "Error creating join.sas ...",
         [this] { return steps_.create_join_macro(); }},
        {"Creating print_model.sas ...", "Error creating print_model.sas ...",
         [this] { return steps_.create_print_model_macro(); }},
        {"Creating trans.sas ...", "Error creating trans.sas ...",
         [this] { return steps_.create_trans_macro(); }},
        {"Creating verification_rep.sas ...", "Error creating verification_rep.sas ...",
         [this] { return steps_.create_verification_rep_macro(); }},
        // Makes the Start-menu shortcut too, under the desktop caption.
        {"Creating desktop shortcut ...", "Error creating desktop shortcut ...",
         [this, &version_key] { return steps_.create_shortcuts(version_key); }},
        {"Config SAS System ...", "Error configing SAS System ...",
         [this] { return configure_sas_system(); }},
    };

    bool first = true;
    for (const SequenceStep& step : sequence) {
        view_.set_caption(Control::lblTitle, step.caption);
        if (first)
            view_.set_progress(0.0f);
        else
            advance_progress();
        first = false;
        platform_.pause(kStepPauseMilliseconds);
        if (!step.run()) {
            // The step has told the user why; the bar keeps its value.
            view_.set_caption(Control::lblTitle, step.failure_caption);
            completed();
            return;
        }
    }

    completed();
    view_.set_caption(Control::lblTitle, "Installation completed.");
    view_.set_progress(100.0f);
    platform_.message_box(kCompletedNotice, kNoticeTitle, MessageIcon::Information);
    view_.unload();
}

}  // namespace kelvarion
