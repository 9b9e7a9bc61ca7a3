// The main window's logic: the option buttons after loading, the keyboard,
// Exit and the return to idle.

#include <gtest/gtest.h>

#include "editions/current_edition.h"
#include "editions/legacy_edition.h"
#include "app/main_window_layout.h"
#include "tests/expected/expected_files.h"
#include "tests/fakes/program_under_test.h"

namespace kelvarion::testing {
namespace {

struct LoadCase {
    const char* what;
    const EditionProfile* edition;
    bool sas8, sas91, sas92;  // found
    bool enabled8, enabled9, enabled92;
    Control selected;
    bool install_enabled;
};

TEST(MainWindowLayout, TabOrderPutsTheSas92ButtonLastAndSas8StartsTheGroup) {
    const std::vector<Control> current = {
        Control::VersionFrame,  Control::Sas8Option,  Control::Sas91Option,
        Control::InstallButton, Control::ExitButton,  Control::ButtonFrame,
        Control::ProgressFrame, Control::ProgressBar, Control::StatusLabel,
        Control::ConfigTextBox, Control::Sas92Option,
    };
    for (const EditionProfile* edition : {&kCurrentEdition, &kLegacyEdition}) {
        SCOPED_TRACE(edition->name);
        std::vector<Control> expected = current;
        if (edition == &kLegacyEdition) expected.pop_back();
        std::vector<Control> order;
        for (const ControlLayout& control : main_window_layout(*edition).controls) {
            order.push_back(control.id);
            const bool sas8 = control.id == Control::Sas8Option;
            EXPECT_EQ(control.starts_group, sas8);
            EXPECT_EQ(control.selected, sas8);
        }
        EXPECT_EQ(order, expected);
    }
}

TEST(MainWindowLoad, EnablesAndSelectsTheVersionsFound) {
    const EditionProfile* cur = &kCurrentEdition;
    const EditionProfile* leg = &kLegacyEdition;
    const LoadCase cases[] = {
        // current edition
        {"none", cur, false, false, false, false, false, false, Control::Sas8Option, false},
        {"8 only", cur, true, false, false, true, false, false, Control::Sas8Option, true},
        {"9.1 only", cur, false, true, false, false, true, false, Control::Sas91Option, true},
        {"8 and 9.1", cur, true, true, false, true, true, false, Control::Sas91Option, true},
        {"9.1 and 9.2", cur, false, true, true, false, true, true, Control::Sas91Option, true},
        {"8 and 9.2", cur, true, false, true, true, false, true, Control::Sas8Option, true},
        {"9.2 only", cur, false, false, true, false, false, true, Control::Sas92Option, true},
        {"all three", cur, true, true, true, true, true, true, Control::Sas91Option, true},
        // legacy edition: the SAS 9.2 button does not exist there and stays as designed
        {"legacy none", leg, false, false, false, false, false, true, Control::Sas8Option, false},
        {"legacy 8 only", leg, true, false, false, true, false, true, Control::Sas8Option, true},
        {"legacy 9.1 only", leg, false, true, false, false, true, true, Control::Sas91Option, true},
        {"legacy 8 and 9.1", leg, true, true, false, true, true, true, Control::Sas91Option, true},
        {"legacy ignores 9.2", leg, false, false, true, false, false, true, Control::Sas8Option,
         false},
    };
    for (const LoadCase& c : cases) {
        SCOPED_TRACE(c.what);
        ProgramUnderTest w(*c.edition, context_with(c.sas8, c.sas91, c.sas92));
        w.window().on_load();

        EXPECT_EQ(w.view.enabled(Control::Sas8Option), c.enabled8);
        EXPECT_EQ(w.view.enabled(Control::Sas91Option), c.enabled9);
        // The legacy window has no SAS 9.2 button, which the view would refuse.
        const bool has_sas92 = offers(*c.edition, SasVersion::V92);
        if (has_sas92) {
            EXPECT_EQ(w.view.enabled(Control::Sas92Option), c.enabled92);
        }
        for (const SasVersion version : c.edition->versions) {
            const Control option = sas_version_info(version).option;
            EXPECT_EQ(w.view.selected(option), option == c.selected) << control_name(option);
        }
        EXPECT_EQ(w.view.enabled(Control::InstallButton), c.install_enabled);
        EXPECT_TRUE(w.view.enabled(Control::ExitButton));
        EXPECT_FALSE(w.window().busy());
        // Loading neither runs anything nor changes what the user cannot choose.
        EXPECT_EQ(w.view.caption(Control::StatusLabel), "Progressing");
        EXPECT_EQ(w.view.progress(), 0.0f);
        EXPECT_EQ(w.view.pointer, MousePointer::Default);
        EXPECT_TRUE(w.steps.calls.empty());
        EXPECT_TRUE(w.platform.message_boxes.empty());
        EXPECT_FALSE(w.view.unloaded);
        if (c.edition == leg) {
            for (const std::string& entry : w.view.log)
                EXPECT_EQ(entry.find("Sas92Option"), std::string::npos) << entry;
        }
    }
}

TEST(MainWindowLoad, AFoundSas92CanBeChosenAndInstalled) {
    ProgramUnderTest w(kCurrentEdition, context_with(false, true, true));
    w.window().on_load();
    w.view.set_selected(Control::Sas92Option, true);  // the user's click
    w.window().on_install();
    ASSERT_GT(w.steps.calls.size(), step_row(kShortcutStep));
    EXPECT_EQ(w.steps.calls[step_row(kShortcutStep)].chosen, SasVersion::V92);
    EXPECT_TRUE(w.view.unloaded);
}

TEST(MainWindowKeys, EscWhileIdleUnloadsTheWindow) {
    for (bool any_sas : {true, false}) {
        SCOPED_TRACE(any_sas ? "SAS found" : "no SAS, Install disabled");
        ProgramUnderTest w(kCurrentEdition, context_with(false, any_sas, false));
        w.load_and_clear_logs();
        w.window().on_key_down(kVirtualKeyEscape);
        EXPECT_TRUE(w.view.unloaded);
        EXPECT_EQ(w.view.log, std::vector<std::string>{"unload"});
        EXPECT_TRUE(w.steps.calls.empty());
    }
}

TEST(MainWindowKeys, EnterWhileIdleRunsTheInstallation) {
    for (const EditionProfile* edition : {&kCurrentEdition, &kLegacyEdition}) {
        SCOPED_TRACE(edition->name);
        ProgramUnderTest w(*edition, context_with(true, false, false));
        w.load_and_clear_logs();
        w.window().on_key_down(kVirtualKeyEnter);
        ASSERT_EQ(w.steps.calls.size(), expected_steps().size());
        EXPECT_EQ(w.steps.calls[step_row(kShortcutStep)].chosen, SasVersion::V8);
        EXPECT_TRUE(w.view.unloaded);  // after the Notice box
    }
}

TEST(MainWindowKeys, EnterDoesNothingWhileInstallIsDisabled) {
    for (const EditionProfile* edition : {&kCurrentEdition, &kLegacyEdition}) {
        SCOPED_TRACE(edition->name);
        ProgramUnderTest w(*edition, context_with(false, false, false));
        w.load_and_clear_logs();
        ASSERT_FALSE(w.view.enabled(Control::InstallButton));
        w.window().on_key_down(kVirtualKeyEnter);
        EXPECT_TRUE(w.steps.calls.empty());
        EXPECT_TRUE(w.view.log.empty());
        EXPECT_TRUE(w.platform.pauses.empty());
        EXPECT_FALSE(w.window().busy());
    }
}

TEST(MainWindowKeys, EnterAndEscWhileInstallingAreIgnored) {
    for (const EditionProfile* edition : {&kCurrentEdition, &kLegacyEdition}) {
        SCOPED_TRACE(edition->name);
        ProgramUnderTest w(*edition, context_with(false, true, false));
        w.load_and_clear_logs();
        // The SAS configuration, the last step: the window stays open at the end.
        w.steps.failing_row = step_row(kConfigStep);
        bool unloaded_while_running = true;
        bool busy_while_running = false;
        w.steps.while_running = [&](std::size_t row) {
            if (row != step_row("Creating join.sas ...")) return;
            busy_while_running = w.window().busy();
            w.window().on_key_down(kVirtualKeyEscape);
            w.window().on_key_down(kVirtualKeyEnter);
            unloaded_while_running = w.view.unloaded;
        };
        w.window().on_install();

        EXPECT_TRUE(busy_while_running);
        EXPECT_FALSE(unloaded_while_running);
        EXPECT_FALSE(w.view.unloaded);
        // One run only: no step was started a second time by the Enter.
        EXPECT_EQ(w.steps.calls.size(), expected_steps().size());
        EXPECT_EQ(w.platform.pauses.size(), expected_steps().size());
        EXPECT_EQ(w.view.caption(Control::StatusLabel), "Error configing SAS System ...");
    }
}

TEST(MainWindowKeys, OtherKeysDoNothing) {
    ProgramUnderTest w(kCurrentEdition, context_with(true, true, true));
    w.load_and_clear_logs();
    // Space, Tab, letters, F1, and codes that only look like Enter or Esc in
    // their low byte.
    for (int key : {0, 9, 10, 32, 65, 112, 13 + 256, 27 + 256, -13, -27})
        w.window().on_key_down(key);
    EXPECT_TRUE(w.view.log.empty());
    EXPECT_TRUE(w.steps.calls.empty());
    EXPECT_FALSE(w.view.unloaded);
}

TEST(MainWindowExit, UnloadsWithoutAskingAnything) {
    ProgramUnderTest w(kLegacyEdition, context_with(true, true, false));
    w.load_and_clear_logs();
    w.window().on_exit();
    EXPECT_EQ(w.view.log, std::vector<std::string>{"unload"});
    EXPECT_TRUE(w.platform.message_boxes.empty());
    EXPECT_TRUE(w.platform.log.empty());
}

TEST(MainWindowExit, AFailedRunLeavesTheWindowIdleSoEscWorksAgain) {
    ProgramUnderTest w(kCurrentEdition, context_with(false, true, false));
    w.load_and_clear_logs();
    w.steps.failing_row = 0;
    w.window().on_install();
    EXPECT_FALSE(w.window().busy());
    w.window().on_key_down(kVirtualKeyEscape);
    EXPECT_TRUE(w.view.unloaded);
}

}  // namespace
}  // namespace kelvarion::testing
