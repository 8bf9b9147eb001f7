#include "core/modKimoro.h"
#include "platform/AnsiCodePage.h"
#include "platform/ErrorModes.h"
#include "platform/Runtime.h"

namespace {

// A fixed-length string of one character: what is stored is cut or padded with a space.
std::u16string FitOneCharacter(std::u16string_view text) {
    return text.empty() ? std::u16string(u" ") : std::u16string(text.substr(0, 1));
}

constexpr std::int16_t kCodeOfS = 83;

}  // namespace

void MapKeyToCommand(std::int16_t& KeyAscii, std::u16string context) {
    const ResumeNext statement;
    std::u16string buffer = u" ";
    statement([&] { buffer = FitOneCharacter(Chr(KeyAscii)); });
    statement([&] { KeyAscii = Asc(UCase(buffer)); });
    if (statement.If([&] { return context == u"Main"; })) {
        // S would start the system-information tool; the main window offers no such command.
        if (statement.If([&] { return KeyAscii == kCodeOfS; })) return;
    }
    statement([&] { RunCommand(Chr(KeyAscii)); });
}
