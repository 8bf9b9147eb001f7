// Which display the program shows its windows on.
#pragma once

// Where an X display answers, the program runs on it, in a Wayland session too (through
// XWayland): X11 window managers honour what the designs ask of a window (its position, no
// close button and no minimizing for the dialogs, no taskbar entry for the About dialog), which
// Wayland leaves to the compositor. Where only a Wayland display answers, it runs there. A
// platform the user names in QT_QPA_PLATFORM wins. Without a display that answers, says in one
// line what was tried and ends the process with status 1.
//
// Returns the platform it chose for Qt ("xcb" or "wayland"), for QT_QPA_PLATFORM until
// QApplication is up and no longer, so that programs the program starts choose for
// themselves; nullptr where the user named one.
const char* ChooseDisplayOrExit();

// The display Qt shows the windows on, once QApplication is up (Other: e.g. the tests'
// offscreen platform).
enum class DisplayKind { X11, Wayland, Other };
DisplayKind DisplayInUse();
