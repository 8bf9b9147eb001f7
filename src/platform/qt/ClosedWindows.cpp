#include "platform/qt/ClosedWindows.h"

#include <QApplication>
#include <QWidget>

namespace {

constexpr char kClosed[] = "kimoroClosed";  // a window's property: its showing is over

// As the application goes, when no event loop is left to delete them later.
void DeleteClosedWindows() {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->property(kClosed).toBool()) delete window;
    }
}

}  // namespace

void KeepClosedWindow(QWidget* window) {
    window->hide();
    // Deleted later: the window may be in the middle of one of its own events.
    for (QWidget* other : QApplication::topLevelWidgets()) {
        if (other != window && other->property(kClosed).toBool()) other->deleteLater();
    }
    window->setProperty(kClosed, true);
    qRemovePostRoutine(DeleteClosedWindows);  // called once, whatever the number of windows
    qAddPostRoutine(DeleteClosedWindows);
}
