// Screenshots of what the window tests drive, taken when asked (KIMORO_SCREENSHOTS=DIR): the
// screen as KWin shows it, where KWin runs; else the X11 window given, in its frame. A
// Wayland client under mutter cannot be captured without GNOME Shell.
#pragma once

#include <QString>

// Saves DIR/name.png when asked; false when a screenshot that can be had failed.
bool Screenshot(const QString& name, const QString& x11Window = {});
