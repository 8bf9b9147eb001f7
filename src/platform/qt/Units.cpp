#include "platform/qt/Units.h"

#include "platform/RuntimeError.h"

#include <QGuiApplication>
#include <QScreen>

#include <cmath>

double TwipsPerPixel() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const double dpi = screen ? screen->logicalDotsPerInchX() : 96.0;
    return 1440.0 / (dpi > 0 ? dpi : 96.0);
}

int TwipsToPixels(double twips) {
    const double pixels = std::round(twips / TwipsPerPixel());
    if (!(std::fabs(pixels) <= 32767)) throw RuntimeError(ErrorNumber::Overflow, "Overflow");
    return static_cast<int>(pixels);
}

int SizeToPixels(double twips) {
    if (twips < 0) throw RuntimeError(ErrorNumber::InvalidPropertyValue, "Invalid property value");
    return TwipsToPixels(twips);
}

FrameMargins NominalFrame(BorderStyle) {
    // Fixed single and fixed dialog frames are both 3 pixels, under a 19-pixel caption.
    return {3, 22, 3, 3};
}
