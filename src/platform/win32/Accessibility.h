// What screen readers (through Active Accessibility and UI Automation) learn of the program's
// windows beyond what Windows' standard accessible objects tell them.
#pragma once

#include <windows.h>

// A form shown modally: a dialog, whose texts a screen reader reads as it opens.
void ShowAsDialog(HWND form);
// A label that does something on a click: a link, whose default action clicks it.
void ShowAsLink(HWND label);

// A label whose new texts screen readers speak as they come, after what they are saying.
void MakeLiveRegion(HWND label);
void ForgetLiveRegion(HWND label);  // before the label's window goes
void AnnounceLiveRegion(HWND label);
