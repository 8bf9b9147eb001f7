// Which display the program shows its windows on.
#pragma once

// Where an X display answers, the program runs on it, in a Wayland session too (through
// XWayland): X11 window managers honour what the designs ask of a window (its position, no
// close button and no minimizing for the dialogs, no taskbar entry for the About dialog), which
// Wayland leaves to the compositor. Where only a Wayland display answers, it runs there. A
// platform the user names in QT_QPA_PLATFORM wins. Without a display that answers, says in one
// line what was tried and ends the process with status 1.
//
// Returns true when it chose the platform for Qt: QT_QPA_PLATFORM then holds the choice until
// QApplication is up, and no longer, so that programs the program starts choose for themselves.
bool ChooseDisplayOrExit();
