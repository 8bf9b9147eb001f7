// Code page 932 through glibc's iconv, with Windows' own table where the two differ.
#include "platform/AnsiCodePage.h"

#include "platform/RuntimeError.h"
#include "platform/linux/Cp932Windows.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <iterator>

namespace {

constexpr char16_t kUndecodable = u'\u30FB';

// One conversion descriptor per direction, reset before every use.
class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {
        if (cd_ == reinterpret_cast<iconv_t>(-1)) {
            throw RuntimeError(ErrorNumber::InvalidProcedureCall, "code page 932 is not available");
        }
    }
    ~Converter() { iconv_close(cd_); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts as much as it can; returns the input bytes left at the first unconvertible
    // sequence (0 when all went through).
    std::size_t Convert(const char*& in, std::size_t& inLeft, std::string& out) {
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        while (inLeft > 0) {
            char chunk[256];
            char* outPtr = chunk;
            std::size_t outLeft = sizeof chunk;
            const std::size_t result =
                iconv(cd_, const_cast<char**>(&in), &inLeft, &outPtr, &outLeft);
            out.append(chunk, static_cast<std::size_t>(outPtr - chunk));
            if (result == static_cast<std::size_t>(-1) && errno != E2BIG) return inLeft;
        }
        return 0;
    }

private:
    iconv_t cd_;
};

Converter& ToCp932() {
    static thread_local Converter converter("CP932", "UTF-16LE");
    return converter;
}

Converter& FromCp932() {
    static thread_local Converter converter("UTF-16LE", "CP932");
    return converter;
}

std::u16string FromUtf16Le(const std::string& bytes) {
    std::u16string text(bytes.size() / 2, u'\0');
    for (std::size_t i = 0; i < text.size(); ++i) {
        text[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                        static_cast<unsigned char>(bytes[2 * i + 1]) << 8);
    }
    return text;
}

static_assert(std::is_sorted(std::begin(cp932::kEncodings), std::end(cp932::kEncodings),
                             [](const cp932::Encoding& a, const cp932::Encoding& b) {
                                 return a.character < b.character;
                             }));

// Windows' bytes for a character glibc encodes otherwise, or null.
const cp932::Encoding* WindowsEncoding(char16_t c) {
    const auto* end = std::end(cp932::kEncodings);
    const auto* found =
        std::lower_bound(std::begin(cp932::kEncodings), end, c,
                         [](const cp932::Encoding& e, char16_t key) { return e.character < key; });
    return found != end && found->character == c ? found : nullptr;
}

// Encodes characters that have no override through iconv, each one it lacks as "?".
void AppendThroughIconv(const std::string& utf16le, std::string& ansi) {
    const char* in = utf16le.data();
    std::size_t inLeft = utf16le.size();
    while (ToCp932().Convert(in, inLeft, ansi) > 0) {
        ansi.push_back('?');
        in += 2;
        inLeft -= 2;
    }
}

}  // namespace

std::string ToAnsi(std::u16string_view text) {
    std::string ansi;
    std::string pending;  // UTF-16LE for iconv
    pending.reserve(text.size() * 2);
    for (char16_t c : text) {
        const cp932::Encoding* windows = WindowsEncoding(c);
        // Every UTF-16 unit is one character, as on Windows: a surrogate, paired or not,
        // is one the code page lacks.
        const bool surrogate = c >= 0xD800 && c <= 0xDFFF;
        if (windows == nullptr && !surrogate) {
            pending.push_back(static_cast<char>(c & 0xFF));
            pending.push_back(static_cast<char>(c >> 8));
            continue;
        }
        AppendThroughIconv(pending, ansi);
        pending.clear();
        if (windows != nullptr) {
            ansi += windows->bytes;
        } else {
            ansi.push_back('?');
        }
    }
    AppendThroughIconv(pending, ansi);
    return ansi;
}

std::u16string FromAnsi(std::string_view bytes) {
    std::u16string text;
    const char* in = bytes.data();
    std::size_t inLeft = bytes.size();
    std::string utf16le;
    while (FromCp932().Convert(in, inLeft, utf16le) > 0) {
        text += FromUtf16Le(utf16le);
        utf16le.clear();
        const auto byte = static_cast<unsigned char>(in[0]);
        const auto* single =
            std::find_if(std::begin(cp932::kSingleBytes), std::end(cp932::kSingleBytes),
                         [byte](const cp932::SingleByte& s) { return s.byte == byte; });
        std::size_t length = 1;
        if (cp932::IsLeadByte(byte) && inLeft >= 2 && in[1] != '\0') {
            text.push_back(kUndecodable);  // a double-byte sequence the code page lacks
            length = 2;
        } else if (single != std::end(cp932::kSingleBytes)) {
            text.push_back(single->character);
        } else {
            text.push_back(kUndecodable);  // a lead byte at the end or before a NUL
        }
        in += length;
        inLeft -= length;
    }
    return text + FromUtf16Le(utf16le);
}
