#include "host/sas_config_edit.h"

#include <gtest/gtest.h>

#include <random>

#include "tests/host/config/crlf_text.h"
#include "platform/text_codec.h"

namespace kelvarion::testing {
namespace {

const std::string kFolder = R"(D:\Apps\Kelvarion\saspgm)";
// The line that the insertion makes, without its CR LF.
const std::string kEntry = R"(                "D:\Apps\Kelvarion\saspgm")";

const CodePage& cp1252() {
    static const CodePage page{encode_cp1252, decode_cp1252};
    return page;
}

SasConfigEdit current(std::string_view file, const std::string& folder = kFolder) {
    return edit_sas_config(file, folder, ConfigUpdateRule::SkipWhenNamed, cp1252());
}

SasConfigEdit legacy(std::string_view file, const std::string& folder = kFolder) {
    return edit_sas_config(file, folder, ConfigUpdateRule::InsertEveryRun, cp1252());
}

void expect_edited(const SasConfigEdit& edit, const std::string& expected, int insertions) {
    EXPECT_EQ(edit.outcome, SasConfigEdit::Outcome::Edited);
    EXPECT_EQ(edit.bytes, expected);
    EXPECT_EQ(edit.insertions, insertions);
}

void expect_unchanged(const SasConfigEdit& edit, bool named) {
    EXPECT_EQ(edit.outcome, SasConfigEdit::Outcome::Unchanged);
    EXPECT_EQ(edit.folder_named, named);
    EXPECT_EQ(edit.insertions, 0);
}

// The list of the first worked example, among other lines of the file.
const std::string kCore = R"(        "!SASROOT\core\sasmacro")";
const std::string kBase = R"(        "!SASROOT\base\sasmacro")";
const std::string kListOnFourLines =
    crlf_lines({"/* SAS configuration */", "-MEMSIZE 2G", "-SET SASAUTOS (", kCore, kBase,
                "        )", "-SORTSIZE 256M"});
const std::string kListOnFourLinesEdited =
    crlf_lines({"/* SAS configuration */", "-MEMSIZE 2G", "-SET SASAUTOS (", kEntry, kCore, kBase,
                "        )", "-SORTSIZE 256M"});

TEST(SasConfigEditWorkedExamples, ListOverSeveralLinesGetsOneLineAndNoTrailingEmptyLine) {
    expect_edited(current(kListOnFourLines), kListOnFourLinesEdited, 1);
    expect_edited(legacy(kListOnFourLines), kListOnFourLinesEdited, 1);
}

TEST(SasConfigEditWorkedExamples, ListOnTheOptionLineGetsOneBlankBetweenTheFolderAndTheRest) {
    // Written directly after our closing quote, the next entry's opening
    // quote would make "" (one escaped quote in SAS), joining the two
    // entries into one name: neither folder would be on the autocall path.
    const std::string file =
        crlf_lines({R"(-SET SASAUTOS ("!SASROOT\core\sasmacro" "!SASROOT\base\sasmacro"))"});
    const std::string expected = crlf_lines(
        {"-SET SASAUTOS (",
         R"(                "D:\Apps\Kelvarion\saspgm" "!SASROOT\core\sasmacro" "!SASROOT\base\sasmacro"))"});
    expect_edited(current(file), expected, 1);
    expect_edited(legacy(file), expected, 1);
    // Unquoted entries and comments are kept apart the same way.
    expect_edited(legacy(crlf_lines({"-SET SASAUTOS (sasautos)"})),
                  crlf_lines({"-SET SASAUTOS (", kEntry + " sasautos)"}), 1);
    expect_edited(legacy(crlf_lines({"-SET SASAUTOS (/* site */ x)"})),
                  crlf_lines({"-SET SASAUTOS (", kEntry + " /* site */ x)"}), 1);
}

TEST(SasConfigEditWorkedExamples, BlankTabCloseOrLineEndAfterTheParenthesisAddNoBlank) {
    expect_edited(legacy(crlf_lines({"-SET SASAUTOS ( \"a\")"})),
                  crlf_lines({"-SET SASAUTOS (", kEntry + " \"a\")"}), 1);
    expect_edited(legacy(crlf_lines({"-SET SASAUTOS (\t\"a\")"})),
                  crlf_lines({"-SET SASAUTOS (", kEntry + "\t\"a\")"}), 1);
    expect_edited(legacy(crlf_lines({"-SET SASAUTOS ()"})),
                  crlf_lines({"-SET SASAUTOS (", kEntry + ")"}), 1);
    expect_edited(legacy(crlf_lines({"-SET SASAUTOS (", "\"a\")"})),
                  crlf_lines({"-SET SASAUTOS (", kEntry, "\"a\")"}), 1);
    // A last line without its line end: nothing follows the "(".
    expect_edited(legacy("-SET SASAUTOS ("), crlf_lines({"-SET SASAUTOS (", kEntry}), 1);
}

TEST(SasConfigEditWorkedExamples, SecondRunOfTheCurrentEditionFindsItsOwnEntry) {
    expect_unchanged(current(kListOnFourLinesEdited), true);
    expect_unchanged(
        current(crlf_lines({"-SET SASAUTOS (", kEntry + R"("!SASROOT\core\sasmacro"))"})), true);
}

TEST(SasConfigEditWorkedExamples, SecondRunOfTheLegacyEditionInsertsAboveTheFirstEntry) {
    expect_edited(legacy(kListOnFourLinesEdited),
                  crlf_lines({"/* SAS configuration */", "-MEMSIZE 2G", "-SET SASAUTOS (", kEntry,
                              kEntry, kCore, kBase, "        )", "-SORTSIZE 256M"}),
                  1);
}

// --- which line begins the option ---------------------------------------------

TEST(SasConfigEditOptionLine, LetterCaseOfTheOptionDoesNotMatter) {
    expect_edited(current(crlf_lines({"-set sasautos (", "  )"})),
                  crlf_lines({"-set sasautos (", kEntry, "  )"}), 1);
    expect_edited(legacy(crlf_lines({"-Set SasAutos ( )"})),
                  crlf_lines({"-Set SasAutos (", kEntry + " )"}), 1);
}

TEST(SasConfigEditOptionLine, OnlyTheFirstThirteenCharactersAreCompared) {
    // "-SET SASAUTOSX" begins with the option's name; the rest of the name
    // is skipped before the list.
    expect_edited(current(crlf_lines({R"(-SET SASAUTOSX ("x"))"})),
                  crlf_lines({"-SET SASAUTOSX (", kEntry + R"( "x"))"}), 1);
    // Leading spaces, or a line too short, do not begin the option.
    expect_unchanged(current(crlf_lines({R"(  -SET SASAUTOS ("x"))"})), false);
    expect_unchanged(legacy(crlf_lines({R"(  -SET SASAUTOS ("x"))"})), false);
    expect_unchanged(legacy(crlf_lines({"-SET SASAUTO", "(", ")"})), false);
}

TEST(SasConfigEditOptionLine, OptionInsideACommentIsLeftAlone) {
    const std::string old_list = R"(-SET SASAUTOS ("C:\old\sasmacro"))";
    const std::string entry = R"(  "!SASROOT\core\sasmacro" /* see (notes) */)";
    const std::string file =
        crlf_lines({"/* the old list:", old_list, "*/", "-SET SASAUTOS (", entry, ")"});
    const std::string expected =
        crlf_lines({"/* the old list:", old_list, "*/", "-SET SASAUTOS (", kEntry, entry, ")"});
    expect_edited(current(file), expected, 1);
    expect_edited(legacy(file), expected, 1);
    // Naming the folder in a commented-out list does not count.
    expect_edited(
        current(crlf_lines({"/* -SET SASAUTOS", R"(-SET SASAUTOS ("D:\Apps\Kelvarion\saspgm") */)",
                            "-SET SASAUTOS ()"})),
        crlf_lines({"/* -SET SASAUTOS", R"(-SET SASAUTOS ("D:\Apps\Kelvarion\saspgm") */)",
                    "-SET SASAUTOS (", kEntry + ")"}),
        1);
}

TEST(SasConfigEditOptionLine, CommentRightAfterTheOptionNameIsSkipped) {
    // The "(" inside the comment is no list: the list opens after it.
    const std::string expected = crlf_lines({R"(-SET SASAUTOS/*(*/ ()", kEntry + R"( "a"))"});
    expect_edited(current(crlf_lines({R"(-SET SASAUTOS/*(*/ ("a"))"})), expected, 1);
    expect_edited(legacy(crlf_lines({R"(-SET SASAUTOS/*(*/ ("a"))"})), expected, 1);
    // A comment that names the folder right after the name does not count.
    expect_edited(current(crlf_lines({R"(-SET SASAUTOS/*"D:\Apps\Kelvarion\saspgm"*/ ())"})),
                  crlf_lines({R"(-SET SASAUTOS/*"D:\Apps\Kelvarion\saspgm"*/ ()", kEntry + ")"}),
                  1);
}

// --- where the list opens -----------------------------------------------------

TEST(SasConfigEditListOpening, ParenthesisOnALaterLine) {
    const std::string file = crlf_lines({"-SET SASAUTOS", "", "   /* autocall folders */",
                                         R"(   ( "!SASROOT\core\sasmacro")", "   )"});
    const std::string expected =
        crlf_lines({"-SET SASAUTOS", "", "   /* autocall folders */", "   (",
                    kEntry + R"( "!SASROOT\core\sasmacro")", "   )"});
    expect_edited(current(file), expected, 1);
    expect_edited(legacy(file), expected, 1);
}

TEST(SasConfigEditListOpening, EachListGetsOneInsertionAfterItsOpeningParenthesis) {
    // A further "(" inside the list, and the lists of other options, get
    // nothing.
    const std::string file =
        crlf_lines({"-SET SASAUTOS (", R"(  "a" ( "b")", ")", R"(-SET MYLIST ("c"))"});
    const std::string expected =
        crlf_lines({"-SET SASAUTOS (", kEntry, R"(  "a" ( "b")", ")", R"(-SET MYLIST ("c"))"});
    expect_edited(current(file), expected, 1);
    expect_edited(legacy(file), expected, 1);
}

TEST(SasConfigEditListOpening, SingleValueWithoutListGetsNothingNorDoesTheNextOption) {
    const std::string file =
        crlf_lines({R"(-SET SASAUTOS "!SASROOT\core\sasmacro")", R"(-SET MYLIST ("c"))"});
    expect_unchanged(current(file), false);
    expect_unchanged(legacy(file), false);
    // A value with a parenthesis in its quotes is still one value.
    expect_unchanged(legacy(crlf_lines({R"(-SET SASAUTOS "C:\Program Files (x86)\m")", "(", ")"})),
                     false);
}

TEST(SasConfigEditListOpening, TwoListsEachGetOneInsertion) {
    const std::string file =
        crlf_lines({R"(-SET SASAUTOS ("a"))", "-MEMSIZE 2G", "-set sasautos (", R"(  "b")", ")"});
    const std::string expected = crlf_lines({"-SET SASAUTOS (", kEntry + R"( "a"))", "-MEMSIZE 2G",
                                             "-set sasautos (", kEntry, R"(  "b")", ")"});
    expect_edited(current(file), expected, 2);
    expect_edited(legacy(file), expected, 2);
}

// --- whether the list names the macro folder ----------------------------------

TEST(SasConfigEditFolderNamed, WholeEntryInAnyCaseWithOrWithoutTrailingBackslash) {
    for (const std::string& file : {
             crlf_lines({R"(-SET SASAUTOS ("D:\Apps\Kelvarion\saspgm" "!SASROOT\core\sasmacro"))"}),
             crlf_lines({"-SET SASAUTOS (", R"(  "!SASROOT\core\sasmacro")",
                         R"(  "d:\apps\KELVARION\SASPGM")", ")"}),
             crlf_lines({"-SET SASAUTOS (", R"(  "D:\Apps\Kelvarion\saspgm\")", ")"}),
             crlf_lines({"-SET SASAUTOS (", R"(  'D:\Apps\Kelvarion\saspgm')", ")"}),
             crlf_lines({"-SET SASAUTOS (", R"(  D:\Apps\Kelvarion\saspgm)", ")"}),
             crlf_lines({R"(-SET SASAUTOS (D:\Apps\Kelvarion\saspgm\))"}),
             crlf_lines({"-SET SASAUTOS (", R"(  "D:/Apps/Kelvarion/saspgm")", ")"}),
             crlf_lines({R"(-SET SASAUTOS "D:\APPS\Kelvarion\saspgm")"}),
         }) {
        SCOPED_TRACE(file);
        expect_unchanged(current(file), true);
    }
}

TEST(SasConfigEditFolderNamed, LongerNamesSubfoldersAndOtherOptionsAreOtherFolders) {
    const std::string other_option = R"(-SET MINE "D:\Apps\Kelvarion\saspgm")";
    const std::string others = crlf_lines({
        R"(  "D:\Apps\Kelvarion\saspgm2")", R"(  "D:\Apps\Kelvarion\saspgm\old")",
        R"(  "X:D:\Apps\Kelvarion\saspgm")",
        R"(  ) "D:\Apps\Kelvarion\saspgm")",  // after the list's end
    });
    expect_edited(current(crlf_lines({other_option, "-SET SASAUTOS ("}) + others),
                  crlf_lines({other_option, "-SET SASAUTOS (", kEntry}) + others, 1);
}

TEST(SasConfigEditFolderNamed, NetworkShareNeedsBothLeadingBackslashes) {
    // Administrators run the setup from a share. "\server\share" with one
    // leading backslash is a folder on the current drive, not the share.
    const std::string share = R"(\\fs01\apps\Kelvarion\saspgm)";
    const std::string entry = "                \"" + share + "\"";
    const std::string same_folder[] = {share, R"(\\FS01\Apps\kelvarion\SASPGM\)",
                                       R"(\\fs01\\apps\Kelvarion\saspgm)"};
    for (const std::string& named : same_folder)
        expect_unchanged(
            current(crlf_lines({"-SET SASAUTOS (", "  \"" + named + "\"", ")"}), share), true);
    const std::string other_folders[] = {R"(\fs01\apps\Kelvarion\saspgm)",
                                         R"(C:\fs01\apps\Kelvarion\saspgm)"};
    for (const std::string& other : other_folders)
        expect_edited(current(crlf_lines({"-SET SASAUTOS (", "  \"" + other + "\"", ")"}), share),
                      crlf_lines({"-SET SASAUTOS (", entry, "  \"" + other + "\"", ")"}), 1);
}

TEST(SasConfigEditFolderNamed, NamedInEitherOfTwoListsMeansNothingChanges) {
    expect_unchanged(current(crlf_lines({R"(-SET SASAUTOS ("a"))", "-SET SASAUTOS (",
                                         R"(  "D:\Apps\Kelvarion\saspgm")", ")"})),
                     true);
}

TEST(SasConfigEditFolderNamed, LettersAreComparedInTheAnsiCodePage) {
    // 0xFF is y with diaeresis, 0x9F its capital; 0x9A s with caron, 0x8A
    // its capital: pairs that no byte arithmetic finds.
    const std::string folder =
        "D:\\\xC5\xB8ves\\\xC5\xA0"
        "ar\\saspgm";  // UTF-8 Ÿves\Šar
    expect_unchanged(current(crlf_lines({"-SET SASAUTOS (\"d:\\\xFFves\\\x9A"
                                         "AR\\SASPGM\")"}),
                             folder),
                     true);
}

// --- parentheses in quoted entries and in the install root ---------------------

const std::string kX86Folder = R"(C:\Program Files (x86)\Corvantis\Kelvarion\saspgm)";
const std::string kX86Entry =
    R"(                "C:\Program Files (x86)\Corvantis\Kelvarion\saspgm")";

TEST(SasConfigEditParentheses, ParenthesesInQuotesNeitherOpenNorCloseTheList) {
    const std::string x86 = R"(  "C:\Program Files (x86)\Other\sasmacro")";
    const std::string file = crlf_lines({"-SET SASAUTOS (", x86, kCore, ")"});
    const std::string expected = crlf_lines({"-SET SASAUTOS (", kEntry, x86, kCore, ")"});
    expect_edited(current(file), expected, 1);
    expect_edited(legacy(file), expected, 1);
    // The folder named after the quoted ")" is still inside the list.
    expect_unchanged(
        current(crlf_lines({"-SET SASAUTOS (", x86, R"(  "D:\Apps\Kelvarion\saspgm")", ")"})),
        true);
}

TEST(SasConfigEditParentheses, InstallRootWithParenthesesRunTwice) {
    const std::string file = crlf_lines({"-SET SASAUTOS (", kCore, ")"});
    const std::string once = crlf_lines({"-SET SASAUTOS (", kX86Entry, kCore, ")"});
    expect_edited(current(file, kX86Folder), once, 1);
    expect_unchanged(current(once, kX86Folder), true);

    expect_edited(legacy(file, kX86Folder), once, 1);
    expect_edited(legacy(once, kX86Folder),
                  crlf_lines({"-SET SASAUTOS (", kX86Entry, kX86Entry, kCore, ")"}), 1);
}

// --- lines and bytes ----------------------------------------------------------

TEST(SasConfigEditLines, NothingToInsertLeavesTheFileAlone) {
    expect_unchanged(current(""), false);
    expect_unchanged(legacy(""), false);
    expect_unchanged(legacy(crlf_lines({"-MEMSIZE 2G", "", "-SORTSIZE 256M"})), false);
    expect_unchanged(current("-MEMSIZE 2G\r-SORTSIZE 256M"), false);
}

TEST(SasConfigEditLines, LoneCrAndMissingLastLineEndBecomeCrLf) {
    expect_edited(legacy("-MEMSIZE 2G\r-SET SASAUTOS (\r)"),
                  crlf_lines({"-MEMSIZE 2G", "-SET SASAUTOS (", kEntry, ")"}), 1);
    expect_edited(current("-SET SASAUTOS ()\r\n\r\n\r"),
                  crlf_lines({"-SET SASAUTOS (", kEntry + ")", "", ""}), 1);
}

TEST(SasConfigEditLines, LoneLfStaysInsideTheLine) {
    expect_edited(current("-SET SASAUTOS (\n  \"a\"\r\n)"),
                  crlf_lines({"-SET SASAUTOS (", kEntry + "\n  \"a\"", ")"}), 1);
    // A line that an LF splits does not begin the option after the LF.
    expect_unchanged(current("-MEMSIZE 2G\n-SET SASAUTOS (\r\n)\r\n"), false);
}

TEST(SasConfigEditLines, BytesOutsideTheCodePageAndNulsSurviveByteForByte) {
    std::string high;
    for (int b = 0x80; b <= 0xFF; ++b) high += static_cast<char>(b);
    const std::string nul("a\0b", 3);
    const std::string file =
        crlf_lines({"/* " + high + " */", "-SET SASAUTOS (", "  \"C:\\" + high + "\"", nul, ")"});
    expect_edited(current(file),
                  crlf_lines({"/* " + high + " */", "-SET SASAUTOS (", kEntry,
                              "  \"C:\\" + high + "\"", nul, ")"}),
                  1);
}

TEST(SasConfigEditLines, VeryLongLinesAndListsAreHandledWhole) {
    const std::string filler(3'000'000, 'x');
    std::string entries;
    for (int k = 0; k < 100'000; ++k) entries += " \"C:\\m" + std::to_string(k) + "\"";
    const std::string file =
        crlf_lines({"/* " + filler + " */", "-SET SASAUTOS (" + entries + ")"});
    expect_edited(current(file),
                  crlf_lines({"/* " + filler + " */", "-SET SASAUTOS (", kEntry + entries + ")"}),
                  1);
    expect_unchanged(current(crlf_lines({"-SET SASAUTOS (" + entries + " \"" + kFolder + "\")"})),
                     true);
}

// --- encodings ----------------------------------------------------------------

TEST(SasConfigEditEncoding, FolderIsInsertedInTheAnsiCodePage) {
    expect_edited(current(crlf_lines({"-SET SASAUTOS ()"}),
                          "C:\\Donn\xC3\xA9"
                          "es\\saspgm"),
                  crlf_lines({"-SET SASAUTOS (",
                              "                \"C:\\Donn\xE9"
                              "es\\saspgm\")"}),
                  1);
}

TEST(SasConfigEditEncoding, FolderTheCodePageCannotHoldIsRefused) {
    const SasConfigEdit edit =
        current(crlf_lines({"-SET SASAUTOS ()"}), "C:\\Gy\xC5\x91z\xC5\x91\\saspgm");
    EXPECT_EQ(edit.outcome, SasConfigEdit::Outcome::FolderNotRepresentable);
    EXPECT_EQ(edit.unmappable, U'\u0151');
    EXPECT_TRUE(edit.bytes.empty());
}

TEST(SasConfigEditEncoding, Utf8FileKeepsItsByteOrderMarkAndGetsUtf8) {
    const std::string folder = "C:\\Gy\xC5\x91z\xC5\x91\\saspgm";  // ő: not in Windows-1252
    const std::string file = "\xEF\xBB\xBF" + crlf_lines({"-SET SASAUTOS (", ")"});
    const std::string edited =
        "\xEF\xBB\xBF" + crlf_lines({"-SET SASAUTOS (", "                \"" + folder + "\"", ")"});
    expect_edited(legacy(file, folder), edited, 1);
    expect_edited(current(file, folder), edited, 1);
    expect_unchanged(current(edited, "C:\\GY\xC5\x90Z\xC5\x90\\SASPGM"), true);
}

// --- any file ---------------------------------------------------------------

// Every line of `file` followed by CR LF, the way a rewrite ends lines.
std::string with_crlf_line_ends(const std::string& file) {
    std::string out;
    for (size_t i = 0; i < file.size();) {
        const size_t cr = file.find('\r', i);
        if (cr == std::string::npos) return out + file.substr(i) + "\r\n";
        out += file.substr(i, cr - i) + "\r\n";
        i = cr + 1 + (cr + 1 < file.size() && file[cr + 1] == '\n');
    }
    return out;
}

std::string without(std::string text, const std::string& part) {
    for (size_t at; (at = text.find(part)) != std::string::npos;) text.erase(at, part.size());
    return text;
}

// The text with one blank after each "(" dropped: the edit may put one
// between its folder and an entry that followed the "(".
std::string blank_after_parenthesis_dropped(std::string text) {
    for (size_t at = 0; (at = text.find("( ", at)) != std::string::npos;) text.erase(++at, 1);
    return text;
}

TEST(SasConfigEditAnyFile, OnlyTheInsertionIsNewAndASecondCurrentRunChangesNothing) {
    const std::string pieces[] = {"-SET SASAUTOS",
                                  "-set sasautos",
                                  "(",
                                  ")",
                                  "\"",
                                  "'",
                                  "/*",
                                  "*/",
                                  " ",
                                  "\r\n",
                                  "\r",
                                  "\n",
                                  kFolder,
                                  R"(d:\apps\KELVARION\saspgm\)",
                                  "x",
                                  "\xEF\xBB\xBF",
                                  std::string(1, '\0'),
                                  "\xE9",
                                  "\\",
                                  R"(!SASROOT\core\sasmacro)"};
    const std::string inserted = "\r\n" + kEntry;
    std::mt19937 random(20240611);  // fixed: the same files on every run
    int edits = 0;
    for (int round = 0; round < 20000; ++round) {
        std::string file;
        for (int k = static_cast<int>(random() % 30); k > 0; --k) file += pieces[random() % 20];
        for (ConfigUpdateRule rule :
             {ConfigUpdateRule::SkipWhenNamed, ConfigUpdateRule::InsertEveryRun}) {
            const SasConfigEdit edit = edit_sas_config(file, kFolder, rule, cp1252());
            if (edit.outcome != SasConfigEdit::Outcome::Edited) continue;
            ++edits;
            ASSERT_EQ(blank_after_parenthesis_dropped(without(edit.bytes, inserted)),
                      blank_after_parenthesis_dropped(without(with_crlf_line_ends(file), inserted)))
                << file;
            if (rule == ConfigUpdateRule::SkipWhenNamed) {
                const SasConfigEdit again = current(edit.bytes);
                ASSERT_EQ(again.outcome, SasConfigEdit::Outcome::Unchanged) << file;
                ASSERT_TRUE(again.folder_named) << file;
            }
        }
    }
    EXPECT_GT(edits, 500);  // the pieces do make lists
}

}  // namespace
}  // namespace kelvarion::testing
