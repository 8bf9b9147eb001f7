// Code page 932 through glibc's iconv.
#include "platform/AnsiCodePage.h"

#include "platform/RuntimeError.h"

#include <iconv.h>

#include <cerrno>
#include <cstring>

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

}  // namespace

std::string ToAnsi(std::u16string_view text) {
    std::string utf16le;
    utf16le.reserve(text.size() * 2);
    for (char16_t c : text) {
        utf16le.push_back(static_cast<char>(c & 0xFF));
        utf16le.push_back(static_cast<char>(c >> 8));
    }
    std::string ansi;
    const char* in = utf16le.data();
    std::size_t inLeft = utf16le.size();
    while (ToCp932().Convert(in, inLeft, ansi) > 0) {
        ansi.push_back('?');
        const bool surrogatePair =
            inLeft >= 4 && (static_cast<unsigned char>(in[1]) & 0xFC) == 0xD8;
        const std::size_t skip = surrogatePair ? 4 : 2;
        in += skip;
        inLeft -= skip;
    }
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
        text.push_back(kUndecodable);
        ++in;
        --inLeft;
    }
    return text + FromUtf16Le(utf16le);
}
