// The screen: its resolution, and the frame Windows draws around a form's client area.
#pragma once

#include "platform/Backend.h"

#include <windows.h>

int ScreenDpi();  // the logical DPI the program sees (the system's, unless per monitor)

// The DPI of a window, which is the screen's where Windows cannot say.
int WindowDpi(HWND window);

// The frame Windows draws around the client area of a window of these styles at a DPI.
PixelMargins FrameFor(DWORD style, DWORD exStyle, int dpi);
