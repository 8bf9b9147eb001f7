#pragma once

#include "platform/FormDesign.h"

#include <windows.h>

// The GDI font of a design font, or of the runtime's default font for nullptr, at a DPI.
// Fonts live as long as the process: the designs name only a handful, at a DPI or two.
HFONT FontOf(const FontDesign* font, int dpi);
