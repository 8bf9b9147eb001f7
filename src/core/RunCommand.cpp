#include "core/modKimoro.h"
#include "forms/frmAbout.h"
#include "forms/frmKimoro.h"
#include "forms/frmWinDIR.h"
#include "platform/Runtime.h"
#include "system/SystemInfo.h"

#include <cstdint>

namespace {

void ShowGreeting() {
    // A whole-number draw of 0 to 6 picks one of the seven greetings 1000 to 1006.
    const auto n = static_cast<std::uint8_t>(static_cast<double>(Rnd()) * 7);
    Control& label = frmKimoro().lblKimoro();
    label.SetCaption(LoadResString(static_cast<std::int16_t>(1000 + n)));
    // The greeting shows for 2.5 s after the latest press: setting the interval restarts it.
    frmKimoro().timKimoro().SetInterval(2500);
}

}  // namespace

// No error trap: every caller discards what passes out of here.
void RunCommand(std::u16string command) {
    if (command == u"P") {
        // Only while the main window is loaded: referring to it would load it again, hidden,
        // and the process would never end.
        if (FormInstance<KimoroForm>().Loaded()) ShowGreeting();
    } else if (command == u"A") {
        frmAbout().Show(ShowStyle::Modal);
    } else if (command == u"S") {
        LaunchSystemInfo();
    } else if (command == u"W") {
        frmWinDIR().Show(ShowStyle::Modal);
    } else if (command == u"X") {
        FormInstance<KimoroForm>().Unload();  // an unloaded main window is not loaded first
    }
}
