// The system's ANSI code page, the one the A functions speak (932 on a Japanese system).
#include "platform/AnsiCodePage.h"

#include <windows.h>

#include <algorithm>
#include <string>

namespace {

// The conversions take int lengths; longer text goes through in pieces.
constexpr std::size_t kPiece = 1 << 20;

}  // namespace

std::string ToAnsi(std::u16string_view text) {
    std::string ansi;
    while (!text.empty()) {
        std::size_t length = std::min(text.size(), kPiece);
        if (length < text.size() && (text[length - 1] & 0xFC00) == 0xD800) --length;
        const auto* wide = reinterpret_cast<const wchar_t*>(text.data());
        const int size = WideCharToMultiByte(CP_ACP, 0, wide, static_cast<int>(length), nullptr, 0,
                                             nullptr, nullptr);
        const std::size_t start = ansi.size();
        ansi.resize(start + static_cast<std::size_t>(size));
        WideCharToMultiByte(CP_ACP, 0, wide, static_cast<int>(length), ansi.data() + start, size,
                            nullptr, nullptr);
        text.remove_prefix(length);
    }
    return ansi;
}

std::u16string FromAnsi(std::string_view bytes) {
    std::u16string text;
    while (!bytes.empty()) {
        std::size_t length = std::min(bytes.size(), kPiece);
        // Never split a double-byte character between two pieces.
        if (length < bytes.size()) {
            std::size_t lead = 0;
            while (lead < length) lead += IsDBCSLeadByte(static_cast<BYTE>(bytes[lead])) ? 2 : 1;
            length = std::min(lead, bytes.size());
        }
        const int size =
            MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(length), nullptr, 0);
        const std::size_t start = text.size();
        text.resize(start + static_cast<std::size_t>(size));
        MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(length),
                            reinterpret_cast<wchar_t*>(text.data() + start), size);
        bytes.remove_prefix(length);
    }
    return text;
}
