// The rules of forms and controls that need no window: units, focus order, the buttons that
// Enter and Esc press, centring, timers, what screen readers are told. The form engine and
// every backend use these.
#pragma once

#include "platform/Backend.h"
#include "platform/FormDesign.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

// The nearest whole pixel of a length in twips. Raises Overflow beyond the window system's
// 16-bit coordinates.
int TwipsToPixels(double twips, double twipsPerPixel);

// A size in twips as whole pixels; raises InvalidPropertyValue when it is negative.
int SizeToPixels(double twips, double twipsPerPixel);

// The whole pixels an AutoSize label gives one line of its text: the text's advance, plus
// what its last glyph draws beyond it (an italic leans out to the right), rounded up so that
// nothing is cut off. Every backend measures labels by this.
int TextLineWidth(double advance, double lastGlyphOverhang);

// Buttons and picture boxes take the focus; labels and timers never do.
bool TakesFocus(ControlType type);

// The controls that take the focus, by their tab index (design order on a tie); the first
// gets the focus when the form loads.
std::vector<std::size_t> TabOrder(const FormDesign& design);

std::optional<std::size_t> DefaultButton(const FormDesign& design);
std::optional<std::size_t> CancelButton(const FormDesign& design);

// The button Enter presses: the focused control when it is a button, else the default one.
std::optional<std::size_t> EnterButton(const FormDesign& design,
                                       std::optional<std::size_t> focused);

// A window of the given outer size centred in `area`: the area's centre pixel (rounding
// towards its top-left on an even size) is the window's (rounding towards its bottom-right).
PixelRect CentreIn(const PixelRect& area, int width, int height);

// The pixel a window placed by CentreIn is centred on, as an area: centred in it at another
// size, the window is where CentreIn would have put it at that size in the first place.
PixelRect CentrePixel(const PixelRect& window);

// The classic frame, which the designs were made on: 3-pixel borders under a 19-pixel
// caption at 96 DPI, in the pixels of the form's DPI. A form's Width and Height are its
// client size plus this frame, whatever frame the window system draws.
PixelMargins ClassicFrame(double twipsPerPixel);

// The rectangle a frame makes around an inner one, and the inner one it leaves of an outer
// one (never below 0 pixels across).
PixelRect Around(const PixelRect& inner, const PixelMargins& frame);
PixelRect Within(const PixelRect& outer, const PixelMargins& frame);

// What screen readers are told a form's window is: a dialog while the form is shown
// modally, else a frame.
AccessibleRole WindowRoleOf(bool shownModally);

// What screen readers are told a control is: a label designed as a live region is one, a
// label whose click the form handles is a link; the rest are what the window system says.
AccessibleRole ControlRoleOf(const ControlDesign& design, bool clickHandled);

// Whether screen readers are told a label's new caption: a live region's, unless it is empty
// (a label emptying itself has nothing to say).
bool AnnouncesCaption(const ControlDesign& design, std::u16string_view caption);

// The font a form or control shows: its designed one, or the runtime's default where its
// design names none.
const FontDesign& EffectiveFont(const FontDesign* designed);

// A timer ticks while it is enabled and its interval is above 0.
bool ShouldTick(bool enabled, std::int32_t interval);
