// The ANSI code page conversions. Run twice by CTest: with LANG=C.UTF-8
// (Wine's code page 1252) and with LANG=ru_RU.UTF-8 (1251).

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "platform/text_codec.h"
#include "platform/win32/win32_platform.h"

namespace kelvarion {
namespace {

// The code page Wine derives from the LANG this run was started with.
UINT expected_code_page() {
    const char* lang = std::getenv("KELVARION_TEST_LANG");
    const std::string name = lang ? lang : "";
    if (name.rfind("ru_RU", 0) == 0) return 1251;
    return 1252;
}

class CodePageWin : public ::testing::Test {
protected:
    Win32Platform platform;
};

TEST_F(CodePageWin, RunsUnderTheCodePageItsLocaleSelects) {
    EXPECT_EQ(GetACP(), expected_code_page());
}

TEST_F(CodePageWin, UnmappableCharactersAreReportedNeverReplaced) {
    // "ő" is in neither 1252 nor 1251; without WC_NO_BEST_FIT_CHARS it
    // would silently become "o", and with the flag alone "?".
    AnsiText text = platform.encode_ansi("SAS ő");
    EXPECT_FALSE(text.ok);
    EXPECT_EQ(text.unmappable, U'\u0151');

    // The first of several is named, past a literal '?', which is no loss.
    text = platform.encode_ansi("a?b\U0001F600\u0151");
    EXPECT_FALSE(text.ok);
    EXPECT_EQ(text.unmappable, U'\U0001F600');

    text = platform.encode_ansi("?");
    ASSERT_TRUE(text.ok);
    EXPECT_EQ(text.bytes, "?");

    // Broken UTF-8 is not passed on as if it were text.
    text = platform.encode_ansi("x\xFF");
    EXPECT_FALSE(text.ok);
    EXPECT_EQ(text.unmappable, U'\uFFFD');
}

TEST_F(CodePageWin, EmptyAndNulTextKeepTheirLength) {
    AnsiText text = platform.encode_ansi("");
    ASSERT_TRUE(text.ok);
    EXPECT_EQ(text.bytes, "");
    text = platform.encode_ansi(std::string_view("a\0b", 3));
    ASSERT_TRUE(text.ok);
    EXPECT_EQ(text.bytes, std::string("a\0b", 3));
    EXPECT_EQ(platform.decode_ansi(""), "");
    EXPECT_EQ(platform.decode_ansi(std::string_view("a\0b", 3)), std::string("a\0b", 3));
}

TEST_F(CodePageWin, EveryByteSurvivesDecodeThenEncode) {
    CPINFO info{};
    ASSERT_TRUE(GetCPInfo(CP_ACP, &info));
    ASSERT_EQ(info.MaxCharSize, 1u) << "a single-byte code page is expected here";
    for (int b = 1; b < 256; ++b) {
        const std::string byte(1, static_cast<char>(b));
        const std::string utf8 = platform.decode_ansi(byte);
        const AnsiText back = platform.encode_ansi(utf8);
        EXPECT_TRUE(back.ok) << "byte " << b;
        EXPECT_EQ(back.bytes, byte) << "byte " << b;
    }
}

TEST_F(CodePageWin, Cp1252AgreesWithThePortableTable) {
    if (GetACP() != 1252) GTEST_SKIP() << "code page " << GetACP();
    EXPECT_EQ(platform.encode_ansi("é").bytes, "\xE9");
    EXPECT_EQ(platform.encode_ansi("™").bytes, "\x99");
    EXPECT_EQ(platform.encode_ansi("€").bytes, "\x80");
    EXPECT_EQ(platform.encode_ansi("Привет").unmappable, U'\u041F');
    // The portable build writes Windows-1252 with its own table; it must
    // match the system's in both directions for every byte.
    for (int b = 1; b < 256; ++b) {
        const std::string byte(1, static_cast<char>(b));
        EXPECT_EQ(platform.decode_ansi(byte), decode_cp1252(byte)) << "byte " << b;
        const std::string utf8 = decode_cp1252(byte);
        EXPECT_EQ(platform.encode_ansi(utf8).bytes, encode_cp1252(utf8).bytes) << "byte " << b;
    }
}

TEST_F(CodePageWin, Cp1251HoldsCyrillicButNotLatinAccents) {
    if (GetACP() != 1251) GTEST_SKIP() << "code page " << GetACP();
    const AnsiText text = platform.encode_ansi("Привет, SAS");
    ASSERT_TRUE(text.ok);
    EXPECT_EQ(text.bytes, "\xCF\xF0\xE8\xE2\xE5\xF2, SAS");
    EXPECT_EQ(platform.decode_ansi("\xCF\xF0\xE8\xE2\xE5\xF2"), "Привет");
    EXPECT_EQ(platform.encode_ansi("™").bytes, "\x99");
    const AnsiText accent = platform.encode_ansi("Привет é");
    EXPECT_FALSE(accent.ok);
    EXPECT_EQ(accent.unmappable, U'\u00E9');
}

}  // namespace
}  // namespace kelvarion
