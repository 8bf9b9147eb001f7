#include "platform/Runtime.h"

#include <QChar>

std::u16string UCase(std::u16string_view text) {
    std::u16string upper(text);
    for (char16_t& c : upper) {
        // One character for one: a character whose upper case is longer keeps its form.
        if (!QChar::isSurrogate(c)) c = QChar(c).toUpper().unicode();
    }
    return upper;
}
