// cmdInstall_Click with the steps faked: order, captions, progress values,
// pauses, the stop at the first failure, the version key and the end.

#include <gtest/gtest.h>

#include "editions/current_edition.h"
#include "editions/legacy_edition.h"
#include "tests/app/window_under_test.h"

namespace kelvarion::testing {
namespace {

using Call = FakeInstallSteps::Call;

struct ExpectedStep {
    const char* step;
    const char* caption;
    float progress;
    const char* failure_caption;
};

// Both editions share the first nine; only the current edition has the tenth.
const ExpectedStep kSteps[] = {
    {"create_autoexec", "Creating autoexec.sas ...", 0, "Error creating autoexec.sas ..."},
    {"create_contents_macro", "Creating contents.sas ...", 10, "Error creating contents.sas ..."},
    {"create_finddup_macro", "Creating finddup.sas ...", 20, "Error creating finddup.sas ..."},
    {"create_join_macro", "Creating join.sas ...", 30, "Error creating join.sas ..."},
    {"create_print_model_macro", "Creating print_model.sas ...", 40,
     "Error creating print_model.sas ..."},
    {"create_trans_macro", "Creating trans.sas ...", 50, "Error creating trans.sas ..."},
    {"create_verification_rep_macro", "Creating verification_rep.sas ...", 60,
     "Error creating verification_rep.sas ..."},
    {"create_shortcuts", "Creating desktop shortcut ...", 70,
     "Error creating desktop shortcut ..."},
    {"config_sas", "Config SAS System ...", 80, "Error configing SAS System ..."},
    {"create_tool_config", "Config SAS System ...", 80, "Error configing SAS System ..."},
};

std::size_t step_count(const EditionProfile& edition) {
    return edition.writes_tool_config ? 10 : 9;
}

// The recorded call for step i as it should be, version key "sas9".
std::string call_name(std::size_t i) {
    return std::string(kSteps[i].step) + (i == 7 ? " sas9" : "");
}

TEST(CmdInstallClick, AFullRunShowsEachStepThenTheNoticeAndCloses) {
    for (const EditionProfile* edition : {&kCurrentEdition, &kLegacyEdition}) {
        SCOPED_TRACE(edition->name);
        WindowUnderTest w(*edition, context_with(false, true, false));
        w.load_and_clear_logs();
        bool idle_before_notice = false;
        w.view.on_change = [&](const std::string& entry) {
            if (entry == "caption Installation completed.")
                idle_before_notice = !w.form.busy() && w.platform.message_boxes.empty();
            if (entry == "unload") {
                EXPECT_EQ(w.platform.message_boxes.size(), 1u);
            }
        };
        w.form.cmdInstall_Click();

        const std::size_t n = step_count(*edition);
        ASSERT_EQ(w.steps.calls.size(), n);
        for (std::size_t i = 0; i < n; ++i) {
            SCOPED_TRACE(kSteps[i].step);
            const Call& call = w.steps.calls[i];
            EXPECT_EQ(call.step, call_name(i));
            EXPECT_EQ(call.caption, kSteps[i].caption);
            EXPECT_EQ(call.progress, kSteps[i].progress);
            EXPECT_EQ(call.pauses, i + 1);  // a pause before every step
        }
        // Ten pauses in the current edition (one between config_sas and
        // create_tool_config), nine in the legacy one; each 100 ms.
        EXPECT_EQ(w.platform.pauses, std::vector<int>(n, 100));

        std::vector<std::string> expected_log{"enabled cmdInstall 0", "enabled cmdExit 0",
                                              "pointer 11"};
        for (std::size_t i = 0; i < 9; ++i) {
            expected_log.push_back(std::string("caption ") + kSteps[i].caption);
            expected_log.push_back("progress " + std::to_string(10 * i));
        }
        for (const char* entry : {"enabled cmdInstall 1", "enabled cmdExit 1", "pointer 0",
                                  "caption Installation completed.", "progress 100", "unload"})
            expected_log.push_back(entry);
        EXPECT_EQ(w.view.log, expected_log);

        EXPECT_TRUE(idle_before_notice);
        ASSERT_EQ(w.platform.message_boxes.size(), 1u);
        EXPECT_EQ(w.platform.message_boxes[0].text,
                  "Completed creating shortcut and macro files!");
        EXPECT_EQ(w.platform.message_boxes[0].title, "Notice");
        EXPECT_EQ(w.platform.message_boxes[0].icon, MessageIcon::Information);
        EXPECT_TRUE(w.view.unloaded);
        EXPECT_EQ(w.view.progress(), 100.0f);
    }
}

TEST(CmdInstallClick, TheWindowIsBusyWhileTheStepsRun) {
    WindowUnderTest w(kCurrentEdition, context_with(true, true, true));
    w.load_and_clear_logs();
    int checked = 0;
    w.steps.while_running = [&](const std::string& step) {
        SCOPED_TRACE(step);
        ++checked;
        EXPECT_TRUE(w.form.busy());
        EXPECT_FALSE(w.view.enabled(Control::cmdInstall));
        EXPECT_FALSE(w.view.enabled(Control::cmdExit));
        EXPECT_EQ(w.view.pointer, MousePointer::Hourglass);
    };
    w.form.cmdInstall_Click();
    EXPECT_EQ(checked, 10);
    // The option buttons are read, never changed.
    for (const std::string& entry : w.view.log) {
        EXPECT_EQ(entry.find("optSas"), std::string::npos) << entry;
        EXPECT_EQ(entry.rfind("selected", 0), std::string::npos) << entry;
    }
}

TEST(CmdInstallClick, StopsAtTheFirstFailingStep) {
    for (const EditionProfile* edition : {&kCurrentEdition, &kLegacyEdition}) {
        const std::size_t n = step_count(*edition);
        for (std::size_t failing = 0; failing < n; ++failing) {
            SCOPED_TRACE(std::string(edition->name) + " " + kSteps[failing].step);
            WindowUnderTest w(*edition, context_with(false, true, false));
            w.load_and_clear_logs();
            w.steps.failing_step = kSteps[failing].step;
            w.form.cmdInstall_Click();

            // Later steps are not called.
            std::vector<std::string> expected_calls;
            for (std::size_t i = 0; i <= failing; ++i) expected_calls.push_back(call_name(i));
            EXPECT_EQ(w.steps.step_names(), expected_calls);
            EXPECT_EQ(w.platform.pauses.size(), failing + 1);

            // The failure caption, the bar as it was during the step, idle again.
            EXPECT_EQ(w.view.caption(Control::lblTitle), kSteps[failing].failure_caption);
            EXPECT_EQ(w.view.progress(), kSteps[failing].progress);
            EXPECT_TRUE(w.view.enabled(Control::cmdInstall));
            EXPECT_TRUE(w.view.enabled(Control::cmdExit));
            EXPECT_FALSE(w.form.busy());
            EXPECT_EQ(w.view.pointer, MousePointer::Default);
            const std::vector<std::string> tail{
                std::string("caption ") + kSteps[failing].failure_caption,
                "enabled cmdInstall 1", "enabled cmdExit 1", "pointer 0"};
            ASSERT_GE(w.view.log.size(), tail.size());
            EXPECT_EQ(std::vector<std::string>(w.view.log.end() - 4, w.view.log.end()), tail);

            // The window stays open; the step told the user, the sequence adds no box.
            EXPECT_FALSE(w.view.unloaded);
            EXPECT_TRUE(w.platform.message_boxes.empty());
            EXPECT_TRUE(w.view.selected(Control::optSas9));
        }
    }
}

TEST(CmdInstallClick, ARepeatAfterAFailureStartsAgainAtZero) {
    for (const EditionProfile* edition : {&kCurrentEdition, &kLegacyEdition}) {
        SCOPED_TRACE(edition->name);
        WindowUnderTest w(*edition, context_with(true, false, false));
        w.load_and_clear_logs();
        w.steps.failing_step = "create_shortcuts";
        w.form.cmdInstall_Click();
        ASSERT_EQ(w.view.progress(), 70.0f);

        w.steps.calls.clear();
        w.view.log.clear();
        w.steps.failing_step.clear();
        w.form.cmdInstall_Click();
        ASSERT_EQ(w.steps.calls.size(), step_count(*edition));
        EXPECT_EQ(w.steps.calls[0].step, "create_autoexec");
        for (std::size_t i = 0; i < 9; ++i)
            EXPECT_EQ(w.steps.calls[i].progress, kSteps[i].progress) << kSteps[i].step;
        EXPECT_EQ(w.view.log.at(4), "progress 0");
        EXPECT_TRUE(w.view.unloaded);
    }
}

TEST(CmdInstallClick, ProgressAdvancesFromTheBarsOwnValue) {
    WindowUnderTest w(kCurrentEdition, context_with(false, true, false));
    w.load_and_clear_logs();
    w.steps.while_running = [&](const std::string& step) {
        if (step == "create_contents_macro") w.view.set_progress(12.5f);
    };
    w.form.cmdInstall_Click();
    ASSERT_EQ(w.steps.calls.size(), 10u);
    EXPECT_EQ(w.steps.calls[2].progress, 22.5f);
    EXPECT_EQ(w.steps.calls[8].progress, 82.5f);
    EXPECT_EQ(w.view.progress(), 100.0f);
}

TEST(CmdInstallClick, TheVersionKeyComesFromTheSelectedOptionButton) {
    struct Case {
        const EditionProfile* edition;
        Control selected;
        bool none;  // no option button selected at all
        const char* expected_call;
    };
    const Case cases[] = {
        {&kCurrentEdition, Control::optSas8, false, "create_shortcuts sas8"},
        {&kCurrentEdition, Control::optSas9, false, "create_shortcuts sas9"},
        {&kCurrentEdition, Control::optSas92, false, "create_shortcuts sas92"},
        {&kCurrentEdition, Control::optSas8, true, "create_shortcuts "},
        {&kLegacyEdition, Control::optSas8, false, "create_shortcuts sas8"},
        {&kLegacyEdition, Control::optSas9, false, "create_shortcuts sas9"},
        // The legacy edition has no third test: a selected optSas92 is no key.
        {&kLegacyEdition, Control::optSas92, false, "create_shortcuts "},
        {&kLegacyEdition, Control::optSas8, true, "create_shortcuts "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.edition->name) + " " + c.expected_call);
        WindowUnderTest w(*c.edition, context_with(true, true, true));
        w.form.Form_Load();
        if (c.none)
            for (Control option : {Control::optSas8, Control::optSas9, Control::optSas92})
                w.view.set_selected(option, false);
        else
            w.view.set_selected(c.selected, true);
        w.form.cmdInstall_Click();
        // With no version chosen the sequence still runs to its end.
        ASSERT_EQ(w.steps.calls.size(), step_count(*c.edition));
        EXPECT_EQ(w.steps.calls[7].step, c.expected_call);
        for (std::size_t i = 0; i < w.steps.calls.size(); ++i)
            if (i != 7) {
                EXPECT_EQ(w.steps.calls[i].step, kSteps[i].step);
            }
    }
}

}  // namespace
}  // namespace kelvarion::testing
