// What only an X11 window manager can say or be asked, over Qt's own connection to the
// display: the frame it will draw around a window, and the taskbar state of a window. On
// any other platform (Qt's offscreen one in the tests) there is none to ask.
#pragma once

#include "platform/Backend.h"

#include <optional>

class QWidget;

// The frame the window manager will draw around `window`, asked for before the window is
// mapped (_NET_REQUEST_FRAME_EXTENTS, answered in _NET_FRAME_EXTENTS). Nothing when there is
// no X11 window manager, or when it does not answer within a short wait; once one has
// failed to answer, it is not asked again. Creates the native window.
std::optional<PixelMargins> FrameFromWindowManager(QWidget* window);

// The frame the window manager says it draws around the mapped `window`, if it says.
std::optional<PixelMargins> FrameDrawn(QWidget* window);

// Asks taskbars to leave the window out (_NET_WM_STATE_SKIP_TASKBAR), set on the native
// window before it is mapped. Does nothing where there is no X11 display.
void SkipTaskbar(QWidget* window);
