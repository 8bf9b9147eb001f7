// The keyboard of forms: what no standard window does for a form of the program.
#pragma once

#include <windows.h>

// Handles a key message on its way to a form's window or control: the key preview, Enter
// and Esc, Tab, and Alt with a button's access key. True when the key is used up; a
// previewed character may be changed in `message` and then goes on.
bool HandleFormKey(MSG& message);
