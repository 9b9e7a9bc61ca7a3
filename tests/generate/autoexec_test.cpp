#include "generate/autoexec.h"

#include <gtest/gtest.h>

#include "editions/current_edition.h"
#include "editions/legacy_edition.h"
#include "tests/generate/install_roots.h"
#include "tests/fakes/fake_platform.h"
#include "tests/fakes/step_error.h"

namespace kelvarion::testing {
namespace {

// The first installation step, keeping its description of a failure.
StepOutcome create_autoexec(const EditionProfile& edition, FakePlatform& platform) {
    return run_step(
        [&](std::string* err) { return kelvarion::create_autoexec(edition, platform, err); });
}

// The length column of the file's table: the files of tests/expected/ are
// held against it, and the sizes written for every root.
const std::vector<LineLength> kCurrentLengths{
    {29, false}, {28, true}, {26, true}, {31, true}, {31, true}, {35, true}, {33, true},
    {0, false},  {32, true}, {31, true}, {28, true}, {35, true}, {29, true}, {40, true},
};
// The legacy edition leaves out the first line.
const std::vector<LineLength> kLegacyLengths(kCurrentLengths.begin() + 1, kCurrentLengths.end());

// The file as it must be, in tests/expected/.
constexpr const char* kCurrentFile = "current/saspgm/autoexec.sas";
constexpr const char* kLegacyFile = "legacy/saspgm/autoexec.sas";

std::string autoexec_path(const std::string& root) { return root + "\\saspgm\\autoexec.sas"; }

// A fresh machine with `root` as the install root.
FakePlatform machine_with_root(const std::string& root) {
    FakePlatform fake;
    fake.root = root;
    fake.add_folder(root);
    return fake;
}

// A slip of a space in a hand-written file shows here, before it could make a
// comparison with the program's output pass or fail for the wrong reason.
TEST(Autoexec, ExpectedFilesFollowTheLengthTable) {
    EXPECT_EQ(length_column(expected_template(kCurrentFile)), kCurrentLengths);
    EXPECT_EQ(length_column(expected_template(kLegacyFile)), kLegacyLengths);
}

TEST(Autoexec, LegacyExpectedFileIsTheCurrentOneWithoutTheWindowOption) {
    const std::vector<std::string> current = expected_template(kCurrentFile);
    ASSERT_FALSE(current.empty());
    EXPECT_EQ(expected_template(kLegacyFile),
              std::vector<std::string>(current.begin() + 1, current.end()));
}

TEST(Autoexec, CurrentEditionPlainRootByteForByte) {
    FakePlatform fake;
    ASSERT_TRUE(create_autoexec(kCurrentEdition, fake));
    EXPECT_EQ(fake.file("C:\\Apps\\Kelvarion\\saspgm\\autoexec.sas"),
              expected_bytes(kCurrentFile, "C:\\Apps\\Kelvarion"));
    EXPECT_TRUE(fake.message_boxes.empty());
    EXPECT_EQ(fake.open_files, 0);
}

TEST(Autoexec, LegacyEditionRootWithSpacesAndApostropheByteForByte) {
    // SAS reads the apostrophe written twice as one inside the literal.
    const std::string root = "C:\\Documents and Settings\\Ann O'Hara\\Kelvarion Setup";
    FakePlatform fake = machine_with_root(root);
    ASSERT_TRUE(create_autoexec(kLegacyEdition, fake));
    EXPECT_EQ(
        fake.file(autoexec_path(root)),
        expected_bytes(kLegacyFile, "C:\\Documents and Settings\\Ann O''Hara\\Kelvarion Setup"));
}

TEST(Autoexec, DriveRootGivesDoubledBackslashesByteForByte) {
    FakePlatform fake = machine_with_root("E:\\");
    ASSERT_TRUE(create_autoexec(kCurrentEdition, fake));
    // The root's own backslash and the one before "saspgm" or "data" both stay.
    EXPECT_EQ(fake.file("E:\\saspgm\\autoexec.sas"), expected_bytes(kCurrentFile, "E:\\"));
    EXPECT_EQ(fake.log.back(), "close E:\\\\saspgm\\autoexec.sas");
}

class AutoexecForRoot : public ::testing::TestWithParam<InstallRoot> {};

TEST_P(AutoexecForRoot, ByteForByteAndSizeFollowsTheLengthTableInBothEditions) {
    const InstallRoot& root = GetParam();
    FakePlatform current = machine_with_root(root.utf8);
    FakePlatform legacy = machine_with_root(root.utf8);
    ASSERT_TRUE(create_autoexec(kCurrentEdition, current));
    ASSERT_TRUE(create_autoexec(kLegacyEdition, legacy));
    const std::string current_file = current.file(autoexec_path(root.utf8)).value_or("");
    const std::string legacy_file = legacy.file(autoexec_path(root.utf8)).value_or("");
    EXPECT_EQ(current_file.size(), expected_size(kCurrentLengths, root.characters));
    EXPECT_EQ(legacy_file.size(), expected_size(kLegacyLengths, root.characters));
    EXPECT_EQ(legacy_file.size() + 31, current_file.size());
    // The root stands in the file in the ANSI code page, never as UTF-8.
    EXPECT_EQ(current_file, expected_bytes(kCurrentFile, root.ansi));
    EXPECT_EQ(legacy_file, expected_bytes(kLegacyFile, root.ansi));
}

INSTANTIATE_TEST_SUITE_P(Roots, AutoexecForRoot, ::testing::ValuesIn(install_roots()),
                         [](const auto& info) { return std::string(info.param.label); });

TEST(Autoexec, RewritesAnExistingFileWholeAndTwoRunsGiveTheSameBytes) {
    FakePlatform fake;
    const std::string path = autoexec_path(fake.root);
    fake.add_file(path, std::string(4000, 'z') + "\r\nold autoexec\r\n");
    ASSERT_TRUE(create_autoexec(kCurrentEdition, fake));
    const std::string first = fake.file(path).value_or("");
    EXPECT_EQ(first.find('z'), std::string::npos);
    EXPECT_EQ(first.size(), expected_size(kCurrentLengths, 17));
    EXPECT_EQ(first, expected_bytes(kCurrentFile, "C:\\Apps\\Kelvarion"));
    ASSERT_TRUE(create_autoexec(kCurrentEdition, fake));
    EXPECT_EQ(fake.file(path), first);
    EXPECT_TRUE(fake.message_boxes.empty());
}

TEST(Autoexec, MissingSaspgmFolderGivesOneFailureBox) {
    FakePlatform folder_refused;
    folder_refused.fail(FakeOp::MakeFolder, "\\saspgm");
    FakePlatform file_in_the_way;
    file_in_the_way.add_file("C:\\Apps\\Kelvarion\\saspgm", "not a folder");
    for (FakePlatform* fake : {&folder_refused, &file_in_the_way}) {
        expect_failed_without_box(create_autoexec(kCurrentEdition, *fake), *fake,
                                  failure_on(autoexec_path(fake->root), kPathNotFound));
        EXPECT_EQ(fake->open_files, 0);
    }
    EXPECT_EQ(file_in_the_way.file("C:\\Apps\\Kelvarion\\saspgm"), "not a folder");
}

TEST(Autoexec, ReadOnlyFileIsLeftAsItIs) {
    FakePlatform fake;
    fake.add_file(autoexec_path(fake.root), "keep me", /*read_only=*/true);
    expect_failed_without_box(create_autoexec(kCurrentEdition, fake), fake,
                              failure_on(autoexec_path(fake.root), kAccessDenied));
    EXPECT_EQ(fake.file(autoexec_path(fake.root)), "keep me");
}

TEST(Autoexec, RootTheCodePageCannotHoldWritesNothingAndSaysWhy) {
    const std::string root = "C:\\Apps\\Kelvarion \xC5\x90rs";  // Ő, U+0150
    FakePlatform fake = machine_with_root(root);
    fake.add_file(autoexec_path(root), "from an earlier run");
    const StepOutcome outcome = create_autoexec(kCurrentEdition, fake);
    EXPECT_FALSE(outcome);
    EXPECT_TRUE(fake.message_boxes.empty());
    const std::string& text = outcome.err;
    EXPECT_NE(text.find("\"" + root + "\""), std::string::npos) << text;
    EXPECT_NE(text.find("\"\xC5\x90\" (U+0150)"), std::string::npos) << text;
    EXPECT_NE(text.find("system code page cannot hold"), std::string::npos) << text;
    EXPECT_EQ(fake.file(autoexec_path(root)), "from an earlier run");
}

TEST(Autoexec, AFailedWriteKeepsTheLinesWrittenAndReports) {
    FakePlatform fake;
    fake.fail(FakeOp::Write, "autoexec.sas", kDiskFull, 1);
    expect_failed_without_box(create_autoexec(kCurrentEdition, fake), fake,
                              failure_on(autoexec_path(fake.root), kDiskFull));
    // The write of the second line failed: the first one is there.
    const std::vector<std::string> lines = expected_lines(kCurrentFile, "");
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(fake.file(autoexec_path(fake.root)), lines[0] + "\r\n");
    EXPECT_EQ(fake.open_files, 0);
}

}  // namespace
}  // namespace kelvarion::testing
