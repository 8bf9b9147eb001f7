// The keyboard of forms: what no standard window does for a form of the program.
#pragma once

#include <windows.h>

// Handles a key message on its way to a form's window or control: the key preview, Enter
// and Esc, Tab, and Alt with a button's access key. True when the key is used up; a
// previewed character may be changed in `message` and then goes on.
bool HandleFormKey(MSG& message);

// Gives a new window of a form no input context, so that an input method left on by the user
// in another program composes nothing there: the program takes no text, and its letters are
// keys. The input method's own mode, which the other programs share, stays as it is.
void KeepFromInputMethod(HWND window);
