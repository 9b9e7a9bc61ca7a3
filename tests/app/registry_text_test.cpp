// registry_text against the in-memory registry: only a readable REG_SZ
// gives text, the text ends at the first NUL, and the 64-bit view is read only
// when the key is missing from the 32-bit view.

#include <gtest/gtest.h>

#include "app/registry_text.h"
#include "tests/fakes/fake_platform.h"
#include "tests/support/utf16le.h"

namespace kelvarion::testing {
namespace {

constexpr const char* kKey = "SOFTWARE\\SAS Institute Inc.\\The SAS System\\9.1";
constexpr const char* kValue = "DefaultRoot";
constexpr std::uint32_t kRegExpandSz = 2;
constexpr std::uint32_t kRegBinary = 3;
constexpr std::uint32_t kRegDword = 4;
constexpr std::uint32_t kRegMultiSz = 7;

std::vector<std::string> registry_reads(const FakePlatform& platform) {
    std::vector<std::string> reads;
    for (const std::string& entry : platform.log)
        if (entry.rfind("registry ", 0) == 0) reads.push_back(entry);
    return reads;
}

const std::string k32Read = std::string("registry 32 ") + kKey + " " + kValue;
const std::string k64Read = std::string("registry 64 ") + kKey + " " + kValue;

TEST(RegistryText, ReadsTheTextOfAStringValueWithoutItsTerminator) {
    FakePlatform platform;
    platform.set_registry_string(RegistryView::Bits32, kKey, kValue, "C:\\Program Files\\SAS");
    EXPECT_EQ(registry_text(platform, kKey, kValue), "C:\\Program Files\\SAS");
    EXPECT_EQ(registry_reads(platform), std::vector<std::string>{k32Read});
}

TEST(RegistryText, AMissingKeyOrValueIsTheEmptyString) {
    FakePlatform no_key;
    EXPECT_EQ(registry_text(no_key, kKey, kValue), "");

    FakePlatform no_value;
    no_value.add_registry_key(RegistryView::Bits32, kKey);
    no_value.set_registry_string(RegistryView::Bits32, kKey, "OtherValue", "C:\\SAS");
    EXPECT_EQ(registry_text(no_value, kKey, kValue), "");
}

TEST(RegistryText, EveryTypeButRegSzIsTheEmptyString) {
    const std::vector<std::uint8_t> text = utf16le_bytes(std::u16string_view(u"C:\\SAS\0", 7));
    for (std::uint32_t type : {kRegExpandSz, kRegBinary, kRegDword, kRegMultiSz}) {
        SCOPED_TRACE(type);
        FakePlatform platform;
        platform.set_registry_raw(RegistryView::Bits32, kKey, kValue, type, text);
        // The same text in the 64-bit view must not be reached either.
        platform.set_registry_string(RegistryView::Bits64, kKey, kValue, "C:\\SAS");
        EXPECT_EQ(registry_text(platform, kKey, kValue), "");
        EXPECT_EQ(registry_reads(platform), std::vector<std::string>{k32Read});
    }
}

// A platform that hands over the stored bytes whatever their type: the type
// alone must decide.
class BytesOfEveryTypePlatform : public FakePlatform {
public:
    RegistryRead read_registry_value(RegistryView, const std::string&,
                                     const std::string&) override {
        RegistryRead read;
        read.outcome = RegistryRead::Outcome::Read;
        read.type = type;
        read.data = utf16le_bytes(std::u16string_view(u"C:\\SAS\0", 7));
        return read;
    }
    std::uint32_t type = kRegSz;
};

TEST(RegistryText, TheTypeAloneDecidesEvenWhenBytesComeWithIt) {
    BytesOfEveryTypePlatform platform;
    EXPECT_EQ(registry_text(platform, kKey, kValue), "C:\\SAS");
    for (std::uint32_t type : {0u, kRegExpandSz, kRegBinary, kRegDword, kRegMultiSz}) {
        platform.type = type;
        EXPECT_EQ(registry_text(platform, kKey, kValue), "") << type;
    }
}

TEST(RegistryText, StoredBytesBecomeTextUpToTheFirstNul) {
    struct Case {
        const char* what;
        std::vector<std::uint8_t> stored;
        std::string expected;
    };
    std::vector<std::uint8_t> odd = utf16le_bytes(u"C:\\SAS");
    odd.push_back('X');
    std::vector<std::uint8_t> odd_after_nul = utf16le_bytes(std::u16string_view(u"C:\\S\0", 5));
    odd_after_nul.push_back('X');
    const Case cases[] = {
        {"empty value with its NUL", utf16le_bytes(std::u16string_view(u"\0", 1)), ""},
        {"empty value without any byte", {}, ""},
        {"a single odd byte", {'C'}, ""},
        {"embedded NUL", utf16le_bytes(std::u16string_view(u"C:\\SAS\0D:\\Other\0", 16)),
         "C:\\SAS"},
        {"NUL first", utf16le_bytes(std::u16string_view(u"\0C:\\SAS\0", 8)), ""},
        {"no terminating NUL", utf16le_bytes(u"C:\\SAS 9.1"), "C:\\SAS 9.1"},
        {"trailing spaces without NUL are kept", utf16le_bytes(u"C:\\SAS  "), "C:\\SAS  "},
        {"odd size drops the last byte", odd, "C:\\SAS"},
        {"odd size after a NUL", odd_after_nul, "C:\\S"},
        {"trailing backslash kept", utf16le_bytes(std::u16string_view(u"C:\\SAS\\\0", 8)),
         "C:\\SAS\\"},
        // A NUL in the high byte only is no NUL unit.
        {"zero low byte is not a NUL",
         {0x00, 0x01, 'A', 0x00},
         "\xC4\x80"
         "A"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FakePlatform platform;
        platform.set_registry_raw(RegistryView::Bits32, kKey, kValue, kRegSz, c.stored);
        EXPECT_EQ(registry_text(platform, kKey, kValue), c.expected);
    }
}

TEST(RegistryText, NonAsciiTextComesBackAsUtf8) {
    // Latin, Cyrillic, CJK and a character outside the BMP (a surrogate pair).
    const std::string root =
        "D:\\Programme\\Stra\xC3\x9F"
        "e\\\xD0\x9F\xD1\x83\xD1\x82\\"
        "\xE6\x97\xA5\xE6\x9C\xAC\\\xF0\x9D\x84\x9E";
    FakePlatform platform;
    platform.set_registry_string(RegistryView::Bits32, kKey, kValue, root);
    EXPECT_EQ(registry_text(platform, kKey, kValue), root);

    FakePlatform raw;  // the same check from hand-made UTF-16LE bytes
    raw.set_registry_raw(RegistryView::Bits32, kKey, kValue, kRegSz,
                         utf16le_bytes(std::u16string_view(u"\u00FC\u0151\xD834\xDD1E\0", 5)));
    EXPECT_EQ(registry_text(raw, kKey, kValue), "\xC3\xBC\xC5\x91\xF0\x9D\x84\x9E");
}

TEST(RegistryText, The64BitViewIsReadOnlyWhenTheKeyIsMissingIn32Bit) {
    FakePlatform only64;
    only64.set_registry_string(RegistryView::Bits64, kKey, kValue, "C:\\Program Files\\SAS64");
    EXPECT_EQ(registry_text(only64, kKey, kValue), "C:\\Program Files\\SAS64");
    EXPECT_EQ(registry_reads(only64), (std::vector<std::string>{k32Read, k64Read}));

    FakePlatform both;
    both.set_registry_string(RegistryView::Bits32, kKey, kValue, "C:\\SAS32");
    both.set_registry_string(RegistryView::Bits64, kKey, kValue, "C:\\SAS64");
    EXPECT_EQ(registry_text(both, kKey, kValue), "C:\\SAS32");
    EXPECT_EQ(registry_reads(both), std::vector<std::string>{k32Read});

    // The key opens in the 32-bit view without the value: that is the answer.
    FakePlatform key_without_value;
    key_without_value.add_registry_key(RegistryView::Bits32, kKey);
    key_without_value.set_registry_string(RegistryView::Bits64, kKey, kValue, "C:\\SAS64");
    EXPECT_EQ(registry_text(key_without_value, kKey, kValue), "");
    EXPECT_EQ(registry_reads(key_without_value), std::vector<std::string>{k32Read});

    // The 64-bit view follows the same rules as the 32-bit one.
    FakePlatform wrong_type64;
    wrong_type64.set_registry_raw(RegistryView::Bits64, kKey, kValue, kRegExpandSz,
                                  utf16le_bytes(std::u16string_view(u"C:\\SAS\0", 7)));
    EXPECT_EQ(registry_text(wrong_type64, kKey, kValue), "");
    FakePlatform no_value64;
    no_value64.add_registry_key(RegistryView::Bits64, kKey);
    EXPECT_EQ(registry_text(no_value64, kKey, kValue), "");
}

TEST(RegistryText, EveryCallReadsTheRegistryAfresh) {
    FakePlatform platform;
    EXPECT_EQ(registry_text(platform, kKey, kValue), "");
    platform.set_registry_string(RegistryView::Bits32, kKey, kValue, "C:\\First");
    EXPECT_EQ(registry_text(platform, kKey, kValue), "C:\\First");
    platform.set_registry_string(RegistryView::Bits32, kKey, kValue, "C:\\Second");
    EXPECT_EQ(registry_text(platform, kKey, kValue), "C:\\Second");
}

}  // namespace
}  // namespace kelvarion::testing
