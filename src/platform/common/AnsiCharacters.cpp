// Characters and their ANSI codes, through the code page's conversions.
#include "platform/AnsiCodePage.h"

#include "platform/RuntimeError.h"

std::u16string Chr(std::int16_t code) {
    const auto unsignedCode = static_cast<std::uint16_t>(code);
    if (unsignedCode < 0x100) return FromAnsi(std::string(1, static_cast<char>(unsignedCode)));
    const char bytes[2] = {static_cast<char>(unsignedCode >> 8),
                           static_cast<char>(unsignedCode & 0xFF)};
    return FromAnsi(std::string_view(bytes, 2));
}

std::int16_t Asc(std::u16string_view text) {
    if (text.empty()) {
        throw RuntimeError(ErrorNumber::InvalidProcedureCall, "Invalid procedure call or argument");
    }
    const std::string bytes = ToAnsi(text.substr(0, 1));
    if (bytes.size() == 1) return static_cast<unsigned char>(bytes[0]);
    return static_cast<std::int16_t>(static_cast<unsigned char>(bytes[0]) << 8 |
                                     static_cast<unsigned char>(bytes[1]));
}
