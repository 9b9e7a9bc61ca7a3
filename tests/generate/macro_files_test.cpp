#include "generate/macro_files.h"

#include <gtest/gtest.h>

#include <ostream>
#include <tuple>

#include "tests/generate/install_roots.h"
#include "tests/fakes/fake_platform.h"
#include "tests/fakes/step_error.h"

namespace kelvarion::testing {
namespace {

// The length columns of the macro files' tables: the files of tests/expected/
// are held against them, and the sizes written for every root.
const std::vector<LineLength> kContentsLengths{
    {63, false}, {63, false}, {63, false}, {63, false}, {63, false}, {63, false},
    {63, false}, {63, false}, {64, false}, {27, true},  {27, false}, {17, false},
    {19, false}, {0, false},  {54, false}, {7, false},  {7, false},
};

const std::vector<LineLength> kFinddupLengths{
    {77, false}, {77, false}, {77, false}, {77, false}, {77, false}, {77, false},
    {77, false}, {27, true},  {0, false},  {24, false}, {25, false}, {0, false},
    {61, false}, {59, false}, {7, false},  {7, false},
};

const std::vector<LineLength> kJoinLengths{
    {75, false}, {75, false}, {83, false}, {75, false}, {75, false}, {26, true},
    {0, false},  {22, false}, {23, false}, {25, false}, {20, false}, {24, false},
    {20, false}, {23, false}, {46, false}, {4, false},  {11, false},
};

const std::vector<LineLength> kPrintModelLengths{
    {63, false}, {63, false}, {63, false}, {63, false}, {63, false},
    {63, false}, {64, false}, {27, true},  {0, false},  {30, false},
    {25, false}, {0, false},  {57, false}, {7, false},  {19, false},
};

const std::vector<LineLength> kTransLengths{
    {63, false}, {63, false}, {63, false}, {63, false}, {63, false}, {63, false}, {63, false},
    {63, false}, {63, false}, {63, false}, {64, false}, {27, true},  {0, false},  {24, false},
    {19, false}, {20, false}, {17, false}, {18, false}, {17, false}, {0, false},  {61, false},
    {51, false}, {7, false},  {0, false},  {7, false},
};

const std::vector<LineLength> kVerificationRepLengths{
    {63, false}, {63, false}, {63, false}, {63, false}, {63, false}, {63, false},
    {63, false}, {63, false}, {63, false}, {63, false}, {63, false}, {64, false},
    {27, true},  {0, false},  {35, false}, {14, false}, {14, false}, {13, false},
    {0, false},  {0, false},  {62, false}, {7, false},  {24, false},
};

struct MacroCase {
    const char* label;
    const char* file_name;
    const std::vector<LineLength>* lengths;
};

// The file as it must be, in tests/expected/.
std::string expected_file(const MacroCase& file) {
    return std::string("all-editions/saspgm/") + file.file_name;
}

void PrintTo(const MacroCase& file, std::ostream* os) { *os << file.file_name; }

// Writes the named file of the macro files' list, as its installation step
// does.
StepOutcome create_macro(const std::string& file_name, Platform& platform) {
    for (const MacroFile& file : macro_files())
        if (file.file_name == file_name)
            return run_step(
                [&](std::string* err) { return create_macro_file(file, platform, err); });
    ADD_FAILURE() << file_name << " is not in the list";
    return {};
}

TEST(MacroFiles, TheListHoldsTheFilesInTheOrderTheyAreWritten) {
    std::vector<std::string> names;
    for (const MacroFile& file : macro_files()) names.push_back(file.file_name);
    EXPECT_EQ(names,
              (std::vector<std::string>{"contents.sas", "finddup.sas", "join.sas",
                                        "print_model.sas", "trans.sas", "verification_rep.sas"}));
}

const std::vector<MacroCase> kMacroCases{
    {"Contents", "contents.sas", &kContentsLengths},
    {"Finddup", "finddup.sas", &kFinddupLengths},
    {"Join", "join.sas", &kJoinLengths},
    {"PrintModel", "print_model.sas", &kPrintModelLengths},
    {"Trans", "trans.sas", &kTransLengths},
    {"VerificationRep", "verification_rep.sas", &kVerificationRepLengths},
};

std::string macro_path(const std::string& root, const MacroCase& file) {
    return root + "\\saspgm\\" + file.file_name;
}

// A machine on which create_autoexec has made the macro folder.
FakePlatform machine_with_root(const std::string& root) {
    FakePlatform fake;
    fake.root = root;
    fake.add_folder(root + "\\saspgm");
    return fake;
}

class MacroFileTest : public ::testing::TestWithParam<MacroCase> {};

// A slip of a space in the hand-written file shows here, before it could make
// a comparison with the program's output pass or fail for the wrong reason.
TEST_P(MacroFileTest, ExpectedFileFollowsTheLengthTable) {
    const MacroCase& file = GetParam();
    EXPECT_EQ(length_column(expected_template(expected_file(file))), *file.lengths);
}

TEST_P(MacroFileTest, PlainRootByteForByte) {
    const MacroCase& file = GetParam();
    FakePlatform fake = machine_with_root("C:\\Apps\\Kelvarion");
    ASSERT_TRUE(create_macro(file.file_name, fake));
    EXPECT_EQ(fake.file(macro_path(fake.root, file)),
              expected_bytes(expected_file(file), "C:\\Apps\\Kelvarion"));
    EXPECT_TRUE(fake.message_boxes.empty());
    EXPECT_EQ(fake.open_files, 0);
}

TEST_P(MacroFileTest, RewritesAnExistingFileWholeAndTwoRunsGiveTheSameBytes) {
    const MacroCase& file = GetParam();
    FakePlatform fake = machine_with_root("C:\\Apps\\Kelvarion");
    fake.add_file(macro_path(fake.root, file), std::string(3000, 'q') + "\r\n%mend old;\r\n");
    const std::string expected = expected_bytes(expected_file(file), "C:\\Apps\\Kelvarion");
    ASSERT_TRUE(create_macro(file.file_name, fake));
    EXPECT_EQ(fake.file(macro_path(fake.root, file)), expected);
    ASSERT_TRUE(create_macro(file.file_name, fake));
    EXPECT_EQ(fake.file(macro_path(fake.root, file)), expected);
}

TEST_P(MacroFileTest, MissingMacroFolderGivesOneFailureBoxAndMakesNoFolder) {
    const MacroCase& file = GetParam();
    FakePlatform missing;
    FakePlatform file_in_the_way;
    file_in_the_way.add_file("C:\\Apps\\Kelvarion\\saspgm", "not a folder");
    for (FakePlatform* fake : {&missing, &file_in_the_way}) {
        expect_failed_without_box(create_macro(file.file_name, *fake), *fake,
                                  failure_on(macro_path(fake->root, file), kPathNotFound));
        for (const std::string& entry : fake->log) EXPECT_NE(entry.rfind("make_folder", 0), 0u);
    }
    EXPECT_FALSE(missing.exists("C:\\Apps\\Kelvarion\\saspgm"));
}

TEST_P(MacroFileTest, ReadOnlyFileIsLeftAsItIs) {
    const MacroCase& file = GetParam();
    FakePlatform fake = machine_with_root("C:\\Apps\\Kelvarion");
    fake.add_file(macro_path(fake.root, file), "keep me", /*read_only=*/true);
    expect_failed_without_box(create_macro(file.file_name, fake), fake,
                              failure_on(macro_path(fake.root, file), kAccessDenied));
    EXPECT_EQ(fake.file(macro_path(fake.root, file)), "keep me");
}

TEST_P(MacroFileTest, RootTheCodePageCannotHoldWritesNothingAndSaysWhy) {
    const MacroCase& file = GetParam();
    const std::string root = "C:\\\xE6\x95\xB0\xE6\x8D\xAE\\Kelvarion";  // C:\数据\Kelvarion
    FakePlatform fake = machine_with_root(root);
    const StepOutcome outcome = create_macro(file.file_name, fake);
    EXPECT_FALSE(outcome);
    EXPECT_TRUE(fake.message_boxes.empty());
    const std::string& text = outcome.err;
    EXPECT_NE(text.find("folder name \"C:\\\xE6\x95\xB0\xE6\x8D\xAE\""), std::string::npos) << text;
    EXPECT_NE(text.find("\"\xE6\x95\xB0\" (U+6570)"), std::string::npos) << text;
    EXPECT_NE(text.find("system code page cannot hold"), std::string::npos) << text;
    EXPECT_FALSE(fake.exists(macro_path(root, file)));
}

INSTANTIATE_TEST_SUITE_P(EachFile, MacroFileTest, ::testing::ValuesIn(kMacroCases),
                         [](const auto& info) { return std::string(info.param.label); });

class MacroFileForRoot : public ::testing::TestWithParam<std::tuple<MacroCase, InstallRoot>> {};

TEST_P(MacroFileForRoot, ByteForByteAndSizeFollowsTheLengthTable) {
    const auto& [file, root] = GetParam();
    FakePlatform fake = machine_with_root(root.utf8);
    ASSERT_TRUE(create_macro(file.file_name, fake));
    const std::string bytes = fake.file(macro_path(root.utf8, file)).value_or("");
    EXPECT_EQ(bytes.size(), expected_size(*file.lengths, root.characters));
    EXPECT_EQ(bytes, expected_bytes(expected_file(file), root.ansi));
}

INSTANTIATE_TEST_SUITE_P(EachFileAndRoot, MacroFileForRoot,
                         ::testing::Combine(::testing::ValuesIn(kMacroCases),
                                            ::testing::ValuesIn(install_roots())),
                         [](const auto& info) {
                             return std::string(std::get<0>(info.param).label) + "_" +
                                    std::get<1>(info.param).label;
                         });

TEST(MacroFiles, AFailedWriteKeepsTheLinesWrittenAndReports) {
    FakePlatform fake = machine_with_root("C:\\Apps\\Kelvarion");
    fake.fail(FakeOp::Write, "join.sas", kDiskFull, 2);
    expect_failed_without_box(create_macro("join.sas", fake), fake,
                              failure_on("C:\\Apps\\Kelvarion\\saspgm\\join.sas", kDiskFull));
    // The write of the third line failed: the first two are there.
    const std::vector<std::string> lines = expected_lines("all-editions/saspgm/join.sas", "");
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(fake.file("C:\\Apps\\Kelvarion\\saspgm\\join.sas"),
              lines[0] + "\r\n" + lines[1] + "\r\n");
    EXPECT_EQ(fake.open_files, 0);
}

}  // namespace
}  // namespace kelvarion::testing
