// The shortcut step against the in-memory platform: where the files go, how
// an earlier shortcut is replaced, and how failures reach the user.
#include <gtest/gtest.h>

#include <algorithm>

#include "editions/current_edition.h"
#include "editions/legacy_edition.h"
#include "host/shortcuts.h"
#include "tests/fakes/fake_platform.h"
#include "tests/fakes/step_error.h"

namespace kelvarion {
namespace {

using testing::FakeOp;
using testing::StepOutcome;

// The step, keeping its description of a failure.
StepOutcome create_shortcuts(const EditionProfile& edition, const InstallContext& context,
                             std::optional<SasVersion> chosen, Platform& platform) {
    return testing::run_step([&](std::string* err) {
        return kelvarion::create_shortcuts(edition, context, chosen, platform, err);
    });
}
using testing::FakePlatform;

const std::string kUserDesktop = "C:\\Users\\ann\\Desktop";
const std::string kUserPrograms =
    "C:\\Users\\ann\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs";
const std::string kPublicDesktop = "C:\\Users\\Public\\Desktop";
const std::string kPublicPrograms = "C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs";
const std::string kMenuFolder = "\\Corvantis\\KELVARION";
const std::string kLnk = "\\Kelvarion.lnk";

class CreateShortcuts : public ::testing::Test {
protected:
    CreateShortcuts() {
        context.sas_root(SasVersion::V91) = "C:\\SAS\\9.1";
        platform.root = "D:\\Apps\\Kelvarion";
        // The per-user Start-menu folders are made by the product folder step.
        platform.add_folder(kUserPrograms + kMenuFolder);
    }

    const ShortcutProperties* saved(const std::string& path) const {
        const auto it = platform.shortcuts.find(FakePlatform::key(path));
        return it == platform.shortcuts.end() ? nullptr : &it->second;
    }

    // The calls that make, save, move and delete files, in order, without
    // the other log lines.
    std::vector<std::string> file_calls() const {
        std::vector<std::string> out;
        for (const std::string& line : platform.log)
            for (const char* call :
                 {"create_temp ", "delete ", "save_shortcut ", "flush ", "replace "})
                if (line.rfind(call, 0) == 0) out.push_back(line);
        return out;
    }

    // The calls of both editions when earlier shortcuts are there: each new
    // one is saved beside, flushed, then swapped into its place.
    std::vector<std::string> replacing_both_shortcuts() const {
        std::vector<std::string> calls;
        int n = 0;
        for (const std::string& folder : {kUserDesktop, kUserPrograms + kMenuFolder}) {
            const std::string temp = folder + "\\~kv" + std::to_string(++n);
            calls.insert(calls.end(), {"create_temp " + temp + ".tmp",
                                       "save_shortcut " + temp + ".tmp", "flush " + temp + ".tmp",
                                       "replace " + temp + ".tmp -> " + folder + kLnk,
                                       "delete " + temp + ".bak"});
        }
        return calls;
    }

    bool touched(const std::string& folder) const {
        return std::any_of(platform.log.begin(), platform.log.end(), [&](const std::string& l) {
            return l.find(folder) != std::string::npos;
        });
    }

    FakePlatform platform;
    InstallContext context;
};

TEST_F(CreateShortcuts, CurrentEditionReplacesEarlierShortcuts) {
    platform.add_file(kUserDesktop + kLnk, "old desktop");
    platform.add_file(kUserPrograms + kMenuFolder + kLnk, "old menu");

    EXPECT_TRUE(create_shortcuts(kCurrentEdition, context, SasVersion::V91, platform));

    EXPECT_TRUE(platform.message_boxes.empty());
    // Each is saved beside the earlier one, flushed to disk, then swapped
    // into its place.
    EXPECT_EQ(file_calls(), replacing_both_shortcuts());
    EXPECT_EQ(platform.files_under(kUserDesktop),
              std::vector<std::string>{FakePlatform::key(kUserDesktop + kLnk)});
    EXPECT_EQ(platform.shortcuts.size(), 2u);
    for (const std::string& path : {kUserDesktop + kLnk, kUserPrograms + kMenuFolder + kLnk}) {
        SCOPED_TRACE(path);
        const ShortcutProperties* p = saved(path);
        ASSERT_NE(p, nullptr);
        EXPECT_EQ(p->target_path, "C:\\SAS\\9.1\\sas.exe");
        EXPECT_EQ(p->working_directory, "C:\\SAS\\9.1");
        EXPECT_EQ(p->arguments,
                  " -CONFIG \"C:\\SAS\\9.1\\SASV9.CFG\" -CONFIG "
                  "\"D:\\Apps\\Kelvarion\\kelvarion.cfg\"");
        EXPECT_EQ(p->icon_location, "D:\\Apps\\Kelvarion\\Kelvarion_Post_Installation_setup.icx");
        EXPECT_EQ(p->description, "Kelvarion");
        EXPECT_EQ(p->window_style, 3);
        EXPECT_NE(platform.file(path), std::optional<std::string>("old desktop"));
        EXPECT_NE(platform.file(path), std::optional<std::string>("old menu"));
    }
}

TEST_F(CreateShortcuts, CurrentEditionOnAFreshMachineNeedsNoEarlierShortcut) {
    EXPECT_TRUE(create_shortcuts(kCurrentEdition, context, SasVersion::V91, platform));
    EXPECT_TRUE(platform.message_boxes.empty());
    EXPECT_NE(saved(kUserDesktop + kLnk), nullptr);
    EXPECT_NE(saved(kUserPrograms + kMenuFolder + kLnk), nullptr);
}

TEST_F(CreateShortcuts, AllUsersMakesTheMissingStartMenuFoldersSilently) {
    context.all_users = "1";
    ASSERT_FALSE(platform.exists(kPublicPrograms + "\\Corvantis"));

    EXPECT_TRUE(create_shortcuts(kCurrentEdition, context, SasVersion::V91, platform));

    EXPECT_TRUE(platform.message_boxes.empty());
    EXPECT_TRUE(platform.is_folder(kPublicPrograms + kMenuFolder));
    const auto corvantis = std::find(platform.log.begin(), platform.log.end(),
                                     "make_folder " + kPublicPrograms + "\\Corvantis");
    const auto kelvarion = std::find(platform.log.begin(), platform.log.end(),
                                     "make_folder " + kPublicPrograms + kMenuFolder);
    EXPECT_LT(corvantis, kelvarion);
    EXPECT_NE(kelvarion, platform.log.end());
    EXPECT_NE(saved(kPublicDesktop + kLnk), nullptr);
    EXPECT_NE(saved(kPublicPrograms + kMenuFolder + kLnk), nullptr);
    EXPECT_TRUE(platform.files_under(kUserDesktop).empty());
    EXPECT_TRUE(platform.files_under(kUserPrograms).empty());
}

class CreateShortcutsAllUsersValue : public CreateShortcuts,
                                     public ::testing::WithParamInterface<const char*> {};

TEST_P(CreateShortcutsAllUsersValue, AnythingButExactlyOneMeansThisUser) {
    context.all_users = GetParam();
    EXPECT_TRUE(create_shortcuts(kCurrentEdition, context, SasVersion::V91, platform));
    EXPECT_NE(saved(kUserDesktop + kLnk), nullptr);
    EXPECT_NE(saved(kUserPrograms + kMenuFolder + kLnk), nullptr);
    EXPECT_FALSE(touched(kPublicDesktop));
    EXPECT_FALSE(touched(kPublicPrograms));
}

INSTANTIATE_TEST_SUITE_P(NotOne, CreateShortcutsAllUsersValue,
                         ::testing::Values("0", "", "1 ", "yes"));

TEST_F(CreateShortcuts, ReadOnlyEarlierDesktopShortcutIsReportedAndNothingElseTouched) {
    platform.add_file(kUserDesktop + kLnk, "old desktop", /*read_only=*/true);

    const StepOutcome outcome =
        create_shortcuts(kCurrentEdition, context, SasVersion::V91, platform);

    testing::expect_failed_without_box(
        outcome, platform, testing::failure_on(kUserDesktop + kLnk, testing::kAccessDenied));
    EXPECT_EQ(platform.file(kUserDesktop + kLnk), std::optional<std::string>("old desktop"));
    EXPECT_TRUE(platform.shortcuts.empty());
    EXPECT_FALSE(touched(kUserPrograms));
}

TEST_F(CreateShortcuts, EachEditionKeepsTheEarlierShortcutWhenTheNewOneCannotBeSaved) {
    // The user's working shortcut must survive a failed save, flush or swap,
    // and no temporary file may be left on the desktop.
    for (const EditionProfile* edition : {&kCurrentEdition, &kLegacyEdition})
    for (const FakeOp op :
         {FakeOp::SaveShortcut, FakeOp::Flush, FakeOp::Replace, FakeOp::CreateTemp}) {
        SCOPED_TRACE(edition->name);
        SCOPED_TRACE(static_cast<int>(op));
        FakePlatform fresh;
        fresh.root = platform.root;
        fresh.add_file(kUserDesktop + kLnk, "old desktop");
        fresh.fail(op, "Desktop", testing::kDiskFull);

        const StepOutcome outcome = create_shortcuts(*edition, context, SasVersion::V91, fresh);

        // The box names the shortcut, whichever file beside it failed.
        testing::expect_failed_without_box(
            outcome, fresh, testing::failure_on(kUserDesktop + kLnk, testing::kDiskFull));
        EXPECT_EQ(fresh.file(kUserDesktop + kLnk), std::optional<std::string>("old desktop"));
        EXPECT_EQ(fresh.files_under(kUserDesktop),
                  std::vector<std::string>{FakePlatform::key(kUserDesktop + kLnk)});
        EXPECT_TRUE(fresh.shortcuts.empty());
    }
}

TEST_F(CreateShortcuts, StartMenuSaveFailureKeepsTheNewDesktopShortcut) {
    platform.add_file(kUserPrograms + kMenuFolder + kLnk, "old menu");
    platform.fail(FakeOp::SaveShortcut, "Corvantis", testing::kDiskFull);

    const StepOutcome outcome =
        create_shortcuts(kCurrentEdition, context, SasVersion::V91, platform);

    testing::expect_failed_without_box(
        outcome, platform,
        testing::failure_on(kUserPrograms + kMenuFolder + kLnk, testing::kDiskFull));
    const ShortcutProperties* desktop = saved(kUserDesktop + kLnk);
    ASSERT_NE(desktop, nullptr);
    EXPECT_EQ(desktop->target_path, "C:\\SAS\\9.1\\sas.exe");
    EXPECT_EQ(saved(kUserPrograms + kMenuFolder + kLnk), nullptr);
}

TEST_F(CreateShortcuts, StartMenuFolderThatCannotBeMadeFailsOnceAtTheSave) {
    context.all_users = "1";
    platform.entries[FakePlatform::key(kPublicPrograms)].read_only = true;

    const StepOutcome outcome =
        create_shortcuts(kCurrentEdition, context, SasVersion::V91, platform);

    // The two failed folder levels stay silent; the save says what went wrong.
    testing::expect_failed_without_box(
        outcome, platform,
        testing::failure_on(kPublicPrograms + kMenuFolder + kLnk, testing::kPathNotFound));
    EXPECT_NE(saved(kPublicDesktop + kLnk), nullptr);
    EXPECT_FALSE(platform.exists(kPublicPrograms + "\\Corvantis"));
}

TEST_F(CreateShortcuts, SpecialFolderLookupFailureIsReported) {
    // The desktop lookup succeeds, the Start-menu one fails.
    platform.fail(FakeOp::SpecialFolder, "", "The specified path is invalid.", /*skip=*/1);

    const StepOutcome outcome =
        create_shortcuts(kCurrentEdition, context, SasVersion::V91, platform);

    testing::expect_failed_without_box(outcome, platform, "The specified path is invalid.");
    EXPECT_NE(saved(kUserDesktop + kLnk), nullptr);
    EXPECT_EQ(platform.shortcuts.size(), 1u);
}

TEST_F(CreateShortcuts, InstallRootAndProgramNameComeFromThePlatform) {
    platform.root = "E:\\Program Files\\Kelvarion Suite";
    platform.name = "setup copy";
    context.sas_root(SasVersion::V8) = "C:\\Program Files\\SAS\\V8";

    EXPECT_TRUE(create_shortcuts(kCurrentEdition, context, SasVersion::V8, platform));

    const ShortcutProperties* p = saved(kUserDesktop + kLnk);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->target_path, "C:\\Program Files\\SAS\\V8\\sas.exe");
    EXPECT_EQ(p->working_directory, "C:\\Program Files\\SAS\\V8");
    EXPECT_EQ(p->arguments,
              " -CONFIG \"C:\\Program Files\\SAS\\V8\\SASV8.CFG\" -CONFIG "
              "\"E:\\Program Files\\Kelvarion Suite\\kelvarion.cfg\"");
    EXPECT_EQ(p->icon_location, "E:\\Program Files\\Kelvarion Suite\\setup copy.icx");
}

TEST_F(CreateShortcuts, LegacyEditionReplacesEarlierShortcutsAsTheCurrentOneDoes) {
    context.all_users = "1";  // never read by the legacy edition
    platform.add_file(kUserDesktop + kLnk, "old desktop");
    platform.add_file(kUserPrograms + kMenuFolder + kLnk, "old menu");

    EXPECT_TRUE(create_shortcuts(kLegacyEdition, context, SasVersion::V91, platform));

    EXPECT_TRUE(platform.message_boxes.empty());
    EXPECT_EQ(file_calls(), replacing_both_shortcuts());
    const ShortcutProperties* p = saved(kUserPrograms + kMenuFolder + kLnk);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->arguments,
              " -CONFIG \"C:\\SAS\\9.1\\SASV9.CFG\" -autoexec "
              "\"D:\\Apps\\Kelvarion\\saspgm\\autoexec.sas\" -initcmd "
              "\"af cat = pgmlib.kelvarion.trans_manager.frame\" -splashloc "
              "\"D:\\Apps\\Kelvarion\\splsh.bmp\"");
    EXPECT_FALSE(touched(kPublicDesktop));
    EXPECT_FALSE(touched(kPublicPrograms));
}

TEST_F(CreateShortcuts, LegacyEditionOnAFreshMachineMakesAMissingMenuFolder) {
    FakePlatform fresh;  // no Corvantis folder at all
    fresh.root = platform.root;

    EXPECT_TRUE(create_shortcuts(kLegacyEdition, context, SasVersion::V91, fresh));

    EXPECT_TRUE(fresh.message_boxes.empty());
    EXPECT_EQ(fresh.shortcuts.count(FakePlatform::key(kUserDesktop + kLnk)), 1u);
    EXPECT_EQ(fresh.shortcuts.count(FakePlatform::key(kUserPrograms + kMenuFolder + kLnk)), 1u);
}

}  // namespace
}  // namespace kelvarion
