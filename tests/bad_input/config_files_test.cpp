// Bad input: SAS configuration files that are not the tidy CR LF text SAS
// ships, through the configuration step (update_sas_config) on the in-memory
// platform. Each row gives the file and what it must hold afterwards: the
// new text, or its old bytes when nothing is to be inserted. Rows that the
// edit's own tests hold (tests/host/config/sas_config_edit_test.cpp: lone CR,
// lone LF, all high bytes and NULs inside a list, a UTF-8 file with its
// byte-order mark, very long lines of 3 MB) are not repeated here.

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "editions/current_edition.h"
#include "editions/legacy_edition.h"
#include "host/sas_config_update.h"
#include "tests/fakes/program_under_test.h"
#include "tests/support/utf16le.h"

namespace kelvarion::testing {
namespace {

const std::string kRoot = R"(C:\Apps\Kelvarion)";
const std::string kEntry = R"(                "C:\Apps\Kelvarion\saspgm")";
const std::string kCore = R"("!SASROOT\core\sasmacro")";

struct ConfigRow {
    const char* name;
    std::string file;
    // What the file holds after each edition's step; empty: its old bytes.
    std::optional<std::string> current;
    std::optional<std::string> legacy;
    std::string root = kRoot;  // UTF-8, as the platform reports it
};

void PrintTo(const ConfigRow& row, std::ostream* os) { *os << row.name; }

// A configuration file's bytes: UTF-16LE text as a string of bytes.
std::string utf16le_text(std::u16string_view units) {
    const std::vector<std::uint8_t> bytes = utf16le_bytes(units);
    return std::string(bytes.begin(), bytes.end());
}

std::vector<ConfigRow> config_rows() {
    const std::string long_comment = "/* " + std::string(8 * 1024 * 1024, 'x') + " */";
    const std::string undefined = "\x81\x8D\x8F\x90\x9D";   // no character in Windows-1252
    const std::string gyor = "C:\\Gy\xC5\x91r\\Kelvarion";  // ő: not in Windows-1252
    const std::string no_line_end = "-SET SASAUTOS (\r\n" + kEntry + " " + kCore + ")\r\n";
    const std::string after_long_line =
        long_comment + "\r\n-SET SASAUTOS (\r\n" + kEntry + "\r\n  " + kCore + ")\r\n";
    const std::string around_list = "/* " + undefined + " */\r\n-SET SASAUTOS (\r\n" + kEntry +
                                    " " + undefined + "\r\n  \"C:\\" + undefined + "\"\r\n)\r\n";
    const std::string beside_named = "-SET SASAUTOS (\r\n  \"C:\\" + undefined +
                                     "\" \"c:\\apps\\KELVARION\\saspgm\\\" " + undefined +
                                     "\r\n)\r\n";
    const std::string in_utf8 = "\xEF\xBB\xBF-SET SASAUTOS (\r\n                \"" + gyor +
                                "\\saspgm\"\r\n  " + kCore + "\r\n)\r\n";
    return {
        {"NoLineEndAtAll", "-SET SASAUTOS (" + kCore + ")", no_line_end, no_line_end},
        {"NoLineEndAfterAVeryLongLine", long_comment + "\r\n-SET SASAUTOS (\r\n  " + kCore + ")",
         after_long_line, after_long_line},
        {"OnlyNulBytes", std::string(4096, '\0'), std::nullopt, std::nullopt},
        {"NulInsideTheOptionName", std::string("-SET\0SASAUTOS (", 15) + kCore + ")\r\n",
         std::nullopt, std::nullopt},
        {"UndefinedBytesAroundTheList",
         "/* " + undefined + " */\r\n-SET SASAUTOS (" + undefined + "\r\n  \"C:\\" + undefined +
             "\"\r\n)\r\n",
         around_list, around_list},
        // The current edition still finds the folder; the legacy one adds it.
        {"UndefinedBytesBesideTheNamedFolder", beside_named, std::nullopt,
         "-SET SASAUTOS (\r\n" + kEntry + "\r\n" + beside_named.substr(17)},
        {"ByteOrderMarkOnly", "\xEF\xBB\xBF", std::nullopt, std::nullopt},
        {"ByteOrderMarkAndARootOutsideTheCodePage",
         "\xEF\xBB\xBF-SET SASAUTOS (\r\n  " + kCore + "\r\n)\r\n", in_utf8, in_utf8, gyor},
        // Neither is text in the ANSI code page: nothing in them may change.
        {"Utf16WithByteOrderMark",
         "\xFF\xFE" + utf16le_text(u"-SET SASAUTOS (\r\n  \"!SASROOT\\core\\sasmacro\"\r\n)\r\n"),
         std::nullopt, std::nullopt},
        {"LineFeedsOnly", "-MEMSIZE 2G\n-SET SASAUTOS (\n  " + kCore + "\n)\n", std::nullopt,
         std::nullopt},
    };
}

class ConfigFile : public ::testing::TestWithParam<ConfigRow> {};

TEST_P(ConfigFile, IsEditedOrKeptByteForByteWithoutLeftovers) {
    const ConfigRow& row = GetParam();
    for (const EditionProfile* edition : {&kCurrentEdition, &kLegacyEdition}) {
        SCOPED_TRACE(edition->name);
        FakePlatform platform;
        platform.root = row.root;
        platform.add_folder(row.root);
        platform.add_file(kSas91Config, row.file);
        InstallContext context;
        context.sas_root(SasVersion::V91) = kSas91Root;

        std::optional<std::string> new_text;
        std::string err;
        EXPECT_TRUE(
            update_sas_config(*edition, context, SasVersion::V91, platform, &new_text, &err))
            << err;
        EXPECT_TRUE(platform.message_boxes.empty());
        const std::optional<std::string> after = platform.file(kSas91Config);
        ASSERT_TRUE(after);
        // Compared by hand: a failing 8 MB comparison would flood the log.
        const std::optional<std::string>& edited =
            edition->config_update == ConfigUpdateRule::SkipWhenNamed ? row.current : row.legacy;
        const std::string& expected = edited ? *edited : row.file;
        EXPECT_TRUE(*after == expected) << "sizes " << after->size() << " / " << expected.size();
        EXPECT_EQ(platform.files_under(kSas91ConfigFolder),
                  std::vector<std::string>{FakePlatform::key(kSas91Config)});
        EXPECT_EQ(platform.open_files, 0);
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, ConfigFile, ::testing::ValuesIn(config_rows()),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace kelvarion::testing
