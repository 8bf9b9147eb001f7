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
    // A lead byte at the end, and a lead byte followed by a byte that cannot follow it:
    // the lead byte alone is replaced and the next byte is read on its own.
    EXPECT_EQ(FromAnsi("ab\x82"), u"ab\u30FB");
    EXPECT_EQ(FromAnsi("\x82"
                       " x"),
              u"\u30FB x");
    EXPECT_EQ(FromAnsi("\x82\xA0\x82"), u"\u3042\u30FB");
}

TEST(AnsiCodePage, CharactersTheCodePageLacksBecomeAQuestionMark) {
    EXPECT_EQ(ToAnsi(u"a\u0E01b"), "a?b");    // Thai
    EXPECT_EQ(ToAnsi(u"\U0001F600!"), "?!");  // one character outside the BMP
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
