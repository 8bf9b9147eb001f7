// The seam between the form engine (platform/common/) and a window-system backend
// (platform/qt/ or platform/win32/). Program code never includes this file.
//
// Everything that crosses it is in whole screen pixels and UTF-16 text. Twips, scale units
// and every rule of forms and controls (what a property supports, when a timer ticks, which
// button Enter or Esc presses, the tab order, centring, which form takes input behind a
// modal window, when the program ends) stay in common/; a backend only builds windows from
// a design and reports what happens to them, to disabled windows too.
//
// Re-entry: every FormEvents call may run a nested modal loop, or unload the form and so
// destroy its FormImpl, before it returns. A backend touches nothing of the window after
// such a call unless it has checked that the window is still there.
#pragma once

#include "platform/FormDesign.h"
#include "platform/Handles.h"
#include "platform/Runtime.h"

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

struct PixelRect {
    int left = 0, top = 0, width = 0, height = 0;
    bool operator==(const PixelRect&) const = default;
};

// A window's frame: how far it reaches beyond the client area on each side.
struct PixelMargins {
    int left = 0, top = 0, right = 0, bottom = 0;
    bool operator==(const PixelMargins&) const = default;
};

// What assistive technology (screen readers) is told a form's window or a control is. The
// engine decides it; a backend maps it to its window system's roles.
enum class AccessibleRole {
    Standard,    // what the window system makes of the control: a button, a picture, a text
    Frame,       // a form's window shown modelessly
    Dialog,      // a form's window shown modally: screen readers read its texts as it opens
    Link,        // a label whose click does something, offered as its press action
    LiveRegion,  // a label whose new captions screen readers speak as they come
};

// What a window tells its form, and asks it. Implemented by the engine; the backend never
// sees a Form.
class FormEvents {
public:
    // A button or label was clicked (control: its index in design.controls).
    virtual void Clicked(std::size_t control) = 0;
    // Asked whenever assistive technology asks: the window's role may change as it is shown.
    virtual AccessibleRole WindowRole() const = 0;
    virtual AccessibleRole ControlRole(std::size_t control) const = 0;
    virtual void Ticked(std::size_t control) = 0;
    // A character typed while the form is active, before the focused control gets it; called
    // only on a form designed to preview keys. Returns what the control gets: the same
    // character, another one, or u'\0' for nothing.
    virtual char16_t KeyTyped(char16_t typed) = 0;
    // The window system asked to close the window while Close is still in its system menu.
    virtual void CloseRequested() = 0;
    // The window moved to a monitor of another DPI and the backend has made the controls'
    // fonts for it: the form lays itself out again at the new twips per pixel, at the
    // suggested rectangle's place.
    virtual void DpiChanged(double twipsPerPixel, const PixelRect& suggested) = 0;

protected:
    ~FormEvents() = default;
};

// One control of a loaded form, owned by its FormImpl. A timer has no text and no
// rectangle, and the engine never asks it for either; other controls are never asked to
// start a timer.
class ControlImpl {
public:
    virtual ~ControlImpl() = default;
    virtual std::u16string Text() const = 0;
    virtual void SetText(std::u16string_view text) = 0;
    virtual PixelRect Rect() const = 0;  // in the form's client area
    virtual void SetRect(const PixelRect& rect) = 0;
    // AutoSize: a label takes the size of its text in its font, a picture box of its
    // picture, frame included; the top-left corner stays.
    virtual void FitToContent() = 0;
    virtual void StartTimer(int milliseconds) = 0;  // (re)starts the count
    virtual void StopTimer() = 0;
    // Tells assistive technology that a live region has a new caption, to be spoken.
    virtual void Announce() = 0;
};

// The window of one loaded form with its controls, built from the design by CreateFormImpl
// at the given client size; every control starts at an empty rectangle until the engine
// places it. Destroying it takes the window away at once (the backend may free the memory
// later, once control is back in the loop that unloaded it) and ends a RunModal that runs
// for it.
class FormImpl {
public:
    virtual ~FormImpl() = default;
    // Never 0, and unique among the windows of the process's life.
    virtual WindowHandle Handle() const = 0;
    virtual ControlImpl& Control(std::size_t index) = 0;  // parallel to design.controls
    virtual std::u16string Title() const = 0;
    virtual void SetTitle(std::u16string_view title) = 0;
    // Screen coordinates of the client area.
    virtual PixelRect ClientRect() const = 0;
    virtual void SetClientRect(const PixelRect& rect) = 0;
    // The frame the window system draws around the client area, known before the window is
    // shown as well as it can be.
    virtual PixelMargins Frame() const = 0;
    virtual bool Visible() const = 0;
    virtual void Show() = 0;  // modeless: shows and activates the window, returns at once
    // Shows and activates the window; other windows take no input, their timers tick on.
    // Returns once this FormImpl is destroyed: it touches nothing of itself after that.
    virtual void RunModal() = 0;
};

// Defined once, by the backend that the build picks.
std::unique_ptr<FormImpl> CreateFormImpl(const FormDesign& design, int clientWidth,
                                         int clientHeight, FormEvents& events);
double TwipsPerPixel();                           // 1440 / the screen's logical DPI
PixelRect StartUpArea(StartUpPosition position);  // the active window's or the screen's
// Runs `task` once control is back in an event loop, after the current event is done.
void PostToEventLoop(std::function<void()> task);
// A modal message box, as Runtime.h's MsgBox promises; returns once it is closed.
void ShowMessageBox(std::u16string_view prompt, MsgBoxStyle style);
int RunEventLoop();  // until QuitEventLoop; returns the exit status
void QuitEventLoop(int status);
