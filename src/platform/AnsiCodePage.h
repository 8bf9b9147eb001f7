// The system's ANSI code page (932, Shift_JIS): the only place where text is converted
// between the program's UTF-16 strings and ANSI bytes.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The conversions are Windows' own, byte for byte, on every build.

// Every character (UTF-16 unit) becomes its one or two code-page bytes, or the system's
// best fit ("A" for "À"); NUL characters are kept. A character the code page lacks, and
// each half of a surrogate pair, becomes "?".
std::string ToAnsi(std::u16string_view text);

// Every byte or double-byte sequence becomes one character; NUL bytes are kept. A lead
// byte followed by any byte but NUL is a double-byte sequence. A sequence the code page
// lacks, and a lead byte at the end or before a NUL, becomes U+30FB ("・"), as the system
// does.
std::u16string FromAnsi(std::string_view bytes);

// The character of an ANSI character code: codes 0 to 255 are single bytes, any other
// 16-bit code is the double-byte sequence of its high and low byte.
std::u16string Chr(std::int16_t code);

// The ANSI character code of the first character (a double-byte code as a signed 16-bit
// value). Raises InvalidProcedureCall on the empty string.
std::int16_t Asc(std::u16string_view text);
