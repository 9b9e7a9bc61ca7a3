// Bad input: install roots with spaces, apostrophes, parentheses, letters
// outside ASCII, a trailing backslash and more than 260 characters, through
// a whole installation on the in-memory platform (Windows-1252). A root the
// code page holds stands verbatim in every file and shortcut (inside SAS
// literals with its apostrophes written twice), every generated file is the
// one of tests/expected/ byte for byte, and a second run of the current
// edition finds its own entry in the SAS list; a root it cannot hold stops
// the first step with a box that names the character, and no file outside
// the product's new folders is touched.

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "editions/current_edition.h"
#include "editions/legacy_edition.h"
#include "tests/expected/expected_files.h"
#include "tests/fakes/program_under_test.h"

namespace kelvarion::testing {
namespace {

struct RootRow {
    const char* name;
    std::string utf8;                 // as the platform reports it
    std::optional<std::string> ansi;  // in Windows-1252; empty: it cannot hold it
    std::string unmappable = {};      // "U+XXXX" named by the box when it cannot
    // As it stands inside SAS literals, where an apostrophe is written twice;
    // empty: the same as `ansi`.
    std::string in_literal = {};
};

void PrintTo(const RootRow& row, std::ostream* os) { *os << row.name; }

std::string long_root() {
    std::string root = "C:\\Kelvarion";
    while (root.size() <= 300) root += "\\A folder with a rather long name";
    return root;
}

std::vector<RootRow> root_rows() {
    return {
        {"Spaces", R"(C:\Program Files\Corvantis Software\Kelvarion Setup 1.0)",
         R"(C:\Program Files\Corvantis Software\Kelvarion Setup 1.0)"},
        {"Apostrophes", R"(C:\Documents and Settings\Ann O'Hara\Kel'varion)",
         R"(C:\Documents and Settings\Ann O'Hara\Kel'varion)", "",
         R"(C:\Documents and Settings\Ann O''Hara\Kel''varion)"},
        {"Parentheses", R"(C:\Program Files (x86)\Corvantis\Kelvarion (1))",
         R"(C:\Program Files (x86)\Corvantis\Kelvarion (1))"},
        {"NetworkShareWithAllThree", R"(\\fs01\apps (shared)\O'Neil\Kelvarion)",
         R"(\\fs01\apps (shared)\O'Neil\Kelvarion)", "",
         R"(\\fs01\apps (shared)\O''Neil\Kelvarion)"},
        {"LettersOfTheCodePage",
         "D:\\Donn\xC3\xA9"
         "es\\Societ\xC3\xA0\\Kelvarion",
         "D:\\Donn\xE9"
         "es\\Societ\xE0\\Kelvarion"},
        {"CyrillicLetters",
         "C:\\\xD0\x9F\xD1\x80\xD0\xBE\xD0\xB3\xD1\x80\xD0\xB0\xD0\xBC\xD0\xBC\xD1\x8B\\Kelvarion",
         std::nullopt, "U+041F"},
        {"ChineseLetters", "C:\\\xE8\xBD\xAF\xE4\xBB\xB6\\Kelvarion", std::nullopt, "U+8F6F"},
        {"DriveRootWithItsBackslash", "E:\\", "E:\\"},
        {"Over260Characters", long_root(), long_root()},
    };
}

const std::string kCore = "        \"!SASROOT\\core\\sasmacro\"\r\n        )\r\n";

std::string sas_list_with(const std::string& ansi_root, int entries) {
    std::string list = "-SET SASAUTOS (\r\n";
    for (int k = 0; k < entries; ++k) list += "                \"" + ansi_root + "\\saspgm\"\r\n";
    return list + kCore;
}

class InstallRoot : public ::testing::TestWithParam<RootRow> {};

TEST_P(InstallRoot, StandsVerbatimEverywhereOrStopsTheFirstStepWithAClearBox) {
    const RootRow& row = GetParam();
    for (const EditionProfile* edition : {&kCurrentEdition, &kLegacyEdition}) {
        SCOPED_TRACE(edition->name);
        ProgramUnderTest run(*edition, row.utf8);
        ASSERT_TRUE(run.start());
        run.install();

        if (!row.ansi) {
            const std::string text = run.failure_text();
            EXPECT_NE(text.find(row.utf8 + "\\saspgm\\autoexec.sas"), std::string::npos) << text;
            EXPECT_NE(text.find(row.unmappable), std::string::npos) << text;
            EXPECT_NE(text.find("cannot hold"), std::string::npos) << text;
            EXPECT_EQ(run.caption(), "Error creating autoexec.sas ...");
            for (const std::string& name : generated_file_names())
                EXPECT_FALSE(run.generated(name)) << name;
            EXPECT_EQ(run.platform.file(kSas91Config), kShippedConfig);
            EXPECT_TRUE(run.platform.shortcuts.empty());
            continue;
        }

        ASSERT_TRUE(run.completed()) << run.boxes();
        const std::string& ansi = *row.ansi;
        const std::string& literal = row.in_literal.empty() ? ansi : row.in_literal;
        // The edition's files byte for byte, and none of the other edition's.
        const std::map<std::string, std::string> files = expected_files_of(edition->name);
        for (const auto& [relative, file] : files)
            EXPECT_EQ(run.generated(relative), expected_bytes(file, literal)) << relative;
        for (const std::string& name : generated_file_names()) {
            if (!files.contains(name)) {
                EXPECT_FALSE(run.generated(name)) << name;
            }
        }
        EXPECT_EQ(run.platform.file(kSas91Config), sas_list_with(ansi, 1));

        // Shortcuts speak UTF-16: the root stands in them as reported.
        const std::string sas_config = "\"C:\\Program Files\\SAS\\SAS 9.1\\SASV9.CFG\"";
        const std::string arguments =
            edition->writes_tool_config
                ? " -CONFIG " + sas_config + " -CONFIG \"" + row.utf8 + "\\kelvarion.cfg\""
                : " -CONFIG " + sas_config + " -autoexec \"" + row.utf8 +
                      "\\saspgm\\autoexec.sas\" -initcmd \"af cat = "
                      "pgmlib.kelvarion.trans_manager.frame\" -splashloc \"" +
                      row.utf8 + "\\splsh.bmp\"";
        ASSERT_EQ(run.platform.shortcuts.size(), 2u);
        for (const auto& [path, properties] : run.platform.shortcuts) {
            EXPECT_EQ(properties.arguments, arguments) << path;
            EXPECT_EQ(properties.icon_location,
                      row.utf8 + "\\Kelvarion_Post_Installation_setup.icx")
                << path;
        }

        // Again: the current edition finds its entry, the legacy one adds one.
        run.view = FakeView(main_window_layout(run.edition));
        run.platform.message_boxes.clear();
        ASSERT_TRUE(run.start());
        run.install();
        ASSERT_TRUE(run.completed()) << run.boxes();
        EXPECT_EQ(
            run.platform.file(kSas91Config),
            sas_list_with(ansi, edition->config_update == ConfigUpdateRule::SkipWhenNamed ? 1 : 2));
        EXPECT_EQ(run.files_under(kSas91ConfigFolder),
                  std::vector<std::string>{FakePlatform::key(kSas91Config)});
        EXPECT_EQ(run.platform.open_files, 0);
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, InstallRoot, ::testing::ValuesIn(root_rows()),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace kelvarion::testing
