// Conversions between the program's UTF-16 text and code page 932 bytes.
#include "platform/AnsiCodePage.h"
#include "platform/RuntimeError.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace std::string_literals;

TEST(AnsiCodePage, KeepsNulCharactersAndBytes) {
    // Win32 out buffers are strings of NULs: every one must survive both directions.
    const std::u16string nuls(145, u'\0');
    EXPECT_EQ(ToAnsi(nuls), std::string(145, '\0'));
    EXPECT_EQ(FromAnsi(std::string(145, '\0')), nuls);

    EXPECT_EQ(ToAnsi(u"a\0\u3042\0"s), "a\0\x82\xA0\0"s);
    EXPECT_EQ(FromAnsi("a\0\x82\xA0\0"s), u"a\0\u3042\0"s);
}

TEST(AnsiCodePage, ConvertsDoubleByteAndHalfWidthCharacters) {
    EXPECT_EQ(ToAnsi(u"\u3042"), "\x82\xA0");  // あ
    EXPECT_EQ(FromAnsi("\x82\xA0"), u"\u3042");
    EXPECT_EQ(ToAnsi(u"\uFF71"), "\xB1");  // half-width ｱ: one byte
    EXPECT_EQ(FromAnsi("\xB1"), u"\uFF71");
    // 表 has a backslash as its second byte; it must not split into two characters.
    EXPECT_EQ(ToAnsi(u"C:\\\u8868"), "C:\\\x95\x5C");
    EXPECT_EQ(FromAnsi("C:\\\x95\x5C"), u"C:\\\u8868");
    // The wave dash of the code page is the full-width tilde.
    EXPECT_EQ(FromAnsi("\x81\x60"), u"\uFF5E");
    EXPECT_EQ(ToAnsi(u"\uFF5E"), "\x81\x60");
}

TEST(AnsiCodePage, BytesThatStartNoCharacterBecomeAMiddleDot) {
    // A lead byte at the end is replaced alone. Followed by any other byte but NUL it is a
    // double-byte sequence, as on Windows, even where the second byte could not follow it:
    // the pair is replaced and the second byte is not read on its own.
    EXPECT_EQ(FromAnsi("ab\x82"), u"ab\u30FB");
    EXPECT_EQ(FromAnsi("\x82"
                       " x"),
              u"\u30FBx");
    EXPECT_EQ(FromAnsi("\x82\xA0\x82"), u"\u3042\u30FB");
}

// Where glibc's CP932 and Windows' own table differ, measured over every byte, every pair
// of bytes and every UTF-16 unit; every build must give what Windows gives.
TEST(AnsiCodePage, DecodesAsWindowsDoes) {
    struct Case {
        std::string bytes;
        std::u16string text;
    };
    const Case cases[] = {
        // Single bytes outside JIS X 0201: C1 and private-use characters.
        {"\x80", u"\u0080"},
        {"\xA0", u"\uF8F0"},
        {"\xFD", u"\uF8F1"},
        {"\xFE", u"\uF8F2"},
        {"\xFF", u"\uF8F3"},
        {"\xA0@\xFD\xFF", u"\uF8F0@\uF8F1\uF8F3"},  // not lead bytes: the next byte stands alone
        // A lead byte and any byte but NUL: one character, unassigned pairs one U+30FB.
        {"\x81\x20", u"\u30FB"},            // an ASCII second byte is taken with it
        {"\x81\x7F", u"\u30FB"},            // a gap among the second bytes
        {"\x81\xFD", u"\u30FB"},            // past the last second byte
        {"\x85\x82\xA0", u"\u30FB\uF8F0"},  // a lead byte as second byte; 0xA0 then alone
        {"\x85\x40", u"\u30FB"},            // a lead byte with no characters at all
        {"\xEB\x40", u"\u30FB"},
        {"\xEF\x40", u"\u30FB"},
        {"\x82\xF2", u"\u30FB"},  // unassigned in an assigned row
        {"\xFC\x4C", u"\u30FB"},  // past the last character of the last row
        {"\xFC\x4B", u"\u9ED1"},  // the last character
        // A lead byte before a NUL or at the end: U+30FB alone; the NUL is kept.
        {"\x81\0"s, u"\u30FB\0"s},
        {"\xFC", u"\u30FB"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FromAnsi(c.bytes), c.text) << ::testing::PrintToString(c.bytes);
    }
    EXPECT_EQ(Chr(0x80), u"\u0080");
    EXPECT_EQ(Chr(static_cast<std::int16_t>(0x8540)), u"\u30FB");
}

TEST(AnsiCodePage, EncodesAsWindowsDoes) {
    // Windows' best fit: Latin-1 letters lose their accents.
    EXPECT_EQ(ToAnsi(u"ÀÁÂÃÄÅÆÇÈÉÊËÌÍÎÏÐÑÒÓÔÕÖØÙÚÛÜÝÞß"), "AAAAAAACEEEEIIIIDNOOOOOOUUUUYTs");
    EXPECT_EQ(ToAnsi(u"àáâãäåæçèéêëìíîïðñòóôõöøùúûüýþÿ"), "aaaaaaaceeeeiiiidnoooooouuuuyty");
    struct Case {
        std::u16string text;
        std::string bytes;
    };
    const Case cases[] = {
        // Best fits of Latin-1 signs, and of the hiragana vu to the katakana.
        {u"\u00A1\u00A6\u00A9\u00AA\u00AD\u00AE", "!|ca-R"},
        {u"\u00B2\u00B3\u00B9\u00BA", "231o"},
        {u"\u00AB", "\x81\xE1"},  // ≪
        {u"\u00BB", "\x81\xE2"},  // ≫
        {u"\u00AF", "\x81\x50"},  // ￣
        {u"\u00B5", "\x83\xCA"},  // μ
        {u"\u00B7", "\x81\x45"},  // ・
        {u"\u00B8", "\x81\x43"},  // ，
        {u"\u3094", "\x83\x94"},  // ヴ
        // The characters of the single bytes 0x80, 0xA0 and 0xFD to 0xFF go back to them.
        {u"\u0080\uF8F0\uF8F1\uF8F2\uF8F3", "\x80\xA0\xFD\xFE\xFF"},
        // Look-alikes Windows maps to other characters and does not take back.
        {u"\u2014", "?"},  // em dash (0x815C is U+2015)
        {u"\u2016", "?"},  // double vertical line (0x8161 is U+2225)
        {u"\u203E", "?"},  // overline
        {u"\u2212", "?"},  // minus sign (0x817C is U+FF0D)
        {u"\u301C", "?"},  // wave dash (0x8160 is U+FF5E)
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ToAnsi(c.text), c.bytes) << ::testing::PrintToString(c.text);
    }
    EXPECT_EQ(Asc(u"\uF8F0"), 0xA0);
    EXPECT_EQ(Asc(u"\u00C0"), 'A');
}

TEST(AnsiCodePage, CharactersTheCodePageLacksBecomeAQuestionMark) {
    EXPECT_EQ(ToAnsi(u"a\u0E01b"), "a?b");  // Thai
    // Outside the BMP each half of the surrogate pair is one, as on Windows; a lone
    // surrogate is one too and takes nothing after it along.
    EXPECT_EQ(ToAnsi(u"\U0001F600a"), "??a");
    EXPECT_EQ(ToAnsi(std::u16string{char16_t{0xD800}, u'A'}), "?A");
    EXPECT_EQ(ToAnsi(std::u16string{char16_t{0xDC00}, u'A'}), "?A");
    EXPECT_EQ(ToAnsi(u"\u3042\u0E01\u3042"), "\x82\xA0?\x82\xA0");
}

TEST(AnsiCodePage, ChrAndAscUseSingleBytesAndSignedDoubleByteCodes) {
    EXPECT_EQ(Chr(65), u"A");
    EXPECT_EQ(Chr(0), u"\0"s);
    EXPECT_EQ(Chr(0xB1), u"\uFF71");
    EXPECT_EQ(Chr(static_cast<std::int16_t>(0x82A0)), u"\u3042");

    EXPECT_EQ(Asc(u"A"), 65);
    EXPECT_EQ(Asc(u"abc"), 97) << "only the first character counts";
    EXPECT_EQ(Asc(u"\uFF71"), 0xB1);
    EXPECT_EQ(Asc(u"\u3042"), static_cast<std::int16_t>(0x82A0));
    EXPECT_LT(Asc(u"\u3042"), 0);
    EXPECT_EQ(Asc(u"\u0E01"), 63) << "a character the code page lacks is '?'";

    for (int code = 1; code < 0x80; ++code) {
        EXPECT_EQ(Asc(Chr(static_cast<std::int16_t>(code))), code);
    }
}

TEST(AnsiCodePage, AscOfTheEmptyStringIsAnInvalidProcedureCall) {
    try {
        Asc(u"");
        FAIL() << "no error raised";
    } catch (const RuntimeError& error) {
        EXPECT_EQ(error.number(), ErrorNumber::InvalidProcedureCall);
    }
}

}  // namespace
