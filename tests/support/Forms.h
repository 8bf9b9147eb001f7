// Test helpers over the program's three forms, for every backend.
#pragma once

#include "core/modKimoro.h"
#include "forms/frmAbout.h"
#include "forms/frmKimoro.h"
#include "forms/frmWinDIR.h"
#include "support/Driver.h"

#include <functional>
#include <string>

#include <gtest/gtest.h>

// Unloads every form, without loading one that is not loaded, so a test starts from nothing.
inline void UnloadAllForms() {
    Form* forms[] = {&FormInstance<AboutForm>(), &FormInstance<WinDIRForm>(),
                     &FormInstance<KimoroForm>()};
    for (Form* form : forms) form->Unload();
    ProcessEvents();
}

// Closes the active modal window, a message box or one of the dialogs; false when none is up.
inline bool CloseActiveModal() {
    if (ActiveMessageBox()) {
        CloseActiveMessageBox();
        return true;
    }
    Form* dialogs[] = {&FormInstance<AboutForm>(), &FormInstance<WinDIRForm>()};
    for (Form* dialog : dialogs) {
        if (dialog->Loaded() && IsActiveModal(*dialog)) {
            dialog->Unload();
            return true;
        }
    }
    return false;
}

// Issues `command`, which shows the dialog F modally, and runs `inspect` while it is open;
// whatever `inspect` leaves open is closed with the dialog's `okButton` afterwards.
template <class F>
void WhileDialogOpen(const std::u16string& command, const char* okButton,
                     const std::function<void(F& dialog)>& inspect) {
    bool appeared = false;
    WhenModalAppears([&] {
        appeared = true;
        ASSERT_TRUE(FormInstance<F>().Loaded());
        EXPECT_TRUE(IsActiveModal(FormInstance<F>()));
        inspect(FormInstance<F>());
        if (FormInstance<F>().Loaded()) Click(FormInstance<F>(), okButton);
    });
    RunCommand(command);
    EXPECT_TRUE(appeared);
    EXPECT_FALSE(FormInstance<F>().Loaded());
    ProcessEvents();
}
