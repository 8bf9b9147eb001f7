// Screenshots of what the window tests drive, taken when asked (KIMORO_SCREENSHOTS=DIR): the
// screen as KWin shows it, where KWin gives it; else the X11 window given, in its frame. A
// Wayland client cannot be captured otherwise (mutter without GNOME Shell, KWin 6 here).
#pragma once

#include <QString>

// Saves DIR/name.png when asked and it can; false when the X11 window cannot be captured.
bool Screenshot(const QString& name, const QString& x11Window = {});
