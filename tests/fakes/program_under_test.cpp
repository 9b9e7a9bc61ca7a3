#include "tests/fakes/program_under_test.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <utility>

#include "app/installation_steps.h"
#include "app/startup.h"

namespace kelvarion::testing {

const std::vector<std::string>& generated_file_names() {
    static const std::vector<std::string> names{
        "\\saspgm\\autoexec.sas",         "\\saspgm\\contents.sas",
        "\\saspgm\\finddup.sas",          "\\saspgm\\join.sas",
        "\\saspgm\\print_model.sas",      "\\saspgm\\trans.sas",
        "\\saspgm\\verification_rep.sas", "\\kelvarion.cfg",
    };
    return names;
}

InstallContext context_with(bool sas8, bool sas91, bool sas92) {
    InstallContext context;
    if (sas8) context.sas_root(SasVersion::V8) = "C:\\SAS\\V8";
    if (sas91) context.sas_root(SasVersion::V91) = kSas91Root;
    if (sas92) context.sas_root(SasVersion::V92) = "C:\\Program Files\\SAS\\SASFoundation\\9.2";
    return context;
}

std::vector<std::size_t> RecordedSteps::rows() const {
    std::vector<std::size_t> out;
    for (const StepCall& call : calls) out.push_back(call.row);
    return out;
}

std::vector<InstallationStep> RecordedSteps::wrap(std::vector<InstallationStep> steps,
                                                  const FakeView& view,
                                                  const FakePlatform& platform) {
    for (std::size_t row = 0; row < steps.size(); ++row) {
        steps[row].run = [this, row, &view, &platform, work = std::move(steps[row].run)](
                             std::optional<SasVersion> chosen, std::string* err) {
            calls.push_back({row, view.caption(Control::StatusLabel), view.progress(),
                             platform.pauses.size(), chosen});
            if (while_running) while_running(row);
            if (failing_row == row) {
                *err = kStepFailure;
                return false;
            }
            return work(chosen, err);
        };
    }
    return steps;
}

ProgramUnderTest::ProgramUnderTest(const EditionProfile& edition_profile, const std::string& root,
                                   std::unique_ptr<FakePlatform> platform_to_use)
    : owned_platform_(platform_to_use ? std::move(platform_to_use)
                                      : std::make_unique<FakePlatform>()),
      edition(edition_profile),
      platform(*owned_platform_) {
    if (!root.empty()) {
        platform.entries.erase(FakePlatform::key(platform.root));
        platform.root = root;
        platform.add_folder(root);
    }
    platform.set_registry_string(RegistryView::Bits32, kSas91Key, "DefaultRoot", kSas91Root);
    platform.add_file(kSas91Config, kShippedConfig);
}

ProgramUnderTest::ProgramUnderTest(const EditionProfile& edition_profile, InstallContext found)
    : owned_platform_(std::make_unique<FakePlatform>()),
      edition(edition_profile),
      platform(*owned_platform_),
      context(std::move(found)) {
    for (const SasVersionInfo& sas : kSasVersions)
        if (context.found(sas.version))
            platform.add_file(*context.sas_root(sas.version) + sas.autocall_config,
                              "-SET SASAUTOS (\r\n)\r\n");
    open_window();
}

bool ProgramUnderTest::start() {
    std::optional<InstallContext> found = startup(edition, platform);
    if (!found) return false;
    context = std::move(*found);
    open_window();
    window_->on_load();
    return true;
}

void ProgramUnderTest::load_and_clear_logs() {
    window().on_load();
    view.log.clear();
    platform.log.clear();
}

MainWindow& ProgramUnderTest::window() {
    if (!window_) throw std::logic_error("no window: start() first");
    return *window_;
}

void ProgramUnderTest::open_window() {
    window_ = std::make_unique<MainWindow>(
        edition, context, view,
        steps.wrap(installation_steps(edition, context, view, platform), view, platform), platform);
}

std::string ProgramUnderTest::boxes() const {
    std::string all;
    for (const MessageBoxCall& box : platform.message_boxes)
        all += box.title + ": " + box.text + "\n";
    return all;
}

std::string ProgramUnderTest::failure_text() const {
    if (platform.message_boxes.size() != 1 || platform.message_boxes[0].title != "Error!" ||
        platform.message_boxes[0].icon != MessageIcon::Critical) {
        ADD_FAILURE() << "expected one failure box, got:\n" << boxes();
        return {};
    }
    return platform.message_boxes[0].text;
}

bool ProgramUnderTest::completed() const {
    return platform.message_boxes.size() == 1 && platform.message_boxes[0].title == "Notice" &&
           view.unloaded && caption() == "Installation completed.";
}

}  // namespace kelvarion::testing
