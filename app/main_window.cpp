#include "app/main_window.h"

#include <utility>

#include "app/messages.h"

namespace kelvarion {

MainWindow::MainWindow(const EditionProfile& edition, const InstallContext& context, MainView& view,
                       std::vector<InstallationStep> steps, Platform& platform)
    : edition_(edition),
      context_(context),
      view_(view),
      steps_(std::move(steps)),
      platform_(platform) {}

void MainWindow::on_load() {
    // A version not found keeps its design-time selection while disabled.
    for (const SasVersionInfo& sas : kSasVersions) {
        if (!offers(edition_, sas.version)) continue;
        if (!context_.found(sas.version))
            view_.set_enabled(sas.option, false);
        else if (sas.selection == SelectWhenFound::Always || !another_version_found(sas.version))
            view_.set_selected(sas.option, true);
    }

    bool any_enabled = false;
    for (const SasVersionInfo& sas : kSasVersions)
        if (offers(edition_, sas.version) && view_.enabled(sas.option)) any_enabled = true;
    if (!any_enabled) view_.set_enabled(Control::InstallButton, false);

    busy_ = false;
}

bool MainWindow::another_version_found(SasVersion version) const {
    for (const SasVersion other : edition_.versions)
        if (other != version && context_.found(other)) return true;
    return false;
}

void MainWindow::on_exit() { view_.unload(); }

void MainWindow::on_click(Control button) {
    if (button == Control::InstallButton) on_install();
    if (button == Control::ExitButton) on_exit();
}

void MainWindow::on_key_down(int virtual_key) {
    if (virtual_key == kVirtualKeyEscape && !busy_) on_exit();
    // With Install disabled (no SAS version found) Enter must not start a
    // sequence for a version that is not there.
    if (virtual_key == kVirtualKeyEnter && !busy_ && view_.enabled(Control::InstallButton))
        on_install();
}

std::optional<SasVersion> MainWindow::chosen_version() const {
    // The buttons form one group; were several selected, the last test wins.
    std::optional<SasVersion> chosen;
    for (const SasVersionInfo& sas : kSasVersions)
        if (offers(edition_, sas.version) && view_.selected(sas.option)) chosen = sas.version;
    return chosen;
}

void MainWindow::enter_busy_state() {
    view_.set_enabled(Control::InstallButton, false);
    view_.set_enabled(Control::ExitButton, false);
    busy_ = true;
    view_.set_mouse_pointer(MousePointer::Hourglass);
}

void MainWindow::return_to_idle() {
    view_.set_enabled(Control::InstallButton, true);
    view_.set_enabled(Control::ExitButton, true);
    busy_ = false;
    view_.set_mouse_pointer(MousePointer::Default);
}

void MainWindow::advance_progress() {
    // Read back from the bar and advanced in single precision.
    view_.set_progress(view_.progress() + 10.0f);
}

void MainWindow::on_install() {
    const std::optional<SasVersion> chosen = chosen_version();
    enter_busy_state();

    bool first = true;
    for (const InstallationStep& step : steps_) {
        view_.set_caption(Control::StatusLabel, step.caption);
        if (first)
            view_.set_progress(0.0f);
        else
            advance_progress();
        first = false;
        platform_.pause(kStepPauseMilliseconds);
        std::string err;
        if (!step.run(chosen, &err)) {
            // The failure box first; the bar keeps its value.
            platform_.message_box(err, kErrorTitle, MessageIcon::Critical);
            view_.set_caption(Control::StatusLabel, step.failure_caption);
            return_to_idle();
            return;
        }
    }

    return_to_idle();
    view_.set_caption(Control::StatusLabel, kCompletedCaption);
    view_.set_progress(100.0f);
    platform_.message_box(kCompletedNotice, kNoticeTitle, MessageIcon::Information);
    view_.unload();
}

}  // namespace kelvarion
