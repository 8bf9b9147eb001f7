// The screen: its resolution, and the areas forms are centred in.
#include "platform/Backend.h"

#include <QApplication>
#include <QScreen>
#include <QWidget>

namespace {

PixelRect ToPixelRect(const QRect& rect) {
    return {rect.x(), rect.y(), rect.width(), rect.height()};
}

}  // namespace

double TwipsPerPixel() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const double dpi = screen ? screen->logicalDotsPerInchX() : 96.0;
    return 1440.0 / (dpi > 0 ? dpi : 96.0);
}

PixelRect StartUpArea(StartUpPosition position) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (position == StartUpPosition::CenterOwner) {
        if (const QWidget* owner = QApplication::activeWindow()) {
            return ToPixelRect(owner->frameGeometry());
        }
        return ToPixelRect(screen ? screen->availableGeometry() : QRect(0, 0, 800, 600));
    }
    return ToPixelRect(screen ? screen->geometry() : QRect(0, 0, 800, 600));
}
