// Bad input: registry values of every type and of odd sizes, read by
// registry_text and by start-up. Only a readable REG_SZ gives
// text; anything else counts as a missing value, start-up goes on without a
// box, and the window offers only what was found. (Types 2, 3, 4 and 7, and
// the odd sizes 1 and 13, are rows of tests/app/registry_text_test.cpp.)

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/registry_text.h"
#include "editions/current_edition.h"
#include "editions/legacy_edition.h"
#include "tests/fakes/program_under_test.h"
#include "tests/support/utf16le.h"

namespace kelvarion::testing {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes plus(Bytes bytes, std::initializer_list<std::uint8_t> more) {
    bytes.insert(bytes.end(), more);
    return bytes;
}

const Bytes kRootWithNul = utf16le_bytes(std::u16string_view(u"C:\\SAS\\9.1\0", 11));
constexpr const char* kReplacement = "\xEF\xBF\xBD";  // U+FFFD

struct RegistryRow {
    const char* name;
    std::uint32_t type;
    Bytes stored;
    std::string text;  // what the value reads as; empty: SAS 9.1 not found
};

void PrintTo(const RegistryRow& row, std::ostream* os) { *os << row.name; }

std::string long_root_utf8() {
    std::string root = "C:\\";
    while (root.size() < 32000) root += "SAS Institute\\";
    return root;
}

std::vector<RegistryRow> registry_rows() {
    std::u16string long_units;
    for (char c : long_root_utf8()) long_units += static_cast<char16_t>(c);
    return {
        // Types other than REG_SZ, each with the bytes of a good root.
        {"RegNone", 0, kRootWithNul, ""},
        {"RegDwordBigEndian", 5, {0, 0, 0, 1}, ""},
        {"RegLink", 6, kRootWithNul, ""},
        {"RegResourceList", 8, kRootWithNul, ""},
        {"RegFullResourceDescriptor", 9, kRootWithNul, ""},
        {"RegResourceRequirementsList", 10, kRootWithNul, ""},
        {"RegQword", 11, {1, 0, 0, 0, 0, 0, 0, 0}, ""},
        {"UnknownType", 0x7FFF1234u, kRootWithNul, ""},
        // REG_SZ of odd and small sizes.
        {"TwoBytesOneUnitWithoutNul", 1, {'C', 0}, "C"},
        {"ThreeBytesHalfANul", 1, {'C', 0, 0}, "C"},
        {"FiveBytesNulThenOddByte", 1, {'C', 0, 0, 0, 'X'}, "C"},
        {"NulThenOddByte", 1, {0, 0, 'X'}, ""},
        {"LongValueWithoutNul", 1, utf16le_bytes(long_units), long_root_utf8()},
        {"LongValueOddSize", 1, plus(utf16le_bytes(long_units), {0}), long_root_utf8()},
        // Text that is not what a folder name should be: still used as stored.
        {"OnlySpaces", 1, utf16le_bytes(u"   "), "   "},
        {"LoneHighSurrogate", 1, utf16le_bytes(std::u16string_view(u"C:\\\xD800SAS\0", 8)),
         std::string("C:\\") + kReplacement + "SAS"},
        {"LoneLowSurrogate", 1, utf16le_bytes(std::u16string_view(u"C:\\SAS\xDC00\0", 8)),
         std::string("C:\\SAS") + kReplacement},
        {"SurrogatesInWrongOrder", 1, utf16le_bytes(std::u16string_view(u"\xDC00\xD800\0", 3)),
         std::string(kReplacement) + kReplacement},
    };
}

// Hands over SAS 9.1's DefaultRoot with its stored bytes whatever its type,
// as a registry layer that passed every value on would: the type alone must
// decide, and no byte count may be trusted.
class StoredValuePlatform : public FakePlatform {
public:
    explicit StoredValuePlatform(const RegistryRow& row) : row_(row) {}
    RegistryRead read_registry_value(RegistryView view, const std::string& subkey,
                                     const std::string& value_name) override {
        if (subkey != kSas91Key || value_name != "DefaultRoot")
            return FakePlatform::read_registry_value(view, subkey, value_name);
        RegistryRead read;
        read.outcome = RegistryRead::Outcome::Read;
        read.type = row_.type;
        read.data = row_.stored;
        return read;
    }

private:
    RegistryRow row_;
};

class RegistryValue : public ::testing::TestWithParam<RegistryRow> {};

// Each row's text is read through start-up, as the program reads it; how
// registry_text turns stored bytes into text is pinned by
// tests/app/registry_text_test.cpp.
TEST_P(RegistryValue, StartUpShowsTheWindowWithoutABoxAndOffersWhatWasFound) {
    const RegistryRow& row = GetParam();
    for (const EditionProfile* edition : {&kCurrentEdition, &kLegacyEdition}) {
        SCOPED_TRACE(edition->name);
        ProgramUnderTest run(*edition, "", std::make_unique<StoredValuePlatform>(row));
        ASSERT_TRUE(run.start());
        EXPECT_TRUE(run.platform.message_boxes.empty()) << run.boxes();
        EXPECT_EQ(run.context.sas_root(SasVersion::V91).value_or(""), row.text);
        EXPECT_EQ(run.context.sas_exe(SasVersion::V91), row.text + "\\sas.exe");
        const bool found = !row.text.empty();
        EXPECT_EQ(run.view.enabled(Control::Sas91Option), found);
        EXPECT_EQ(run.view.selected(Control::Sas91Option), found);
        EXPECT_EQ(run.view.enabled(Control::InstallButton), found);  // no other version
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, RegistryValue, ::testing::ValuesIn(registry_rows()),
                         [](const auto& info) { return std::string(info.param.name); });

// A root that reads as text but names no folder: the installation stops at
// the first step that needs the SAS folder, with the platform's own words,
// and no SAS file is touched.
TEST(RegistryValueInstall, RootWithALoneSurrogateStopsAtTheConfigurationWithAClearBox) {
    ProgramUnderTest run(kCurrentEdition);
    run.platform.set_registry_raw(RegistryView::Bits32, kSas91Key, "DefaultRoot", 1,
                                  utf16le_bytes(std::u16string_view(u"C:\\\xD800SAS\0", 8)));
    ASSERT_TRUE(run.start());
    run.install();
    EXPECT_EQ(run.failure_text(),
              failure_on("C:\\\xEF\xBF\xBDSAS\\nls\\en\\SASV9.CFG", kPathNotFound));
    EXPECT_EQ(run.caption(), "Error configing SAS System ...");
    EXPECT_EQ(run.platform.file(kSas91Config), kShippedConfig);
    EXPECT_EQ(run.platform.open_files, 0);
}

// An installer that writes AllUsers as REG_DWORD 1 means "all users", but
// only the text "1" says so: the shortcuts go to this user's folders.
TEST(RegistryValueInstall, AllUsersStoredAsADwordGivesThisUsersShortcuts) {
    ProgramUnderTest run(kCurrentEdition);
    run.platform.set_registry_raw(RegistryView::Bits32, "SOFTWARE\\Corvantis\\Kelvarion",
                                  "AllUsers", 4, {1, 0, 0, 0});
    ASSERT_TRUE(run.start());
    EXPECT_EQ(run.context.all_users, "");
    run.install();
    ASSERT_TRUE(run.completed()) << run.boxes();
    std::vector<std::string> shortcuts;
    for (const auto& [path, properties] : run.platform.shortcuts) shortcuts.push_back(path);
    EXPECT_EQ(shortcuts,
              (std::vector<std::string>{
                  FakePlatform::key(run.platform.special_folders[SpecialFolder::Programs] +
                                    "\\Corvantis\\KELVARION\\Kelvarion.lnk"),
                  FakePlatform::key(run.platform.special_folders[SpecialFolder::Desktop] +
                                    "\\Kelvarion.lnk"),
              }));
}

}  // namespace
}  // namespace kelvarion::testing
