// The program's thread of windows: its hidden application window and its messages.
#pragma once

#include <windows.h>

// A hidden top-level window: it owns the dialogs that open over no window of the program
// and runs the tasks posted to the event loop.
HWND ApplicationWindow();

// One message of any loop of the program, the nested ones included: the form's keyboard
// sees it first, then its window.
void ProcessMessage(MSG& message);
