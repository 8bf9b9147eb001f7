// Forms and controls: the windows of the program, built from their designs by the backend.
//
// A form class derives from Form, passes its design to the constructor, overrides the
// event procedures it handles and binds its controls' events. The program reaches each
// form by its name through FormReference, which creates and loads the form on the first
// reference after start or after an Unload, like every later reference that finds it
// unloaded.
//
// Units: a form's Left, Top, Width and Height are in twips and give its outer rectangle,
// frame included, already inside Form_Load. A control's are in its form's scale units.
// Every value reads back as it was applied to the window system, i.e. snapped to whole
// pixels. Negative sizes raise InvalidPropertyValue; values beyond the window system's
// range raise Overflow.
#pragma once

#include "FormDesign.h"
#include "Handles.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class ControlImpl;  // the backend's side of a control
struct PixelRect;

enum class ShowStyle { Modeless = 0, Modal = 1 };

class Control {
public:
    // Label or button text. Setting it on an AutoSize label resizes the label to the text
    // in its font, frame included. An "&" on a button marks its access key (Alt+letter).
    std::u16string Caption() const;
    void SetCaption(std::u16string_view caption);

    float Left() const;
    float Top() const;
    float Width() const;
    float Height() const;
    void SetLeft(float value);
    void SetTop(float value);
    void SetWidth(float value);
    void SetHeight(float value);

    // Timer: milliseconds between ticks; 0 stops it. Setting it restarts the count.
    std::int32_t Interval() const;
    void SetInterval(std::int32_t milliseconds);

    const ControlDesign& design() const;

private:
    friend class Form;
    Control(const ControlDesign& design, float scaleWidth, float scaleHeight, ControlImpl& impl,
            const double& twipsPerPixel);
    const ControlDesign* design_;
    float scaleWidth_, scaleHeight_;  // twips per unit of the form's scale
    ControlImpl* impl_;
    const double* twipsPerPixel_;  // the form's: it changes with the monitor's DPI
    std::int32_t interval_ = 0;
};

class Form {
public:
    explicit Form(const FormDesign& design);
    virtual ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    // Creates the window and controls from the design, then runs Form_Load. Does nothing
    // when the form is loaded already.
    void Load();
    bool Loaded() const;

    // Modeless: shows the window and returns at once. Modal: shows it, disables input to
    // every other window (their timers still tick) and runs a nested event loop that
    // returns once the form is unloaded. A modal Show of a form that is already shown
    // raises FormAlreadyDisplayed.
    void Show(ShowStyle style = ShowStyle::Modeless);

    // Destroys the window and its controls. When no form is loaded and no procedure runs
    // any more, the process ends.
    void Unload();

    std::u16string Caption() const;  // the title bar
    void SetCaption(std::u16string_view caption);
    float Left() const;
    float Top() const;
    float Width() const;
    float Height() const;
    void SetLeft(float twips);
    void SetTop(float twips);
    void SetWidth(float twips);
    void SetHeight(float twips);
    WindowHandle hWnd() const;

    // A control by its design name (and index, for an element of a control array).
    // Referring to a control loads its form.
    Control& control(std::string_view name, std::int16_t index = -1);

    const FormDesign& design() const { return design_; }

protected:
    virtual void Form_Load() {}
    // Every character typed while the form is active, before the focused control gets it,
    // on a form designed to preview keys. The code written back is what the control gets.
    virtual void Form_KeyPress(std::int16_t& KeyAscii) { (void)KeyAscii; }

    void OnClick(std::string_view control, std::function<void(std::int16_t index)> handler);
    void OnTimer(std::string_view control, std::function<void()> handler);

private:
    class Events;   // what the window system tells the form
    struct Window;  // the window and controls of the loaded form
    Window& window() const;
    // One side of the outer rectangle, in twips.
    float Side(int PixelRect::*side) const;
    void SetSide(int PixelRect::*side, float twips);
    void ChangeTwipsPerPixel(double twipsPerPixel, const PixelRect& suggested);

    const FormDesign& design_;
    std::unique_ptr<Events> events_;
    std::unique_ptr<Window> window_;  // null while the form is not loaded
    struct Binding {
        std::string control;
        std::function<void(std::int16_t)> click;
        std::function<void()> timer;
    };
    std::vector<Binding> bindings_;
};

// The forms loaded now.
int LoadedFormCount();

// The one instance of a form class, loaded or not.
template <class F>
F& FormInstance() {
    static F* const form = new F();  // lives as long as the process, like its name
    return *form;
}

// The form reached by its name: referring to it loads it.
template <class F>
F& FormReference() {
    F& form = FormInstance<F>();
    form.Load();
    return form;
}
