// Controls on Qt Widgets: captions, geometry in the form's scale units, timers.
#include "platform/Form.h"

#include "platform/RuntimeError.h"
#include "platform/qt/FormWindow.h"
#include "platform/qt/Text.h"
#include "platform/qt/Units.h"

#include <QLabel>
#include <QPushButton>

namespace {

[[noreturn]] void NotSupported() {
    throw RuntimeError(ErrorNumber::InvalidPropertyValue, "Object doesn't support this property");
}

double ScaleX(const ControlImpl& control) { return control.form.form.design().scaleWidth; }
double ScaleY(const ControlImpl& control) { return control.form.form.design().scaleHeight; }

QWidget& WidgetOf(const ControlImpl* control) {
    if (control->widget == nullptr) NotSupported();
    return *control->widget;
}

}  // namespace

const ControlDesign& Control::design() const { return impl_->design; }

std::u16string Control::Caption() const {
    if (auto* button = qobject_cast<QPushButton*>(impl_->widget)) return ToU16(button->text());
    if (impl_->design.type == ControlType::Label) {
        return ToU16(static_cast<QLabel*>(impl_->widget)->text());
    }
    NotSupported();
}

void Control::SetCaption(std::u16string_view caption) {
    if (auto* button = qobject_cast<QPushButton*>(impl_->widget)) {
        button->setText(ToQString(caption));
        return;
    }
    if (impl_->design.type != ControlType::Label) NotSupported();
    static_cast<QLabel*>(impl_->widget)->setText(ToQString(caption));
    AutoSize(*impl_);
}

float Control::Left() const {
    return static_cast<float>(WidgetOf(impl_).x() * TwipsPerPixel() / ScaleX(*impl_));
}
float Control::Top() const {
    return static_cast<float>(WidgetOf(impl_).y() * TwipsPerPixel() / ScaleY(*impl_));
}
float Control::Width() const {
    return static_cast<float>(WidgetOf(impl_).width() * TwipsPerPixel() / ScaleX(*impl_));
}
float Control::Height() const {
    return static_cast<float>(WidgetOf(impl_).height() * TwipsPerPixel() / ScaleY(*impl_));
}

void Control::SetLeft(float value) {
    QWidget& widget = WidgetOf(impl_);
    widget.move(TwipsToPixels(value * ScaleX(*impl_)), widget.y());
}
void Control::SetTop(float value) {
    QWidget& widget = WidgetOf(impl_);
    widget.move(widget.x(), TwipsToPixels(value * ScaleY(*impl_)));
}
void Control::SetWidth(float value) {
    QWidget& widget = WidgetOf(impl_);
    widget.resize(SizeToPixels(value * ScaleX(*impl_)), widget.height());
}
void Control::SetHeight(float value) {
    QWidget& widget = WidgetOf(impl_);
    widget.resize(widget.width(), SizeToPixels(value * ScaleY(*impl_)));
}

std::int32_t Control::Interval() const {
    if (impl_->timer == nullptr) NotSupported();
    return impl_->interval;
}

void Control::SetInterval(std::int32_t milliseconds) {
    if (impl_->timer == nullptr) NotSupported();
    if (milliseconds < 0) {
        throw RuntimeError(ErrorNumber::InvalidPropertyValue, "Invalid property value");
    }
    impl_->interval = milliseconds;
    ApplyTimer(*impl_);
}
