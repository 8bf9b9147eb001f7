// Windows whose showing is over, kept for screen readers.
#pragma once

class QWidget;

// Hides a window whose showing is over (a form's, a message box's) and keeps it, hidden, until
// the next one closes; the last until the application goes. A screen reader asks about a
// window after it was told the window went inactive: Orca 48 takes one that no longer answers
// for lost state and then leaves the window the user is back in, and the next dialog's texts,
// unsaid. And Qt gives a new accessible object the number of one gone, so that a screen reader
// would take the parts of a box shown at once after another for those it had.
void KeepClosedWindow(QWidget* window);
