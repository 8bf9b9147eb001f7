// The screen: its resolution, and the frame Windows draws around a form's client area.
#pragma once

#include <windows.h>

int ScreenDpi();  // the logical DPI the program sees (the system's, unless per monitor)

// The DPI of a window, which is the screen's where Windows cannot say.
int WindowDpi(HWND window);

// The outer size of a window of these styles around a client area, for the window's DPI.
SIZE OuterSizeFor(DWORD style, DWORD exStyle, int dpi, int clientWidth, int clientHeight);
