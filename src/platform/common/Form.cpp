// Forms: loading from the design, showing (modal with a nested loop), unloading, the
// form's own properties, and the events its window reports.
#include "platform/Form.h"

#include "platform/AnsiCodePage.h"
#include "platform/Backend.h"
#include "platform/RuntimeError.h"
#include "platform/common/FormRules.h"
#include "platform/common/Lifetime.h"
#include "platform/common/Modality.h"

#include <algorithm>
#include <cassert>

namespace {

int loadedForms = 0;

// A form is placed by the frame the window system draws around it, and measured by the
// classic frame: its client area is the same on every desktop.
bool Places(int PixelRect::*side) { return side == &PixelRect::left || side == &PixelRect::top; }
PixelMargins FrameFor(int PixelRect::*side, const FormImpl& window, double twipsPerPixel) {
    return Places(side) ? window.Frame() : ClassicFrame(twipsPerPixel);
}

}  // namespace

int LoadedFormCount() { return loadedForms; }

class Form::Events final : public FormEvents {
public:
    explicit Events(Form& form) : form_(form) {}

    // Input to a form behind a modal window is dropped here, however it reached the window.
    void Clicked(std::size_t control) override {
        if (!TakesInput(form_)) return;
        const ControlDesign& design = form_.design_.controls[control];
        // The bindings outlive an unload that a handler does: the loop may go on safely.
        for (const Binding& binding : form_.bindings_) {
            if (binding.control == design.name && binding.click) binding.click(design.index);
        }
    }

    AccessibleRole WindowRole() const override { return WindowRoleOf(ShownModally(form_)); }

    AccessibleRole ControlRole(std::size_t control) const override {
        const ControlDesign& design = form_.design_.controls[control];
        const bool clickHandled = std::any_of(
            form_.bindings_.begin(), form_.bindings_.end(), [&](const Binding& binding) {
                return binding.control == design.name && binding.click;
            });
        return ControlRoleOf(design, clickHandled);
    }

    void Ticked(std::size_t control) override {
        const ControlDesign& design = form_.design_.controls[control];
        for (const Binding& binding : form_.bindings_) {
            if (binding.control == design.name && binding.timer) binding.timer();
        }
    }

    // The form sees the character's ANSI code and may change it; 0 swallows the key.
    char16_t KeyTyped(char16_t typed) override {
        if (!TakesInput(form_)) return u'\0';
        if (!form_.design_.keyPreview) return typed;
        std::int16_t code = 0;
        try {
            code = Asc(std::u16string_view(&typed, 1));
        } catch (const RuntimeError&) {
            return typed;
        }
        const std::int16_t before = code;
        form_.Form_KeyPress(code);
        if (code == 0) return u'\0';
        if (code == before) return typed;
        const std::u16string changed = Chr(code);
        return changed.empty() ? u'\0' : changed.front();
    }

    void CloseRequested() override {
        if (TakesInput(form_)) form_.Unload();
    }

    void DpiChanged(double twipsPerPixel, const PixelRect& suggested) override {
        form_.ChangeTwipsPerPixel(twipsPerPixel, suggested);
    }

private:
    Form& form_;
};

struct Form::Window {
    double twipsPerPixel = 0;  // of the monitor the window is on
    std::unique_ptr<FormImpl> impl;
    std::vector<Control> controls;  // parallel to the design's controls
    bool shownOnce = false;
};

Form::Form(const FormDesign& design) : design_(design), events_(std::make_unique<Events>(*this)) {}

Form::~Form() = default;

Form::Window& Form::window() const {
    assert(window_ && "a form is loaded by its reference before it is used");
    return *window_;
}

void Form::Load() {
    if (window_) return;
    auto window = std::make_unique<Window>();
    const double twipsPerPixel = window->twipsPerPixel = TwipsPerPixel();
    window->impl = CreateFormImpl(design_, SizeToPixels(design_.clientWidth, twipsPerPixel),
                                  SizeToPixels(design_.clientHeight, twipsPerPixel), *events_);
    for (std::size_t i = 0; i < design_.controls.size(); ++i) {
        const ControlDesign& control = design_.controls[i];
        ControlImpl& impl = window->impl->Control(i);
        window->controls.push_back(
            Control(control, design_.scaleWidth, design_.scaleHeight, impl, window->twipsPerPixel));
        if (control.type == ControlType::Timer) {
            window->controls.back().interval_ = control.interval;
            if (ShouldTick(control.timerEnabled, control.interval))
                impl.StartTimer(control.interval);
            continue;
        }
        // Designed positions are twips, whatever the form's scale.
        impl.SetRect({TwipsToPixels(control.left, twipsPerPixel),
                      TwipsToPixels(control.top, twipsPerPixel),
                      SizeToPixels(control.width, twipsPerPixel),
                      SizeToPixels(control.height, twipsPerPixel)});
        if (control.autoSize) impl.FitToContent();
    }
    window_ = std::move(window);
    ++loadedForms;
    Form_Load();
}

bool Form::Loaded() const { return window_ != nullptr; }

void Form::Show(ShowStyle style) {
    Load();
    Window& window = this->window();
    if (style == ShowStyle::Modal && window.impl->Visible()) {
        throw RuntimeError(ErrorNumber::FormAlreadyDisplayed,
                           "Form already displayed; can't show modally");
    }
    if (!window.shownOnce) {
        window.shownOnce = true;
        const PixelRect drawn = Around(window.impl->ClientRect(), window.impl->Frame());
        window.impl->SetClientRect(
            Within(CentreIn(StartUpArea(design_.startUpPosition), drawn.width, drawn.height),
                   window.impl->Frame()));
    }
    if (style == ShowStyle::Modeless) {
        window.impl->Show();
    } else {
        const ModalScope modal(this);
        window.impl->RunModal();  // until Unload: the window is gone when it returns
    }
}

void Form::Unload() {
    if (!window_) return;
    window_.reset();
    --loadedForms;
    if (loadedForms == 0) NoFormIsLoaded();
}

std::u16string Form::Caption() const { return window().impl->Title(); }
void Form::SetCaption(std::u16string_view caption) { window().impl->SetTitle(caption); }

float Form::Left() const { return Side(&PixelRect::left); }
float Form::Top() const { return Side(&PixelRect::top); }
float Form::Width() const { return Side(&PixelRect::width); }
float Form::Height() const { return Side(&PixelRect::height); }
void Form::SetLeft(float twips) { SetSide(&PixelRect::left, twips); }
void Form::SetTop(float twips) { SetSide(&PixelRect::top, twips); }
void Form::SetWidth(float twips) { SetSide(&PixelRect::width, twips); }
void Form::SetHeight(float twips) { SetSide(&PixelRect::height, twips); }

float Form::Side(int PixelRect::*side) const {
    const Window& window = this->window();
    const PixelMargins frame = FrameFor(side, *window.impl, window.twipsPerPixel);
    return static_cast<float>(Around(window.impl->ClientRect(), frame).*side *
                              window.twipsPerPixel);
}

// A negative Width or Height raises an error before the window moves.
void Form::SetSide(int PixelRect::*side, float twips) {
    const Window& window = this->window();
    const int pixels = Places(side) ? TwipsToPixels(twips, window.twipsPerPixel)
                                    : SizeToPixels(twips, window.twipsPerPixel);
    const PixelMargins frame = FrameFor(side, *window.impl, window.twipsPerPixel);
    PixelRect rect = Around(window.impl->ClientRect(), frame);
    rect.*side = pixels;
    window.impl->SetClientRect(Within(rect, frame));
}

// Every length keeps its twips: controls go back to their places and sizes at the new
// twips per pixel, AutoSize controls measure their content again in the new fonts, and the
// form keeps its Width and Height at the suggested place, which is where its drawn frame goes.
void Form::ChangeTwipsPerPixel(double twipsPerPixel, const PixelRect& suggested) {
    Window& window = this->window();
    const double before = window.twipsPerPixel;
    window.twipsPerPixel = twipsPerPixel;
    const auto rescale = [&](int pixels) { return TwipsToPixels(pixels * before, twipsPerPixel); };
    for (std::size_t i = 0; i < design_.controls.size(); ++i) {
        if (design_.controls[i].type == ControlType::Timer) continue;
        ControlImpl& impl = window.impl->Control(i);
        const PixelRect rect = impl.Rect();
        impl.SetRect(
            {rescale(rect.left), rescale(rect.top), rescale(rect.width), rescale(rect.height)});
        if (design_.controls[i].autoSize) impl.FitToContent();
    }
    const PixelRect classic = Around(window.impl->ClientRect(), ClassicFrame(before));
    const PixelRect client = Within({0, 0, rescale(classic.width), rescale(classic.height)},
                                    ClassicFrame(twipsPerPixel));
    const PixelMargins drawn = window.impl->Frame();
    window.impl->SetClientRect(
        {suggested.left + drawn.left, suggested.top + drawn.top, client.width, client.height});
}

WindowHandle Form::hWnd() const { return window().impl->Handle(); }

Control& Form::control(std::string_view name, std::int16_t index) {
    Load();
    for (Control& control : window().controls) {
        if (control.design().name == name && control.design().index == index) return control;
    }
    throw RuntimeError(ErrorNumber::InvalidProcedureCall, "Control array element doesn't exist");
}

void Form::OnClick(std::string_view control, std::function<void(std::int16_t)> handler) {
    bindings_.push_back({std::string(control), std::move(handler), nullptr});
}

void Form::OnTimer(std::string_view control, std::function<void()> handler) {
    bindings_.push_back({std::string(control), nullptr, std::move(handler)});
}
