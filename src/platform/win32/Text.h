// Text between the program's UTF-16 strings and the wide strings of the W functions: the
// same code units, only the character type differs.
#pragma once

#include <windows.h>

#include <algorithm>
#include <string>
#include <string_view>

inline std::wstring ToWide(std::u16string_view text) {
    return std::wstring(text.begin(), text.end());
}

inline std::u16string FromWide(std::wstring_view text) {
    return std::u16string(text.begin(), text.end());
}

// The text of a window or control.
inline std::u16string WindowText(HWND window) {
    const int length = GetWindowTextLengthW(window);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(window, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(std::max(copied, 0)));
    return FromWide(text);
}
