// Controls: captions, geometry in the form's scale units, timers, and which control kind
// supports which property.
#include "platform/Form.h"

#include "platform/Backend.h"
#include "platform/RuntimeError.h"
#include "platform/common/FormRules.h"

namespace {

[[noreturn]] void NotSupported() {
    throw RuntimeError(ErrorNumber::InvalidPropertyValue, "Object doesn't support this property");
}

bool HasCaption(ControlType type) {
    return type == ControlType::Button || type == ControlType::Label;
}

}  // namespace

Control::Control(const ControlDesign& design, float scaleWidth, float scaleHeight,
                 ControlImpl& impl, const double& twipsPerPixel)
    : design_(&design),
      scaleWidth_(scaleWidth),
      scaleHeight_(scaleHeight),
      impl_(&impl),
      twipsPerPixel_(&twipsPerPixel) {}

const ControlDesign& Control::design() const { return *design_; }

std::u16string Control::Caption() const {
    if (!HasCaption(design_->type)) NotSupported();
    return impl_->Text();
}

void Control::SetCaption(std::u16string_view caption) {
    if (!HasCaption(design_->type)) NotSupported();
    impl_->SetText(caption);
    if (design_->type == ControlType::Label && design_->autoSize) impl_->FitToContent();
    if (AnnouncesCaption(*design_, caption)) impl_->Announce();
}

namespace {

// A control's rectangle, or NotSupported for a timer.
PixelRect RectOf(const ControlDesign& design, const ControlImpl& impl) {
    if (design.type == ControlType::Timer) NotSupported();
    return impl.Rect();
}

float ToUnits(int pixels, double twipsPerUnit, double twipsPerPixel) {
    return static_cast<float>(pixels * twipsPerPixel / twipsPerUnit);
}

// Moves one side of a control; a timer has none, which is reported before the value.
void SetSide(const ControlDesign& design, ControlImpl& impl, int PixelRect::*side,
             int (*toPixels)(double, double), float value, double twipsPerUnit,
             double twipsPerPixel) {
    PixelRect rect = RectOf(design, impl);
    rect.*side = toPixels(value * twipsPerUnit, twipsPerPixel);
    impl.SetRect(rect);
}

}  // namespace

float Control::Left() const {
    return ToUnits(RectOf(*design_, *impl_).left, scaleWidth_, *twipsPerPixel_);
}
float Control::Top() const {
    return ToUnits(RectOf(*design_, *impl_).top, scaleHeight_, *twipsPerPixel_);
}
float Control::Width() const {
    return ToUnits(RectOf(*design_, *impl_).width, scaleWidth_, *twipsPerPixel_);
}
float Control::Height() const {
    return ToUnits(RectOf(*design_, *impl_).height, scaleHeight_, *twipsPerPixel_);
}

void Control::SetLeft(float value) {
    SetSide(*design_, *impl_, &PixelRect::left, TwipsToPixels, value, scaleWidth_, *twipsPerPixel_);
}
void Control::SetTop(float value) {
    SetSide(*design_, *impl_, &PixelRect::top, TwipsToPixels, value, scaleHeight_, *twipsPerPixel_);
}
void Control::SetWidth(float value) {
    SetSide(*design_, *impl_, &PixelRect::width, SizeToPixels, value, scaleWidth_, *twipsPerPixel_);
}
void Control::SetHeight(float value) {
    SetSide(*design_, *impl_, &PixelRect::height, SizeToPixels, value, scaleHeight_,
            *twipsPerPixel_);
}

std::int32_t Control::Interval() const {
    if (design_->type != ControlType::Timer) NotSupported();
    return interval_;
}

void Control::SetInterval(std::int32_t milliseconds) {
    if (design_->type != ControlType::Timer) NotSupported();
    if (milliseconds < 0) {
        throw RuntimeError(ErrorNumber::InvalidPropertyValue, "Invalid property value");
    }
    interval_ = milliseconds;
    if (ShouldTick(design_->timerEnabled, interval_)) {
        impl_->StartTimer(interval_);  // restarts the count
    } else {
        impl_->StopTimer();
    }
}
