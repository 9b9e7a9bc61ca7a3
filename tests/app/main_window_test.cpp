// frmMain's window logic: the option buttons after loading, the keyboard,
// Exit and the return to idle.

#include <gtest/gtest.h>

#include "editions/current_edition.h"
#include "editions/legacy_edition.h"
#include "tests/app/window_under_test.h"

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

TEST(FormLoad, EnablesAndSelectsTheVersionsFound) {
    const EditionProfile* cur = &kCurrentEdition;
    const EditionProfile* leg = &kLegacyEdition;
    const LoadCase cases[] = {
        // current edition
        {"none", cur, false, false, false, false, false, false, Control::optSas8, false},
        {"8 only", cur, true, false, false, true, false, false, Control::optSas8, true},
        {"9.1 only", cur, false, true, false, false, true, false, Control::optSas9, true},
        {"8 and 9.1", cur, true, true, false, true, true, false, Control::optSas9, true},
        {"9.1 and 9.2", cur, false, true, true, false, true, true, Control::optSas9, true},
        {"8 and 9.2", cur, true, false, true, true, false, true, Control::optSas8, true},
        {"9.2 only", cur, false, false, true, false, false, true, Control::optSas92, true},
        {"all three", cur, true, true, true, true, true, true, Control::optSas9, true},
        // legacy edition: optSas92 does not exist there and stays as designed
        {"legacy none", leg, false, false, false, false, false, true, Control::optSas8, false},
        {"legacy 8 only", leg, true, false, false, true, false, true, Control::optSas8, true},
        {"legacy 9.1 only", leg, false, true, false, false, true, true, Control::optSas9, true},
        {"legacy 8 and 9.1", leg, true, true, false, true, true, true, Control::optSas9, true},
        {"legacy ignores 9.2", leg, false, false, true, false, false, true, Control::optSas8,
         false},
    };
    for (const LoadCase& c : cases) {
        SCOPED_TRACE(c.what);
        WindowUnderTest w(*c.edition, context_with(c.sas8, c.sas91, c.sas92));
        w.form.Form_Load();

        EXPECT_EQ(w.view.enabled(Control::optSas8), c.enabled8);
        EXPECT_EQ(w.view.enabled(Control::optSas9), c.enabled9);
        EXPECT_EQ(w.view.enabled(Control::optSas92), c.enabled92);
        for (Control option : {Control::optSas8, Control::optSas9, Control::optSas92})
            EXPECT_EQ(w.view.selected(option), option == c.selected) << control_name(option);
        EXPECT_EQ(w.view.enabled(Control::cmdInstall), c.install_enabled);
        EXPECT_TRUE(w.view.enabled(Control::cmdExit));
        EXPECT_FALSE(w.form.busy());
        // Loading neither runs anything nor changes what the user cannot choose.
        EXPECT_EQ(w.view.caption(Control::lblTitle), "Progressing");
        EXPECT_EQ(w.view.progress(), 0.0f);
        EXPECT_EQ(w.view.pointer, MousePointer::Default);
        EXPECT_TRUE(w.steps.calls.empty());
        EXPECT_TRUE(w.platform.message_boxes.empty());
        EXPECT_FALSE(w.view.unloaded);
        if (c.edition == leg) {
            for (const std::string& entry : w.view.log)
                EXPECT_EQ(entry.find("optSas92"), std::string::npos) << entry;
        }
    }
}

TEST(FormLoad, AFoundSas92CanBeChosenAndInstalled) {
    WindowUnderTest w(kCurrentEdition, context_with(false, true, true));
    w.form.Form_Load();
    w.view.set_selected(Control::optSas92, true);  // the user's click
    w.form.cmdInstall_Click();
    ASSERT_GE(w.steps.calls.size(), 8u);
    EXPECT_EQ(w.steps.calls[7].step, "create_shortcuts sas92");
}

TEST(FormKeyDown, EscWhileIdleUnloadsTheWindow) {
    for (bool any_sas : {true, false}) {
        SCOPED_TRACE(any_sas ? "SAS found" : "no SAS, Install disabled");
        WindowUnderTest w(kCurrentEdition, context_with(false, any_sas, false));
        w.load_and_clear_logs();
        w.form.Form_KeyDown(kKeyEscape, 1);  // the shift state plays no part
        EXPECT_TRUE(w.view.unloaded);
        EXPECT_EQ(w.view.log, std::vector<std::string>{"unload"});
        EXPECT_TRUE(w.steps.calls.empty());
    }
}

TEST(FormKeyDown, EnterWhileIdleRunsTheInstallation) {
    for (const EditionProfile* edition : {&kCurrentEdition, &kLegacyEdition}) {
        SCOPED_TRACE(edition->name);
        WindowUnderTest w(*edition, context_with(true, false, false));
        w.load_and_clear_logs();
        w.form.Form_KeyDown(kKeyEnter, 0);
        EXPECT_EQ(w.steps.calls.size(), edition->writes_tool_config ? 10u : 9u);
        EXPECT_EQ(w.steps.calls[7].step, "create_shortcuts sas8");
        EXPECT_TRUE(w.view.unloaded);  // after the Notice box
    }
}

TEST(FormKeyDown, EnterDoesNothingWhileInstallIsDisabled) {
    for (const EditionProfile* edition : {&kCurrentEdition, &kLegacyEdition}) {
        SCOPED_TRACE(edition->name);
        WindowUnderTest w(*edition, context_with(false, false, false));
        w.load_and_clear_logs();
        ASSERT_FALSE(w.view.enabled(Control::cmdInstall));
        w.form.Form_KeyDown(kKeyEnter, 0);
        EXPECT_TRUE(w.steps.calls.empty());
        EXPECT_TRUE(w.view.log.empty());
        EXPECT_TRUE(w.platform.pauses.empty());
        EXPECT_FALSE(w.form.busy());
    }
}

TEST(FormKeyDown, EnterAndEscWhileInstallingAreIgnored) {
    for (const EditionProfile* edition : {&kCurrentEdition, &kLegacyEdition}) {
        SCOPED_TRACE(edition->name);
        WindowUnderTest w(*edition, context_with(false, true, false));
        w.load_and_clear_logs();
        w.steps.failing_step = "config_sas";  // so the window stays open at the end
        bool unloaded_while_running = true;
        bool busy_while_running = false;
        w.steps.while_running = [&](const std::string& step) {
            if (step != "create_join_macro") return;
            busy_while_running = w.form.busy();
            w.form.Form_KeyDown(kKeyEscape, 0);
            w.form.Form_KeyDown(kKeyEnter, 0);
            unloaded_while_running = w.view.unloaded;
        };
        w.form.cmdInstall_Click();

        EXPECT_TRUE(busy_while_running);
        EXPECT_FALSE(unloaded_while_running);
        EXPECT_FALSE(w.view.unloaded);
        // One run only: no step was started a second time by the Enter.
        EXPECT_EQ(w.steps.calls.size(), 9u);
        EXPECT_EQ(w.platform.pauses.size(), 9u);
        EXPECT_EQ(w.view.caption(Control::lblTitle), "Error configing SAS System ...");
    }
}

TEST(FormKeyDown, OtherKeysDoNothing) {
    WindowUnderTest w(kCurrentEdition, context_with(true, true, true));
    w.load_and_clear_logs();
    // Space, Tab, letters, F1, and codes that only look like Enter or Esc in
    // their low byte.
    for (std::int16_t key : {0, 9, 10, 32, 65, 112, 13 + 256, 27 + 256, -13, -27})
        w.form.Form_KeyDown(key, 0);
    w.form.Form_KeyDown(65, 1);
    EXPECT_TRUE(w.view.log.empty());
    EXPECT_TRUE(w.steps.calls.empty());
    EXPECT_FALSE(w.view.unloaded);
}

TEST(CmdExitClick, UnloadsWithoutAskingAnything) {
    WindowUnderTest w(kLegacyEdition, context_with(true, true, false));
    w.load_and_clear_logs();
    w.form.cmdExit_Click();
    EXPECT_EQ(w.view.log, std::vector<std::string>{"unload"});
    EXPECT_TRUE(w.platform.message_boxes.empty());
    EXPECT_TRUE(w.platform.log.empty());
}

TEST(Completed, ReturnsToIdleAndLeavesTheRestAlone) {
    // Install was disabled by loading (nothing found); completed enables it
    // all the same, and touches nothing but the two buttons and the pointer.
    WindowUnderTest w(kCurrentEdition, context_with(false, false, false));
    w.form.Form_Load();
    w.view.set_caption(Control::lblTitle, "Error creating join.sas ...");
    w.view.set_progress(30.0f);
    w.view.set_mouse_pointer(MousePointer::Hourglass);
    w.view.set_enabled(Control::cmdExit, false);
    w.view.log.clear();

    w.form.completed();
    EXPECT_EQ(w.view.log, (std::vector<std::string>{"enabled cmdInstall 1", "enabled cmdExit 1",
                                                    "pointer 0"}));
    EXPECT_FALSE(w.form.busy());
    EXPECT_EQ(w.view.caption(Control::lblTitle), "Error creating join.sas ...");
    EXPECT_EQ(w.view.progress(), 30.0f);
    EXPECT_TRUE(w.view.selected(Control::optSas8));
    EXPECT_FALSE(w.view.enabled(Control::optSas8));
}

TEST(Completed, ClearsTheBusyFlagSoKeysWorkAgain) {
    WindowUnderTest w(kCurrentEdition, context_with(false, true, false));
    w.load_and_clear_logs();
    w.steps.failing_step = "create_autoexec";
    w.form.cmdInstall_Click();
    EXPECT_FALSE(w.form.busy());
    w.form.Form_KeyDown(kKeyEscape, 0);
    EXPECT_TRUE(w.view.unloaded);
}

}  // namespace
}  // namespace kelvarion::testing
