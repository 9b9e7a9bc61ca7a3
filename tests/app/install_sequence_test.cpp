// The installation sequence as the main window runs the edition's step
// table: order, captions, progress values, pauses, the failure box and the
// stop at the first failure, the chosen version and the end.

#include <gtest/gtest.h>

#include "app/installation_steps.h"
#include "editions/current_edition.h"
#include "editions/legacy_edition.h"
#include "tests/expected/expected_files.h"
#include "tests/fakes/program_under_test.h"

namespace kelvarion::testing {
namespace {

// Both editions have the same rows; in the current edition the last one
// writes kelvarion.cfg too, after a pause of its own.
const std::vector<ExpectedStep>& kSteps = expected_steps();
const std::size_t kRows = kSteps.size();
const std::size_t kShortcutRow = step_row(kShortcutStep);
const std::size_t kConfigRow = step_row(kConfigStep);

std::size_t pause_count(const EditionProfile& edition) {
    return kRows + (edition.writes_tool_config ? 1 : 0);
}

TEST(InstallationSequence, AFullRunShowsEachStepThenTheNoticeAndCloses) {
    for (const EditionProfile* edition : {&kCurrentEdition, &kLegacyEdition}) {
        SCOPED_TRACE(edition->name);
        ProgramUnderTest w(*edition, context_with(false, true, false));
        w.load_and_clear_logs();
        bool idle_before_notice = false;
        w.view.on_change = [&](const std::string& entry) {
            if (entry == "caption Installation completed.")
                idle_before_notice = !w.window().busy() && w.platform.message_boxes.empty();
            if (entry == "unload") {
                EXPECT_EQ(w.platform.message_boxes.size(), 1u);
            }
        };
        w.window().on_install();

        ASSERT_EQ(w.steps.calls.size(), kRows);
        for (std::size_t i = 0; i < kRows; ++i) {
            SCOPED_TRACE(kSteps[i].caption);
            const StepCall& call = w.steps.calls[i];
            EXPECT_EQ(call.row, i);
            EXPECT_EQ(call.caption, kSteps[i].caption);
            EXPECT_EQ(call.progress, kSteps[i].progress);
            EXPECT_EQ(call.pauses, i + 1);  // a pause before every step
            EXPECT_EQ(call.chosen, SasVersion::V91);
        }
        // Ten pauses in the current edition (one between the SAS configuration
        // and kelvarion.cfg), nine in the legacy one; each the step pause.
        EXPECT_EQ(w.platform.pauses,
                  std::vector<int>(pause_count(*edition), kStepPauseMilliseconds));
        EXPECT_EQ(w.platform.exists(w.platform.root + "\\kelvarion.cfg"),
                  edition->writes_tool_config);

        std::vector<std::string> expected_log{"enabled InstallButton 0", "enabled ExitButton 0",
                                              "pointer 11"};
        for (std::size_t i = 0; i < kRows; ++i) {
            expected_log.push_back(std::string("caption ") + kSteps[i].caption);
            expected_log.push_back("progress " + std::to_string(10 * i));
            // The SAS configuration's new text passes through the unseen box.
            if (i == kConfigRow) expected_log.push_back("config_text 64");
        }
        for (const char* entry : {"enabled InstallButton 1", "enabled ExitButton 1", "pointer 0",
                                  "caption Installation completed.", "progress 100", "unload"})
            expected_log.push_back(entry);
        EXPECT_EQ(w.view.log, expected_log);

        EXPECT_TRUE(idle_before_notice);
        ASSERT_EQ(w.platform.message_boxes.size(), 1u);
        EXPECT_EQ(w.platform.message_boxes[0].text, "Completed creating shortcut and macro files!");
        EXPECT_EQ(w.platform.message_boxes[0].title, "Notice");
        EXPECT_EQ(w.platform.message_boxes[0].icon, MessageIcon::Information);
        EXPECT_TRUE(w.view.unloaded);
        EXPECT_EQ(w.view.progress(), 100.0f);
    }
}

TEST(InstallationSequence, TheWindowIsBusyWhileTheStepsRun) {
    ProgramUnderTest w(kCurrentEdition, context_with(true, true, true));
    w.load_and_clear_logs();
    int checked = 0;
    w.steps.while_running = [&](std::size_t row) {
        SCOPED_TRACE(row);
        ++checked;
        EXPECT_TRUE(w.window().busy());
        EXPECT_FALSE(w.view.enabled(Control::InstallButton));
        EXPECT_FALSE(w.view.enabled(Control::ExitButton));
        EXPECT_EQ(w.view.pointer, MousePointer::Hourglass);
    };
    w.window().on_install();
    EXPECT_EQ(checked, static_cast<int>(kRows));
    // The option buttons are read, never changed.
    for (const std::string& entry : w.view.log) {
        EXPECT_EQ(entry.find("Option"), std::string::npos) << entry;
        EXPECT_EQ(entry.rfind("selected", 0), std::string::npos) << entry;
    }
}

TEST(InstallationSequence, StopsAtTheFirstFailingStepAfterOneFailureBox) {
    for (const EditionProfile* edition : {&kCurrentEdition, &kLegacyEdition}) {
        for (std::size_t failing = 0; failing < kRows; ++failing) {
            SCOPED_TRACE(std::string(edition->name) + " " + kSteps[failing].caption);
            ProgramUnderTest w(*edition, context_with(false, true, false));
            w.load_and_clear_logs();
            w.steps.failing_row = failing;
            bool box_before_caption = false;
            w.view.on_change = [&](const std::string& entry) {
                if (entry == std::string("caption ") + kSteps[failing].failure_caption)
                    box_before_caption = w.platform.message_boxes.size() == 1;
            };
            w.window().on_install();

            // Later steps are not called.
            std::vector<std::size_t> expected_rows;
            for (std::size_t i = 0; i <= failing; ++i) expected_rows.push_back(i);
            EXPECT_EQ(w.steps.rows(), expected_rows);
            EXPECT_EQ(w.platform.pauses.size(), failing + 1);

            // The failure caption, the bar as it was during the step, idle again.
            EXPECT_EQ(w.view.caption(Control::StatusLabel), kSteps[failing].failure_caption);
            EXPECT_EQ(w.view.progress(), kSteps[failing].progress);
            EXPECT_TRUE(w.view.enabled(Control::InstallButton));
            EXPECT_TRUE(w.view.enabled(Control::ExitButton));
            EXPECT_FALSE(w.window().busy());
            EXPECT_EQ(w.view.pointer, MousePointer::Default);
            const std::vector<std::string> tail{
                std::string("caption ") + kSteps[failing].failure_caption,
                "enabled InstallButton 1", "enabled ExitButton 1", "pointer 0"};
            ASSERT_GE(w.view.log.size(), tail.size());
            EXPECT_EQ(std::vector<std::string>(w.view.log.end() - 4, w.view.log.end()), tail);

            // One failure box with the step's description, before the
            // failure caption; the window stays open.
            EXPECT_TRUE(box_before_caption);
            ASSERT_EQ(w.platform.message_boxes.size(), 1u);
            EXPECT_EQ(w.platform.message_boxes[0].text, kStepFailure);
            EXPECT_EQ(w.platform.message_boxes[0].title, "Error!");
            EXPECT_EQ(w.platform.message_boxes[0].icon, MessageIcon::Critical);
            EXPECT_FALSE(w.view.unloaded);
            EXPECT_TRUE(w.view.selected(Control::Sas91Option));
        }
    }
}

TEST(InstallationSequence, ARepeatAfterAFailureStartsAgainAtZero) {
    for (const EditionProfile* edition : {&kCurrentEdition, &kLegacyEdition}) {
        SCOPED_TRACE(edition->name);
        ProgramUnderTest w(*edition, context_with(true, false, false));
        w.load_and_clear_logs();
        w.steps.failing_row = kShortcutRow;
        w.window().on_install();
        ASSERT_EQ(w.view.progress(), kSteps[kShortcutRow].progress);

        w.steps.calls.clear();
        w.view.log.clear();
        w.steps.failing_row.reset();
        w.window().on_install();
        ASSERT_EQ(w.steps.calls.size(), kRows);
        for (std::size_t i = 0; i < kRows; ++i)
            EXPECT_EQ(w.steps.calls[i].progress, kSteps[i].progress) << kSteps[i].caption;
        EXPECT_EQ(w.view.log.at(4), "progress 0");
        EXPECT_TRUE(w.view.unloaded);
    }
}

TEST(InstallationSequence, ProgressAdvancesFromTheBarsOwnValue) {
    ProgramUnderTest w(kCurrentEdition, context_with(false, true, false));
    w.load_and_clear_logs();
    w.steps.while_running = [&](std::size_t row) {
        if (row == 1) w.view.set_progress(12.5f);
    };
    w.window().on_install();
    ASSERT_EQ(w.steps.calls.size(), kRows);
    EXPECT_EQ(w.steps.calls[2].progress, 22.5f);
    EXPECT_EQ(w.steps.calls[kRows - 1].progress, kSteps[kRows - 1].progress + 2.5f);
    EXPECT_EQ(w.view.progress(), 100.0f);
}

TEST(InstallationSequence, TheChosenVersionComesFromTheSelectedOptionButton) {
    struct Case {
        const EditionProfile* edition;
        Control selected;
        bool none;  // no option button selected at all
        std::optional<SasVersion> chosen;
    };
    const Case cases[] = {
        {&kCurrentEdition, Control::Sas8Option, false, SasVersion::V8},
        {&kCurrentEdition, Control::Sas91Option, false, SasVersion::V91},
        {&kCurrentEdition, Control::Sas92Option, false, SasVersion::V92},
        {&kCurrentEdition, Control::Sas8Option, true, std::nullopt},
        {&kLegacyEdition, Control::Sas8Option, false, SasVersion::V8},
        {&kLegacyEdition, Control::Sas91Option, false, SasVersion::V91},
        {&kLegacyEdition, Control::Sas8Option, true, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.edition->name) + " " + control_name(c.selected) +
                     (c.none ? " none" : ""));
        ProgramUnderTest w(*c.edition, context_with(true, true, true));
        w.window().on_load();
        // The legacy window has no SAS 9.2 button: the view refuses any use of
        // it, so the legacy edition is seen never to ask for it.
        if (c.none)
            for (const SasVersion version : c.edition->versions)
                w.view.set_selected(sas_version_info(version).option, false);
        else
            w.view.set_selected(c.selected, true);
        EXPECT_EQ(w.window().chosen_version(), c.chosen);
        w.window().on_install();
        ASSERT_GT(w.steps.calls.size(), kShortcutRow);
        for (const StepCall& call : w.steps.calls) EXPECT_EQ(call.chosen, c.chosen) << call.row;
        // Without a version the SAS configuration has no file to edit: the
        // sequence stops there with the platform's description.
        EXPECT_EQ(w.steps.calls.size(), kRows);
        EXPECT_EQ(w.view.unloaded, c.chosen.has_value());
    }
}

}  // namespace
}  // namespace kelvarion::testing
