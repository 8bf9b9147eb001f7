#include "system/TextBuffer.h"

#include "platform/RuntimeError.h"

std::u16string CutAtFirstNul(std::u16string_view buffer) {
    const auto nul = buffer.find(u'\0');
    if (nul == std::u16string_view::npos) {
        throw RuntimeError(ErrorNumber::InvalidProcedureCall, "Invalid procedure call or argument");
    }
    return std::u16string(buffer.substr(0, nul));
}
