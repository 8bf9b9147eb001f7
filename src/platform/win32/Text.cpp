#include "platform/Runtime.h"

#include <windows.h>

std::u16string UCase(std::u16string_view text) {
    std::u16string upper(text);
    // One character for one, in place: a character whose upper case is longer keeps its form.
    if (!upper.empty()) {
        CharUpperBuffW(reinterpret_cast<wchar_t*>(upper.data()), static_cast<DWORD>(upper.size()));
    }
    return upper;
}
