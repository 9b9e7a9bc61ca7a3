// The production steps on the in-memory platform: each one reaches its own
// step procedure (its own file), and a whole installation runs from start-up
// to the Notice box. What each file holds is tested with its writer.

#include <gtest/gtest.h>

#include <memory>

#include "app/frm_main.h"
#include "app/mdl_main.h"
#include "app/real_install_steps.h"
#include "editions/current_edition.h"
#include "editions/legacy_edition.h"
#include "tests/fakes/fake_platform.h"
#include "tests/fakes/fake_view.h"

namespace kelvarion::testing {
namespace {

constexpr const char* kSas91Root = "C:\\Program Files\\SAS\\SAS 9.1";
constexpr const char* kSas91Config = "C:\\Program Files\\SAS\\SAS 9.1\\nls\\en\\SASV9.CFG";
constexpr const char* kOriginalConfig =
    "-SET SASAUTOS (\r\n        \"!SASROOT\\core\\sasmacro\"\r\n        )\r\n";

void install_sas91(FakePlatform& platform) {
    platform.set_registry_string(RegistryView::Bits32,
                                 "SOFTWARE\\SAS Institute Inc.\\The SAS System\\9.1",
                                 "DefaultRoot", kSas91Root);
    platform.add_file(kSas91Config, kOriginalConfig);
}

std::string in_root(const FakePlatform& platform, const std::string& relative) {
    return platform.root + relative;
}

// Which of the product's generated files exist, in sequence order.
std::vector<std::string> generated_files(const FakePlatform& platform) {
    std::vector<std::string> present;
    for (const char* name : {"autoexec.sas", "contents.sas", "finddup.sas", "join.sas",
                             "print_model.sas", "trans.sas", "verification_rep.sas"})
        if (platform.file(in_root(platform, "\\saspgm\\") + name)) present.push_back(name);
    if (platform.file(in_root(platform, "\\kelvarion.cfg"))) present.push_back("kelvarion.cfg");
    return present;
}

TEST(RealInstallSteps, EachStepDoesItsOwnWork) {
    FakePlatform platform;
    install_sas91(platform);
    FakeView view;
    view.set_selected(Control::optSas9, true);
    InstallContext context;
    context.sas91_root = kSas91Root;
    context.sas91_exe = std::string(kSas91Root) + "\\sas.exe";
    RealInstallSteps steps(kCurrentEdition, context, view, platform);

    using Names = std::vector<std::string>;
    ASSERT_TRUE(steps.create_autoexec());
    EXPECT_EQ(generated_files(platform), Names({"autoexec.sas"}));
    ASSERT_TRUE(steps.create_contents_macro());
    ASSERT_TRUE(steps.create_finddup_macro());
    EXPECT_EQ(generated_files(platform), Names({"autoexec.sas", "contents.sas", "finddup.sas"}));
    ASSERT_TRUE(steps.create_join_macro());
    ASSERT_TRUE(steps.create_print_model_macro());
    EXPECT_EQ(generated_files(platform),
              Names({"autoexec.sas", "contents.sas", "finddup.sas", "join.sas",
                     "print_model.sas"}));
    ASSERT_TRUE(steps.create_trans_macro());
    ASSERT_TRUE(steps.create_verification_rep_macro());
    EXPECT_EQ(generated_files(platform).size(), 7u);

    // The version key reaches the shortcuts.
    ASSERT_TRUE(steps.create_shortcuts("sas9"));
    ASSERT_EQ(platform.shortcuts.size(), 2u);
    for (const auto& [path, properties] : platform.shortcuts)
        EXPECT_EQ(properties.target_path, context.sas91_exe) << path;

    ASSERT_TRUE(steps.config_sas());
    const std::optional<std::string> config = platform.file(kSas91Config);
    ASSERT_TRUE(config);
    EXPECT_NE(*config, kOriginalConfig);
    EXPECT_NE(config->find(in_root(platform, "\\saspgm")), std::string::npos);

    EXPECT_EQ(generated_files(platform).back(), "verification_rep.sas");
    ASSERT_TRUE(steps.create_tool_config());
    EXPECT_EQ(generated_files(platform).back(), "kelvarion.cfg");
    EXPECT_TRUE(platform.message_boxes.empty());
    EXPECT_EQ(platform.open_files, 0);
}

TEST(RealInstallSteps, TheLegacyEditionNeverWritesTheStartUpOptionsFile) {
    FakePlatform platform;
    FakeView view;
    const InstallContext context;
    RealInstallSteps steps(kLegacyEdition, context, view, platform);
    EXPECT_TRUE(steps.create_tool_config());
    EXPECT_TRUE(platform.log.empty());
    EXPECT_FALSE(platform.file(in_root(platform, "\\kelvarion.cfg")));
}

// Start-up, the window and the real steps together, as the program runs them.
TEST(RealInstallSteps, AWholeInstallationRunsFromStartUpToTheNotice) {
    for (const EditionProfile* edition : {&kCurrentEdition, &kLegacyEdition}) {
        SCOPED_TRACE(edition->name);
        FakePlatform platform;
        install_sas91(platform);
        FakeView view;
        InstallContext context;
        std::unique_ptr<RealInstallSteps> steps;
        std::unique_ptr<frmMain> form;
        const bool started = Main(*edition, platform, [&](const InstallContext& read) {
            context = read;
            steps = std::make_unique<RealInstallSteps>(*edition, context, view, platform);
            form = std::make_unique<frmMain>(*edition, context, view, *steps, platform);
            form->Form_Load();
        });
        ASSERT_TRUE(started);
        ASSERT_TRUE(view.selected(Control::optSas9));

        form->Form_KeyDown(kKeyEnter, 0);

        std::string boxes;
        for (const MessageBoxCall& box : platform.message_boxes)
            boxes += box.title + ": " + box.text + "\n";
        ASSERT_EQ(platform.message_boxes.size(), 1u) << boxes;
        EXPECT_EQ(platform.message_boxes[0].title, "Notice");
        EXPECT_TRUE(view.unloaded);
        EXPECT_EQ(view.caption(Control::lblTitle), "Installation completed.");
        EXPECT_EQ(platform.pauses.size(), edition->writes_tool_config ? 10u : 9u);
        EXPECT_EQ(generated_files(platform).size(), edition->writes_tool_config ? 8u : 7u);
        EXPECT_EQ(platform.shortcuts.size(), 2u);
        EXPECT_NE(platform.file(kSas91Config)->find(in_root(platform, "\\saspgm")),
                  std::string::npos);
        EXPECT_EQ(platform.open_files, 0);
    }
}

}  // namespace
}  // namespace kelvarion::testing
