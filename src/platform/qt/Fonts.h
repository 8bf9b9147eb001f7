#pragma once

#include "platform/FormDesign.h"

#include <QFont>

// The Qt font of a design font, or of the runtime's default font for nullptr.
QFont ToQFont(const FontDesign* font);

// Maps the designs' Japanese face names to the IPA faces installed with the program's
// dependencies; the system's own font configuration maps them to a Latin face.
void InstallFontSubstitutions();
