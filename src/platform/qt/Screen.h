// The screen: its resolution, the areas forms are centred in, and the frames around them.
#pragma once

#include "platform/FormDesign.h"

// The frame of a form around its client area, in pixels. A form's outer size is reckoned
// with the frame its window manager says it will draw, asked for before the window is
// shown (WindowManager.h), which keeps Width and Height the same before and after. Where
// no window manager answers, the nominal margins of the classic Windows fixed frames stand
// in for it.
struct FrameMargins {
    int left, top, right, bottom;
    bool operator==(const FrameMargins&) const = default;
};
FrameMargins NominalFrame(BorderStyle style);
