#include "generate/product_folders.h"

#include <gtest/gtest.h>

#include "generate/autoexec.h"
#include "editions/current_edition.h"
#include "tests/fakes/fake_platform.h"
#include "tests/fakes/step_error.h"

namespace kelvarion::testing {
namespace {

// The first installation step, keeping its description of a failure.
StepOutcome create_autoexec(const EditionProfile& edition, FakePlatform& platform) {
    return run_step(
        [&](std::string* err) { return kelvarion::create_autoexec(edition, platform, err); });
}

const std::string kPrograms =
    "C:\\Users\\ann\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs";

// The make_folder calls, in order, with the paths exactly as passed.
std::vector<std::string> folder_calls(const FakePlatform& fake) {
    std::vector<std::string> out;
    for (const std::string& entry : fake.log)
        if (entry.rfind("make_folder ", 0) == 0) out.push_back(entry.substr(12));
    return out;
}

TEST(ProductFolders, CreateAutoexecMakesTheSevenFoldersInOrderUnderTheUsersProgramsFolder) {
    FakePlatform fake;
    ASSERT_TRUE(create_autoexec(kCurrentEdition, fake));
    const std::vector<std::string> expected{
        kPrograms + "\\Corvantis",           kPrograms + "\\Corvantis\\KELVARION",
        "C:\\Apps\\Kelvarion\\saspgm",       "C:\\Apps\\Kelvarion\\data",
        "C:\\Apps\\Kelvarion\\data\\sdtm",   "C:\\Apps\\Kelvarion\\data\\translib",
        "C:\\Apps\\Kelvarion\\data\\models",
    };
    EXPECT_EQ(folder_calls(fake), expected);
    for (const std::string& folder : expected) EXPECT_TRUE(fake.is_folder(folder)) << folder;
    // Never the all-users Start menu.
    EXPECT_FALSE(
        fake.exists(fake.special_folders[SpecialFolder::AllUsersPrograms] + "\\Corvantis"));
}

TEST(ProductFolders, FoldersThatExistAreLeftAloneWithoutAWord) {
    FakePlatform fake;
    fake.add_file("C:\\Apps\\Kelvarion\\data\\models\\model.sas7bdat", "data");
    fake.add_folder(kPrograms + "\\Corvantis\\KELVARION");
    fake.add_folder("C:\\Apps\\Kelvarion\\saspgm");
    fake.add_folder("C:\\Apps\\Kelvarion\\data\\sdtm");
    fake.add_folder("C:\\Apps\\Kelvarion\\data\\translib");
    EXPECT_TRUE(create_autoexec(kCurrentEdition, fake));
    EXPECT_EQ(folder_calls(fake).size(), 7u);
    EXPECT_TRUE(fake.message_boxes.empty());
    EXPECT_EQ(fake.file("C:\\Apps\\Kelvarion\\data\\models\\model.sas7bdat"), "data");
}

TEST(ProductFolders, MacroFolderComesAfterTheTwoStartMenuFolders) {
    FakePlatform fake;
    fake.add_folder(kPrograms + "\\Corvantis");
    create_menu_and_macro_folders(fake);
    EXPECT_EQ(folder_calls(fake), (std::vector<std::string>{kPrograms + "\\Corvantis",
                                                            kPrograms + "\\Corvantis\\KELVARION",
                                                            "C:\\Apps\\Kelvarion\\saspgm"}));
    EXPECT_TRUE(fake.is_folder(kPrograms + "\\Corvantis\\KELVARION"));
    EXPECT_TRUE(fake.is_folder("C:\\Apps\\Kelvarion\\saspgm"));
}

TEST(ProductFolders, ReadOnlyInstallRootMakesNoFolderThereAndOnlyTheWriteReports) {
    FakePlatform fake;
    fake.entries[FakePlatform::key(fake.root)].read_only = true;
    const StepOutcome outcome = create_autoexec(kCurrentEdition, fake);
    EXPECT_TRUE(fake.files_under(fake.root).empty());
    for (const char* folder : {"\\saspgm", "\\data", "\\data\\sdtm"})
        EXPECT_FALSE(fake.exists(fake.root + folder)) << folder;
    EXPECT_TRUE(fake.is_folder(kPrograms + "\\Corvantis\\KELVARION"));
    // The autoexec.sas write fails, not the folders.
    expect_failed_without_box(outcome, fake,
                              failure_on(fake.root + "\\saspgm\\autoexec.sas", kPathNotFound));
}

TEST(ProductFolders, AStartMenuThatCannotBeUsedDoesNotStopTheInstallRootFolders) {
    FakePlatform unwritable_menu;  // the maker folder cannot be made, so neither can its child
    unwritable_menu.entries[FakePlatform::key(kPrograms)].read_only = true;
    FakePlatform no_menu;  // the programs folder cannot even be found
    no_menu.fail(FakeOp::SpecialFolder);
    for (FakePlatform* fake : {&unwritable_menu, &no_menu}) {
        create_menu_and_macro_folders(*fake);
        create_models_folder(*fake);  // parent missing: silently nothing
        create_data_folder(*fake);
        create_translib_folder(*fake);
        EXPECT_FALSE(fake->exists(kPrograms + "\\Corvantis"));
        EXPECT_TRUE(fake->is_folder("C:\\Apps\\Kelvarion\\saspgm"));
        EXPECT_FALSE(fake->exists("C:\\Apps\\Kelvarion\\data\\models"));
        EXPECT_TRUE(fake->is_folder("C:\\Apps\\Kelvarion\\data\\translib"));
        EXPECT_TRUE(fake->message_boxes.empty());
    }
}

TEST(ProductFolders, DriveRootPathsKeepTheirDoubledBackslash) {
    FakePlatform fake;
    fake.root = "E:\\";
    create_menu_and_macro_folders(fake);
    create_data_folder(fake);
    create_sdtm_folder(fake);
    const std::vector<std::string> calls = folder_calls(fake);
    ASSERT_EQ(calls.size(), 5u);
    EXPECT_EQ(calls[2], "E:\\\\saspgm");
    EXPECT_EQ(calls[3], "E:\\\\data");
    EXPECT_EQ(calls[4], "E:\\\\data\\sdtm");
    EXPECT_TRUE(fake.is_folder("E:\\data\\sdtm"));
}

}  // namespace
}  // namespace kelvarion::testing
