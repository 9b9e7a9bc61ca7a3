#include "platform/text_codec.h"

#include <gtest/gtest.h>

#include <string>

namespace kelvarion {
namespace {

struct Boundary {
    char32_t code_point;
    std::string utf8;
    std::u16string utf16;
};

// The last and first code points of each UTF-8 length, written out by hand.
const Boundary kBoundaries[] = {
    {0x007F, "\x7F", u"\u007F"},
    {0x0080, "\xC2\x80", u"\u0080"},
    {0x07FF, "\xDF\xBF", u"\u07FF"},
    {0x0800, "\xE0\xA0\x80", u"\u0800"},
    {0xFFFF, "\xEF\xBF\xBF", u"\uFFFF"},
    {0x10000, "\xF0\x90\x80\x80", {0xD800, 0xDC00}},
    {0x10FFFF, "\xF4\x8F\xBF\xBF", {0xDBFF, 0xDFFF}},
};

TEST(TextCodec, EncodingLengthBoundariesConvertBothWays) {
    for (const Boundary& b : kBoundaries) {
        SCOPED_TRACE(code_point_name(b.code_point));
        EXPECT_EQ(utf8_to_utf16(b.utf8), b.utf16);
        EXPECT_EQ(utf16_to_utf8(b.utf16), b.utf8);
        EXPECT_EQ(code_point_utf8(b.code_point), b.utf8);
        // Between ASCII neighbours, so that a wrong length eats or leaves bytes.
        EXPECT_EQ(utf8_to_utf16("a" + b.utf8 + "z"), u"a" + b.utf16 + u"z");
    }
}

TEST(TextCodec, InvalidUtf8BecomesReplacementCharacters) {
    const std::u16string bad = u"\uFFFD";
    // Surrogates encoded in UTF-8 (CESU style) are not characters.
    EXPECT_EQ(utf8_to_utf16("\xED\xA0\x80"), bad);
    EXPECT_EQ(utf8_to_utf16("\xED\xBF\xBF"), bad);
    // Overlong forms of "/" and of U+07FF, and the longest overlong NUL.
    EXPECT_EQ(utf8_to_utf16("\xC0\xAF"), bad);
    EXPECT_EQ(utf8_to_utf16("\xE0\x9F\xBF"), bad);
    EXPECT_EQ(utf8_to_utf16("\xF0\x80\x80\x80"), bad);
    // Beyond U+10FFFF, a lone continuation byte, bytes never used in UTF-8.
    EXPECT_EQ(utf8_to_utf16("\xF4\x90\x80\x80"), bad);
    EXPECT_EQ(utf8_to_utf16("a\x80z"), u"a\uFFFDz");
    EXPECT_EQ(utf8_to_utf16("\xFE\xFF"), bad + bad);
    // A sequence cut short: the text after it is kept.
    EXPECT_EQ(utf8_to_utf16("\xE2\x82z"), u"\uFFFD\uFFFDz");
    EXPECT_EQ(utf8_to_utf16("x\xF0\x9F\x98"), u"x\uFFFD\uFFFD\uFFFD");
}

TEST(TextCodec, LoneSurrogatesInUtf16BecomeReplacementCharacters) {
    EXPECT_EQ(utf16_to_utf8(std::u16string{u'a', 0xD800, u'b'}),
              "a\xEF\xBF\xBD"
              "b");
    EXPECT_EQ(utf16_to_utf8(std::u16string{0xDC00, 0xD800}), "\xEF\xBF\xBD\xEF\xBF\xBD");
    EXPECT_EQ(utf16_to_utf8(std::u16string{0xD83D}), "\xEF\xBF\xBD");
}

TEST(TextCodec, Cp1252GivesTheDefaultCharacterForWhatItLacksAndNamesTheFirst) {
    AnsiText text = encode_cp1252("Kelvarion\xE2\x84\xA2 \xC3\xA9\xE2\x82\xAC");  // ™ é €
    EXPECT_TRUE(text.exact());
    EXPECT_EQ(text.bytes, "Kelvarion\x99 \xE9\x80");
    text = encode_cp1252(
        "a\xC5\x91"
        "b\xCE\xB1");  // ő, α: not in 1252
    EXPECT_FALSE(text.exact());
    EXPECT_EQ(text.unmappable, U'\u0151');
    EXPECT_EQ(text.bytes, "a?b?");
    // The undefined bytes come back as themselves.
    EXPECT_EQ(encode_cp1252(decode_cp1252("\x81\x8D\x8F\x90\x9D")).bytes, "\x81\x8D\x8F\x90\x9D");
}

}  // namespace
}  // namespace kelvarion
