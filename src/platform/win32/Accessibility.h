// What screen readers (through Active Accessibility and UI Automation) learn of the program's
// windows beyond what Windows' standard accessible objects tell them.
#pragma once

#include "platform/Backend.h"

#include <windows.h>

#include <functional>

// Screen readers get the window's standard object in the role `role` gives whenever they ask
// for it: a dialog, whose texts they read as it opens, or a link, whose default action
// clicks it; in any other role the standard object as it is.
void ShowInRole(HWND window, std::function<AccessibleRole()> role);

// A label whose new texts screen readers speak as they come, after what they are saying.
void MakeLiveRegion(HWND label);
void ForgetLiveRegion(HWND label);  // before the label's window goes
void AnnounceLiveRegion(HWND label);
