#include "core/modKimoro.h"
#include "forms/frmKimoro.h"
#include "platform/Runtime.h"

// No error trap: a failure here goes to the runtime's default handling.
void StartApplication() {
    Randomize();
    if (App::PrevInstance()) {
        MsgBox(LoadResString(1101), MsgBoxStyle::Information);
        MsgBox(LoadResString(1102), MsgBoxStyle::Information);
        End();
    }
    frmKimoro().Show();
}
