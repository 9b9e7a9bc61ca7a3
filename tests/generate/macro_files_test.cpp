#include "generate/macro_files.h"

#include <gtest/gtest.h>

#include <ostream>
#include <tuple>

#include "tests/generate/install_roots.h"
#include "tests/fakes/fake_platform.h"
#include "tests/fakes/step_error.h"

namespace kelvarion::testing {
namespace {

// contents.sas, install root C:\Apps\Kelvarion.
const char* const kContentsPlain =
    "/*------------------------------------------------------------*\r\n"
    "* program:     contents.sas                                   *\r\n"
    "* Description: Generate a PROC CONTENTS and PROC PRINT        *\r\n"
    "*              (100 obs)                                      *\r\n"
    "* Parameters:  indata = input data set                        *\r\n"
    "*              reptype = report type                          *\r\n"
    "*              output = output file                           *\r\n"
    "* By:          Ky Dorran, 1/10/2004                           *\r\n"
    "*-------------------------------------------------------------*/\r\n"
    "libname _templib 'C:\\Apps\\Kelvarion\\saspgm';\r\n"
    "%macro contents (indata = ,\r\n"
    "        reptype=,\r\n"
    "        output = );\r\n"
    "\r\n"
    "   proc display cat = _templib.kelvarion.contents.scl;\r\n"
    "   run;\r\n"
    "%mend ;\r\n";
const std::vector<LineLength> kContentsLengths{
    {63, false}, {63, false}, {63, false}, {63, false}, {63, false}, {63, false},
    {63, false}, {63, false}, {64, false}, {27, true},  {27, false}, {17, false},
    {19, false}, {0, false},  {54, false}, {7, false},  {7, false},
};

// finddup.sas, install root C:\Apps\Kelvarion.
const char* const kFinddupPlain =
    "/*--------------------------------------------------------------------------*\r\n"
    "* program:     finddup.sas                                                  *\r\n"
    "* Description: Finds duplicate variable names in the transformation models. *\r\n"
    "* Parameters:  modlib = library for models,                                 *\r\n"
    "*              output= output report                                        *\r\n"
    "* By:          Eli Mastov, 8/23/2005                                        *\r\n"
    "*--------------------------------------------------------------------------*/\r\n"
    "libname _templib 'C:\\Apps\\Kelvarion\\saspgm';\r\n"
    "\r\n"
    "%macro finddup (modlib=,\r\n"
    "                output=);\r\n"
    "\r\n"
    "   *** Update the path to reflect your download location ***;\r\n"
    "   proc display cat = _templib.kelvarion.finddup.scl batch;\r\n"
    "   run;\r\n"
    "%mend ;\r\n";
const std::vector<LineLength> kFinddupLengths{
    {77, false}, {77, false}, {77, false}, {77, false}, {77, false}, {77, false},
    {77, false}, {27, true},  {0, false},  {24, false}, {25, false}, {0, false},
    {61, false}, {59, false}, {7, false},  {7, false},
};

// join.sas, install root C:\Apps\Kelvarion.
const char* const kJoinPlain =
    "*------------------------------------------------------------------------*;\r\n"
    "* Program:     autoexec.sas                                              *;\r\n"
    "* Description: autoexec file for %join macro                                     *;\r\n"
    "* Author:      Tov Renali, 9/8/2005                                      *;\r\n"
    "*------------------------------------------------------------------------*;\r\n"
    "libname _trans_ 'C:\\Apps\\Kelvarion\\saspgm';\r\n"
    "\r\n"
    "%macro join (indata =,\r\n"
    "             outdata =,\r\n"
    "               outlabel=,\r\n"
    "             keys =,\r\n"
    "               dropmis=,\r\n"
    "             type =,\r\n"
    "             output =);\r\n"
    "proc display cat = _trans_.kelvarion.join.scl;\r\n"
    "run;\r\n"
    "%mend join;\r\n";
const std::vector<LineLength> kJoinLengths{
    {75, false}, {75, false}, {83, false}, {75, false}, {75, false}, {26, true},
    {0, false},  {22, false}, {23, false}, {25, false}, {20, false}, {24, false},
    {20, false}, {23, false}, {46, false}, {4, false},  {11, false},
};

// print_model.sas, install root C:\Apps\Kelvarion.
const char* const kPrintModelPlain =
    "/*------------------------------------------------------------*\r\n"
    "* program:     printmodel.sas                                 *\r\n"
    "* Description: Generate a output report all fall models.      *\r\n"
    "* Parameters:  indata = input data set,                       *\r\n"
    "*              output = output report                         *\r\n"
    "* By:          Ivo Pell, 21/09/2005                           *\r\n"
    "*-------------------------------------------------------------*/\r\n"
    "libname _templib 'C:\\Apps\\Kelvarion\\saspgm';\r\n"
    "\r\n"
    "%macro print_model (indata = ,\r\n"
    "              output = );\r\n"
    "\r\n"
    "   proc display cat = _templib.kelvarion.printmodels.scl;\r\n"
    "   run;\r\n"
    "%mend print_model ;\r\n";
const std::vector<LineLength> kPrintModelLengths{
    {63, false}, {63, false}, {63, false}, {63, false}, {63, false},
    {63, false}, {64, false}, {27, true},  {0, false},  {30, false},
    {25, false}, {0, false},  {57, false}, {7, false},  {19, false},
};

// trans.sas, install root C:\Apps\Kelvarion.
const char* const kTransPlain =
    "/*------------------------------------------------------------*\r\n"
    "* program:     trans.sas                                      *\r\n"
    "* Description: Transfer the data model to a new structure as  *\r\n"
    "*              specified by a specification.                  *\r\n"
    "* Parameters:  indata = input data set                        *\r\n"
    "*              outdata = output data set                      *\r\n"
    "*              outlabel = output label                        *\r\n"
    "*              model = transfer model data set                *\r\n"
    "*              output = output program                        *\r\n"
    "* By:          Ky Dorran, 1/6/2004                            *\r\n"
    "*-------------------------------------------------------------*/\r\n"
    "libname _templib 'C:\\Apps\\Kelvarion\\saspgm';\r\n"
    "\r\n"
    "%macro trans (indata = ,\r\n"
    "        outdata = ,\r\n"
    "        outlabel = ,\r\n"
    "        model = ,\r\n"
    "        output = ,\r\n"
    "        drop = );\r\n"
    "\r\n"
    "   *** Update the path to reflect your download location ***;\r\n"
    "   proc display cat = _templib.kelvarion.trans.scl;\r\n"
    "   run;\r\n"
    "\r\n"
    "%mend ;\r\n";
const std::vector<LineLength> kTransLengths{
    {63, false}, {63, false}, {63, false}, {63, false}, {63, false}, {63, false}, {63, false},
    {63, false}, {63, false}, {63, false}, {64, false}, {27, true},  {0, false},  {24, false},
    {19, false}, {20, false}, {17, false}, {18, false}, {17, false}, {0, false},  {61, false},
    {51, false}, {7, false},  {0, false},  {7, false},
};

// verification_rep.sas, install root C:\Apps\Kelvarion.
const char* const kVerificationRepPlain =
    "/*------------------------------------------------------------*\r\n"
    "* program:     verification_rep.sas                           *\r\n"
    "* Description: Generate verification reports for review of    *\r\n"
    "*              transformation.                                *\r\n"
    "* Assumptions: None                                           *\r\n"
    "* Input:       srcdat = source data,                          *\r\n"
    "*              destdat =  destination data                    *\r\n"
    "*              model = model dataset                          *\r\n"
    "*              outpath =  output path                         *\r\n"
    "* Output:      HTML report                                    *\r\n"
    "* By:          Ivo Pell, 21/09/2005                           *\r\n"
    "*-------------------------------------------------------------*/\r\n"
    "libname _templib 'C:\\Apps\\Kelvarion\\saspgm';\r\n"
    "\r\n"
    "%macro verification_rep (srcdat = ,\r\n"
    "   destdat = ,\r\n"
    "   outpath = ,\r\n"
    "   model = );\r\n"
    "\r\n"
    "\r\n"
    "   proc display cat = _templib.kelvarion.verification_rep.scl;\r\n"
    "   run;\r\n"
    "%mend verification_rep ;\r\n";
const std::vector<LineLength> kVerificationRepLengths{
    {63, false}, {63, false}, {63, false}, {63, false}, {63, false}, {63, false},
    {63, false}, {63, false}, {63, false}, {63, false}, {63, false}, {64, false},
    {27, true},  {0, false},  {35, false}, {14, false}, {14, false}, {13, false},
    {0, false},  {0, false},  {62, false}, {7, false},  {24, false},
};

struct MacroCase {
    const char* label;
    const char* file_name;
    const char* library;  // the libref of the library statement
    const char* plain;    // the whole file for C:\Apps\Kelvarion
    const std::vector<LineLength>* lengths;
};

void PrintTo(const MacroCase& file, std::ostream* os) { *os << file.file_name; }

// Writes the named file of the macro files' list, as its installation step
// does.
bool create_macro(const std::string& file_name, Platform& platform) {
    last_step_error().clear();
    for (const MacroFile& file : macro_files())
        if (file.file_name == file_name)
            return create_macro_file(file, platform, &last_step_error());
    ADD_FAILURE() << file_name << " is not in the list";
    return false;
}

TEST(MacroFiles, TheListHoldsTheSixFilesInTheOrderTheyAreWritten) {
    std::vector<std::string> names;
    for (const MacroFile& file : macro_files()) names.push_back(file.file_name);
    EXPECT_EQ(names,
              (std::vector<std::string>{"contents.sas", "finddup.sas", "join.sas",
                                        "print_model.sas", "trans.sas", "verification_rep.sas"}));
}

const std::vector<MacroCase> kMacroCases{
    {"Contents", "contents.sas", "_templib", kContentsPlain, &kContentsLengths},
    {"Finddup", "finddup.sas", "_templib", kFinddupPlain, &kFinddupLengths},
    {"Join", "join.sas", "_trans_", kJoinPlain, &kJoinLengths},
    {"PrintModel", "print_model.sas", "_templib", kPrintModelPlain, &kPrintModelLengths},
    {"Trans", "trans.sas", "_templib", kTransPlain, &kTransLengths},
    {"VerificationRep", "verification_rep.sas", "_templib", kVerificationRepPlain,
     &kVerificationRepLengths},
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

TEST_P(MacroFileTest, PlainRootByteForByte) {
    const MacroCase& file = GetParam();
    FakePlatform fake = machine_with_root("C:\\Apps\\Kelvarion");
    ASSERT_TRUE(create_macro(file.file_name, fake));
    EXPECT_EQ(fake.file(macro_path(fake.root, file)), file.plain);
    EXPECT_TRUE(fake.message_boxes.empty());
    EXPECT_EQ(fake.open_files, 0);
}

TEST_P(MacroFileTest, RewritesAnExistingFileWholeAndTwoRunsGiveTheSameBytes) {
    const MacroCase& file = GetParam();
    FakePlatform fake = machine_with_root("C:\\Apps\\Kelvarion");
    fake.add_file(macro_path(fake.root, file), std::string(3000, 'q') + "\r\n%mend old;\r\n");
    ASSERT_TRUE(create_macro(file.file_name, fake));
    EXPECT_EQ(fake.file(macro_path(fake.root, file)), file.plain);
    ASSERT_TRUE(create_macro(file.file_name, fake));
    EXPECT_EQ(fake.file(macro_path(fake.root, file)), file.plain);
}

TEST_P(MacroFileTest, MissingMacroFolderGivesOneFailureBoxAndMakesNoFolder) {
    const MacroCase& file = GetParam();
    FakePlatform missing;
    FakePlatform file_in_the_way;
    file_in_the_way.add_file("C:\\Apps\\Kelvarion\\saspgm", "not a folder");
    for (FakePlatform* fake : {&missing, &file_in_the_way}) {
        EXPECT_FALSE(create_macro(file.file_name, *fake));
        expect_one_failure_box(*fake, failure_on(macro_path(fake->root, file), kPathNotFound));
        for (const std::string& entry : fake->log) EXPECT_NE(entry.rfind("make_folder", 0), 0u);
    }
    EXPECT_FALSE(missing.exists("C:\\Apps\\Kelvarion\\saspgm"));
}

TEST_P(MacroFileTest, ReadOnlyFileIsLeftAsItIs) {
    const MacroCase& file = GetParam();
    FakePlatform fake = machine_with_root("C:\\Apps\\Kelvarion");
    fake.add_file(macro_path(fake.root, file), "keep me", /*read_only=*/true);
    EXPECT_FALSE(create_macro(file.file_name, fake));
    expect_one_failure_box(fake, failure_on(macro_path(fake.root, file), kAccessDenied));
    EXPECT_EQ(fake.file(macro_path(fake.root, file)), "keep me");
}

TEST_P(MacroFileTest, RootTheCodePageCannotHoldWritesNothingAndSaysWhy) {
    const MacroCase& file = GetParam();
    const std::string root = "C:\\\xE6\x95\xB0\xE6\x8D\xAE\\Kelvarion";  // C:\数据\Kelvarion
    FakePlatform fake = machine_with_root(root);
    EXPECT_FALSE(create_macro(file.file_name, fake));
    EXPECT_TRUE(fake.message_boxes.empty());
    const std::string& text = last_step_error();
    EXPECT_NE(text.find("folder name \"C:\\\xE6\x95\xB0\xE6\x8D\xAE\""), std::string::npos) << text;
    EXPECT_NE(text.find("\"\xE6\x95\xB0\" (U+6570)"), std::string::npos) << text;
    EXPECT_NE(text.find("system code page cannot hold"), std::string::npos) << text;
    EXPECT_FALSE(fake.exists(macro_path(root, file)));
}

INSTANTIATE_TEST_SUITE_P(SixFiles, MacroFileTest, ::testing::ValuesIn(kMacroCases),
                         [](const auto& info) { return std::string(info.param.label); });

class MacroFileForRoot : public ::testing::TestWithParam<std::tuple<MacroCase, InstallRoot>> {};

TEST_P(MacroFileForRoot, SizeFollowsTheLengthTableAndTheRootStandsVerbatim) {
    const auto& [file, root] = GetParam();
    FakePlatform fake = machine_with_root(root.utf8);
    ASSERT_TRUE(create_macro(file.file_name, fake));
    const std::string bytes = fake.file(macro_path(root.utf8, file)).value_or("");
    EXPECT_EQ(bytes.size(), expected_size(*file.lengths, root.characters));
    const std::string library_line =
        std::string("\r\nlibname ") + file.library + " '" + root.ansi + "\\saspgm';\r\n";
    EXPECT_NE(bytes.find(library_line), std::string::npos) << bytes;
}

INSTANTIATE_TEST_SUITE_P(SixFilesAndRoots, MacroFileForRoot,
                         ::testing::Combine(::testing::ValuesIn(kMacroCases),
                                            ::testing::ValuesIn(install_roots())),
                         [](const auto& info) {
                             return std::string(std::get<0>(info.param).label) + "_" +
                                    std::get<1>(info.param).label;
                         });

TEST(MacroFiles, AFailedWriteKeepsTheLinesWrittenAndReports) {
    FakePlatform fake = machine_with_root("C:\\Apps\\Kelvarion");
    fake.fail(FakeOp::Write, "join.sas", kDiskFull, 2);
    EXPECT_FALSE(create_macro("join.sas", fake));
    expect_one_failure_box(fake, failure_on("C:\\Apps\\Kelvarion\\saspgm\\join.sas", kDiskFull));
    EXPECT_EQ(fake.file("C:\\Apps\\Kelvarion\\saspgm\\join.sas"),
              "*------------------------------------------------------------------------*;\r\n"
              "* Program:     autoexec.sas                                              *;\r\n");
    EXPECT_EQ(fake.open_files, 0);
}

}  // namespace
}  // namespace kelvarion::testing
