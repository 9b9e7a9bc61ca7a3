// The ANSI code page conversions. Run by CTest under several LANG values,
// each giving Wine another ANSI code page: C.UTF-8 (1252), ru_RU (1251),
// el_GR (1253), ja_JP (932), zh_CN (936) and th_TH (874).

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
    const struct {
        const char* language;
        UINT code_page;
    } pages[] = {{"ru_RU", 1251}, {"el_GR", 1253}, {"ja_JP", 932}, {"zh_CN", 936}, {"th_TH", 874}};
    for (const auto& page : pages)
        if (name.rfind(page.language, 0) == 0) return page.code_page;
    return 1252;
}

class CodePageWin : public ::testing::Test {
protected:
    Win32Platform platform;
};

TEST_F(CodePageWin, RunsUnderTheCodePageItsLocaleSelects) {
    EXPECT_EQ(GetACP(), expected_code_page());
}

TEST_F(CodePageWin, LackingCharactersGetTheDefaultCharacterAndAreReported) {
    // "ő" is in none of the code pages tested; without WC_NO_BEST_FIT_CHARS
    // it would silently become the look-alike "o".
    AnsiText text = platform.encode_ansi("SAS \xC5\x91");
    EXPECT_FALSE(text.exact());
    EXPECT_EQ(text.unmappable, U'\u0151');
    EXPECT_EQ(text.bytes, "SAS ?");

    // The first of several is named, past a literal '?', which is no loss.
    text = platform.encode_ansi("a?b\U0001F600\u0151");
    EXPECT_FALSE(text.exact());
    EXPECT_EQ(text.unmappable, U'\U0001F600');

    text = platform.encode_ansi("?");
    ASSERT_TRUE(text.exact());
    EXPECT_EQ(text.bytes, "?");

    // Broken UTF-8 is not passed on as if it were text.
    text = platform.encode_ansi("x\xFF");
    EXPECT_FALSE(text.exact());
    EXPECT_EQ(text.unmappable, U'\uFFFD');
}

TEST_F(CodePageWin, EmptyAndNulTextKeepTheirLength) {
    AnsiText text = platform.encode_ansi("");
    ASSERT_TRUE(text.exact());
    EXPECT_EQ(text.bytes, "");
    text = platform.encode_ansi(std::string_view("a\0b", 3));
    ASSERT_TRUE(text.exact());
    EXPECT_EQ(text.bytes, std::string("a\0b", 3));
    EXPECT_EQ(platform.decode_ansi(""), "");
    EXPECT_EQ(platform.decode_ansi(std::string_view("a\0b", 3)), std::string("a\0b", 3));
}

TEST_F(CodePageWin, EveryByteSurvivesDecodeThenEncode) {
    CPINFO info{};
    ASSERT_TRUE(GetCPInfo(CP_ACP, &info));
    if (info.MaxCharSize != 1) GTEST_SKIP() << "double-byte code page " << GetACP();
    for (int b = 1; b < 256; ++b) {
        const std::string byte(1, static_cast<char>(b));
        const std::string utf8 = platform.decode_ansi(byte);
        if (GetACP() == 874 && utf8 == "\xEF\xBF\xBD") continue;  // no character in 874
        const AnsiText back = platform.encode_ansi(utf8);
        EXPECT_TRUE(back.exact()) << "byte " << b;
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
    ASSERT_TRUE(text.exact());
    EXPECT_EQ(text.bytes, "\xCF\xF0\xE8\xE2\xE5\xF2, SAS");
    EXPECT_EQ(platform.decode_ansi("\xCF\xF0\xE8\xE2\xE5\xF2"), "Привет");
    EXPECT_EQ(platform.encode_ansi("™").bytes, "\x99");
    const AnsiText accent = platform.encode_ansi("Привет é");
    EXPECT_FALSE(accent.exact());
    EXPECT_EQ(accent.unmappable, U'\u00E9');
}

TEST_F(CodePageWin, Cp1253HoldsGreekAndTheTradeMark) {
    if (GetACP() != 1253) GTEST_SKIP() << "code page " << GetACP();
    const AnsiText text =
        platform.encode_ansi("\xCE\x91\xCE\xB8\xCE\xAE\xCE\xBD\xCE\xB1");  // Αθήνα
    ASSERT_TRUE(text.exact());
    EXPECT_EQ(text.bytes, "\xC1\xE8\xDE\xED\xE1");
    EXPECT_EQ(platform.encode_ansi("\xE2\x84\xA2").bytes, "\x99");
}

// The East Asian and Thai code pages lack the trade-mark sign: the product's
// window title takes the system's default character, while a folder name
// with such a character is refused by the callers (exact() is false).
struct LocalScript {
    UINT code_page;
    std::string utf8;   // a folder name in the local script
    std::string bytes;  // the same in the code page, from its published table
};

const LocalScript kLocalScripts[] = {
    // ソフト表: trail bytes 5C ("\") and 5C again.
    {932, "\xE3\x82\xBD\xE3\x83\x95\xE3\x83\x88\xE8\xA1\xA8", "\x83\x5C\x83\x74\x83\x67\x95\x5C"},
    // 软件乗: the last one's trail byte is 5C.
    {936, "\xE8\xBD\xAF\xE4\xBB\xB6\xE4\xB9\x97", "\xC8\xED\xBC\xFE\x81\x5C"},
    // ภาษาไทย: single bytes.
    {874, "\xE0\xB8\xA0\xE0\xB8\xB2\xE0\xB8\xA9\xE0\xB8\xB2\xE0\xB9\x84\xE0\xB8\x97\xE0\xB8\xA2",
     "\xC0\xD2\xC9\xD2\xE4\xB7\xC2"},
};

TEST_F(CodePageWin, LocalScriptConvertsBothWaysAndTheTradeMarkBecomesTheDefault) {
    const UINT acp = GetACP();
    const LocalScript* script = nullptr;
    for (const LocalScript& s : kLocalScripts)
        if (s.code_page == acp) script = &s;
    if (script == nullptr) GTEST_SKIP() << "code page " << acp;

    const AnsiText text = platform.encode_ansi("C:\\" + script->utf8 + "\\Kelvarion");
    ASSERT_TRUE(text.exact());
    EXPECT_EQ(text.bytes, "C:\\" + script->bytes + "\\Kelvarion");
    EXPECT_EQ(platform.decode_ansi(text.bytes), "C:\\" + script->utf8 + "\\Kelvarion");

    const AnsiText title = platform.encode_ansi("-awstitle 'QVK - Kelvarion\xE2\x84\xA2'");
    EXPECT_FALSE(title.exact());
    EXPECT_EQ(title.unmappable, U'\u2122');
    EXPECT_EQ(title.bytes, "-awstitle 'QVK - Kelvarion?'");
}

}  // namespace
}  // namespace kelvarion
