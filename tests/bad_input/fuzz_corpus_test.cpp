// The fuzzer's corpus (fuzz/corpus) as regression inputs of the SAS
// configuration edit, checked with the fuzzer's own invariants; and proof
// that those checks catch the faults they are there for.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "fuzz/config_edit_invariants.h"

namespace kelvarion::testing {
namespace {

using fuzzing::broken_invariant;
using fuzzing::EditFunction;

std::string read_bytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(FuzzCorpus, EveryInputKeepsTheInvariants) {
    int inputs = 0;
    for (const auto& entry : std::filesystem::directory_iterator(KELVARION_FUZZ_CORPUS)) {
        if (!entry.is_regular_file()) continue;
        ++inputs;
        EXPECT_EQ(fuzzing::check_config_edit(read_bytes(entry.path())), "")
            << entry.path().filename();
    }
    EXPECT_GE(inputs, 8);  // the hand-written seeds at least
}

// --- the checks have teeth ---------------------------------------------------

const std::string kFolder = R"(C:\Apps\Kelvarion\saspgm)";
const std::string kEntry = "\r\n                \"" + kFolder + "\"";
const std::string kFile = "/* x */\r\n-SET SASAUTOS (\r\n  \"a\"\r\n)\r\n";
const std::string kGood = "/* x */\r\n-SET SASAUTOS (" + kEntry + "\r\n  \"a\"\r\n)\r\n";

SasConfigEdit edited(std::string bytes, int insertions) {
    SasConfigEdit edit;
    edit.outcome = SasConfigEdit::Outcome::Edited;
    edit.bytes = std::move(bytes);
    edit.insertions = insertions;
    return edit;
}

SasConfigEdit unchanged() { return SasConfigEdit{}; }

// The real edit, for the second run.
const EditFunction kRealEdit = [](std::string_view file, ConfigUpdateRule rule) {
    return edit_sas_config(file, kFolder, rule, fuzzing::windows_1252());
};

struct BrokenEdit {
    const char* name;
    std::string file;
    SasConfigEdit edit;
    EditFunction again = kRealEdit;
};

void PrintTo(const BrokenEdit& row, std::ostream* os) { *os << row.name; }

std::vector<BrokenEdit> broken_edits() {
    SasConfigEdit refused;
    refused.outcome = SasConfigEdit::Outcome::FolderNotRepresentable;
    return {
        {"ByteOfAnOldLineChanged", kFile,
         edited("/* y */\r\n-SET SASAUTOS (" + kEntry + "\r\n  \"a\"\r\n)\r\n", 1)},
        {"LastLineEndLost", kFile,
         edited("/* x */\r\n-SET SASAUTOS (" + kEntry + "\r\n  \"a\"\r\n)", 1)},
        {"EmptyLineAddedAtTheEnd", kFile, edited(kGood + "\r\n", 1)},
        {"InsertionNotAfterAParenthesis", kFile,
         edited("/* x */" + kEntry + "\r\n-SET SASAUTOS (\r\n  \"a\"\r\n)\r\n", 1)},
        {"TwoInsertionsInOneList", "-SET SASAUTOS (\r\n  \"a\" (\r\n)\r\n",
         edited("-SET SASAUTOS (" + kEntry + "\r\n  \"a\" (" + kEntry + "\r\n)\r\n", 2)},
        {"InsertionBeforeTheOption", "(\r\n-SET SASAUTOS ()\r\n",
         edited("(" + kEntry + "\r\n-SET SASAUTOS ()\r\n", 1)},
        {"InsertionsMiscounted", kFile, edited(kGood, 2)},
        {"EditedWithoutInsertion", kFile, edited(kFile, 0)},
        {"UnchangedButCounted", kFile,
         [] {
             SasConfigEdit e = unchanged();
             e.insertions = 1;
             return e;
         }()},
        {"RepresentableFolderRefused", kFile, refused},
        {"SecondRunWouldEditAgain", kFile, edited(kGood, 1),
         [](std::string_view, ConfigUpdateRule) { return edited("changed", 1); }},
    };
}

class InvariantCheck : public ::testing::TestWithParam<BrokenEdit> {};

TEST_P(InvariantCheck, CatchesTheBrokenEdit) {
    const BrokenEdit& row = GetParam();
    for (ConfigUpdateRule rule :
         {ConfigUpdateRule::SkipWhenNamed, ConfigUpdateRule::InsertEveryRun})
        EXPECT_NE(broken_invariant(row.file, kFolder, rule, row.edit, row.again), "");
}

INSTANTIATE_TEST_SUITE_P(Rows, InvariantCheck, ::testing::ValuesIn(broken_edits()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(InvariantCheck, AcceptsTheRightEditsAndRefusals) {
    for (ConfigUpdateRule rule :
         {ConfigUpdateRule::SkipWhenNamed, ConfigUpdateRule::InsertEveryRun}) {
        EXPECT_EQ(broken_invariant(kFile, kFolder, rule, edited(kGood, 1), kRealEdit), "");
        EXPECT_EQ(broken_invariant("-MEMSIZE 2G", kFolder, rule, unchanged(), kRealEdit), "");
        SasConfigEdit refused;
        refused.outcome = SasConfigEdit::Outcome::FolderNotRepresentable;
        EXPECT_EQ(broken_invariant(kFile, "C:\\Gy\xC5\x91r\\saspgm", rule, refused, kRealEdit), "");
    }
    // A legacy second run: the file holds the entry once, the edit adds one.
    EXPECT_EQ(
        broken_invariant(
            kGood, kFolder, ConfigUpdateRule::InsertEveryRun,
            edited("/* x */\r\n-SET SASAUTOS (" + kEntry + kEntry + "\r\n  \"a\"\r\n)\r\n", 1),
            kRealEdit),
        "");
}

}  // namespace
}  // namespace kelvarion::testing
