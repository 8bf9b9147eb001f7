// Text between the program's UTF-16 strings and the wide strings of the W functions: the
// same code units, only the character type differs.
#pragma once

#include <string>
#include <string_view>

inline std::wstring ToWide(std::u16string_view text) {
    return std::wstring(text.begin(), text.end());
}

inline std::u16string FromWide(std::wstring_view text) {
    return std::u16string(text.begin(), text.end());
}
