#include "tests/bad_input/installation.h"

#include <gtest/gtest.h>

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

Installation::Installation(const EditionProfile& edition_profile, const std::string& root,
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

bool Installation::start() {
    return startup(edition, platform, [this](const InstallContext& read) {
        context = read;
        window_ = std::make_unique<MainWindow>(
            edition, context, view, installation_steps(edition, context, view, platform), platform);
        window_->on_load();
    });
}

void Installation::install() {
    ASSERT_TRUE(window_) << "start() first";
    window_->on_install();
}

std::string Installation::boxes() const {
    std::string all;
    for (const MessageBoxCall& box : platform.message_boxes)
        all += box.title + ": " + box.text + "\n";
    return all;
}

std::string Installation::failure_text() const {
    if (platform.message_boxes.size() != 1 || platform.message_boxes[0].title != "Error!" ||
        platform.message_boxes[0].icon != MessageIcon::Critical) {
        ADD_FAILURE() << "expected one failure box, got:\n" << boxes();
        return {};
    }
    return platform.message_boxes[0].text;
}

bool Installation::completed() const {
    return platform.message_boxes.size() == 1 && platform.message_boxes[0].title == "Notice" &&
           view.unloaded && caption() == "Installation completed.";
}

std::optional<std::string> Installation::generated(const std::string& name) const {
    return platform.file(in_root(name));
}

}  // namespace kelvarion::testing
