// Twips and pixels. Positions are kept in whole pixels, so every value reads back snapped.
#pragma once

#include "platform/FormDesign.h"

// Twips per pixel of the screen: 1440 / its logical DPI (15 at 96 DPI).
double TwipsPerPixel();

// Nearest whole pixel of a length in twips. Raises Overflow beyond the window system's
// 16-bit coordinates.
int TwipsToPixels(double twips);

// A size in twips as whole pixels; raises InvalidPropertyValue when it is negative.
int SizeToPixels(double twips);

// The frame of a form around its client area, in pixels. A window manager decorates a
// window only after it is shown, and each one differently, so a form's outer size is
// reckoned with these nominal margins (those of the classic Windows fixed frames).
// That keeps Width and Height the same before and after the form is shown.
struct FrameMargins {
    int left, top, right, bottom;
};
FrameMargins NominalFrame(BorderStyle style);
