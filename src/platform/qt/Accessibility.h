// What assistive technology (screen readers, over AT-SPI on Linux) is told of the forms'
// windows and labels and of the message boxes, beyond what Qt tells of any widget.
#pragma once

class ClickLabel;

// Installs, once, the accessible interfaces of the forms' windows and labels and of the
// message boxes.
void InstallAccessibleInterfaces();

// Tells screen readers the new caption of a label whose changes they speak.
void AnnounceCaption(ClickLabel* label);
