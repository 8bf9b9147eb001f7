// The system menu of a form's window: what its title bar may do depends on it.
#pragma once

#include <windows.h>

// Close is in the window's system menu, and not greyed.
bool SystemMenuOffersClose(HWND window);
void ForgetSystemMenu(HWND window);  // the window is going
