// Both dialogs close only through their own buttons: they remove Close from their system
// menu when they load, which takes away the title bar's close control as well.
#pragma once

#include "platform/ErrorModes.h"
#include "platform/Form.h"
#include "platform/Win32.h"

// Two statements of the caller's load procedure; neither result is examined.
inline void RemoveCloseCommand(const Form& form, const ResumeNext& statement) {
    win32::HMENU menu = 0;
    statement([&] { menu = win32::GetSystemMenu(form.hWnd(), 0); });
    // SC_CLOSE as the unsigned command value: widened with its sign (0xFFFFF060) it matches
    // no item, and the dialog would stay closable from its title bar.
    statement([&] { win32::DeleteMenu(menu, win32::SC_CLOSE, win32::MF_BYCOMMAND); });
}
