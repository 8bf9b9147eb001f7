// The Qt windows' stand-in for the system menu (the user32 calls of Win32.h): each window
// has its own menu with a Close item until DeleteMenu removes it.
#pragma once

#include "platform/Handles.h"

bool SystemMenuOffersClose(WindowHandle hWnd);
void ForgetSystemMenu(WindowHandle hWnd);  // the window is gone
