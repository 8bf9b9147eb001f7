// The screen: its resolution, the areas forms are centred in, and the frames around them.
#pragma once

#include "platform/FormDesign.h"

// The frame of a form around its client area, in pixels. A window manager decorates a
// window only after it is shown, and each one differently, so a form's outer size is
// reckoned with these nominal margins (those of the classic Windows fixed frames). That
// keeps Width and Height the same before and after the form is shown.
struct FrameMargins {
    int left, top, right, bottom;
};
FrameMargins NominalFrame(BorderStyle style);
