// Where Windows' own code page 932 (MultiByteToWideChar and WideCharToMultiByte with no
// flags) differs from glibc's CP932, measured over every byte, every pair of bytes and every
// UTF-16 code unit. AnsiCodePage.cpp applies these around iconv so that both builds agree.
#pragma once

#include <string_view>

namespace cp932 {

// Windows' lead bytes. A lead byte followed by any byte but NUL is one double-byte
// sequence to Windows, assigned or not; glibc gives up at the lead byte and reads the
// second byte on its own.
constexpr bool IsLeadByte(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

struct SingleByte {
    unsigned char byte;
    char16_t character;
};

// Single bytes Windows decodes and glibc does not.
inline constexpr SingleByte kSingleBytes[] = {
    {0x80, u'\u0080'}, {0xA0, u'\uF8F0'}, {0xFD, u'\uF8F1'}, {0xFE, u'\uF8F2'}, {0xFF, u'\uF8F3'},
};

struct Encoding {
    char16_t character;
    std::string_view bytes;
};

// Characters Windows encodes otherwise, sorted by character: its best-fit mappings of
// Latin-1 letters and signs and of U+3094, the characters of the single bytes above, and
// five characters glibc maps that Windows lacks ("?").
inline constexpr Encoding kEncodings[] = {
    // clang-format off
    {u'\u0080', "\x80"}, {u'\u00A1', "!"}, {u'\u00A6', "|"}, {u'\u00A9', "c"}, {u'\u00AA', "a"},
    {u'\u00AB', "\x81\xE1"}, {u'\u00AD', "-"}, {u'\u00AE', "R"}, {u'\u00AF', "\x81\x50"},
    {u'\u00B2', "2"}, {u'\u00B3', "3"}, {u'\u00B5', "\x83\xCA"}, {u'\u00B7', "\x81\x45"},
    {u'\u00B8', "\x81\x43"}, {u'\u00B9', "1"}, {u'\u00BA', "o"}, {u'\u00BB', "\x81\xE2"},
    {u'\u00C0', "A"}, {u'\u00C1', "A"}, {u'\u00C2', "A"}, {u'\u00C3', "A"}, {u'\u00C4', "A"},
    {u'\u00C5', "A"}, {u'\u00C6', "A"}, {u'\u00C7', "C"}, {u'\u00C8', "E"}, {u'\u00C9', "E"},
    {u'\u00CA', "E"}, {u'\u00CB', "E"}, {u'\u00CC', "I"}, {u'\u00CD', "I"}, {u'\u00CE', "I"},
    {u'\u00CF', "I"}, {u'\u00D0', "D"}, {u'\u00D1', "N"}, {u'\u00D2', "O"}, {u'\u00D3', "O"},
    {u'\u00D4', "O"}, {u'\u00D5', "O"}, {u'\u00D6', "O"}, {u'\u00D8', "O"}, {u'\u00D9', "U"},
    {u'\u00DA', "U"}, {u'\u00DB', "U"}, {u'\u00DC', "U"}, {u'\u00DD', "Y"}, {u'\u00DE', "T"},
    {u'\u00DF', "s"}, {u'\u00E0', "a"}, {u'\u00E1', "a"}, {u'\u00E2', "a"}, {u'\u00E3', "a"},
    {u'\u00E4', "a"}, {u'\u00E5', "a"}, {u'\u00E6', "a"}, {u'\u00E7', "c"}, {u'\u00E8', "e"},
    {u'\u00E9', "e"}, {u'\u00EA', "e"}, {u'\u00EB', "e"}, {u'\u00EC', "i"}, {u'\u00ED', "i"},
    {u'\u00EE', "i"}, {u'\u00EF', "i"}, {u'\u00F0', "d"}, {u'\u00F1', "n"}, {u'\u00F2', "o"},
    {u'\u00F3', "o"}, {u'\u00F4', "o"}, {u'\u00F5', "o"}, {u'\u00F6', "o"}, {u'\u00F8', "o"},
    {u'\u00F9', "u"}, {u'\u00FA', "u"}, {u'\u00FB', "u"}, {u'\u00FC', "u"}, {u'\u00FD', "y"},
    {u'\u00FE', "t"}, {u'\u00FF', "y"}, {u'\u2014', "?"}, {u'\u2016', "?"}, {u'\u203E', "?"},
    {u'\u2212', "?"}, {u'\u301C', "?"}, {u'\u3094', "\x83\x94"}, {u'\uF8F0', "\xA0"},
    {u'\uF8F1', "\xFD"}, {u'\uF8F2', "\xFE"}, {u'\uF8F3', "\xFF"},
    // clang-format on
};

}  // namespace cp932
