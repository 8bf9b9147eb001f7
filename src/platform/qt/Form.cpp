// Forms and controls on Qt Widgets.
#include "platform/Form.h"

#include "platform/RuntimeError.h"
#include "platform/qt/Fonts.h"
#include "platform/qt/FormWindow.h"
#include "platform/qt/Pictures.h"
#include "platform/qt/Text.h"
#include "platform/qt/Units.h"
#include "platform/standins/StandIns.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QEventLoop>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

#include <algorithm>
#include <cassert>

namespace {

int loadedForms = 0;
bool endWhenNoFormIsLoaded = false;
WindowHandle nextHandle = 0x10000;

[[noreturn]] void NotSupported() {
    throw RuntimeError(ErrorNumber::InvalidPropertyValue, "Object doesn't support this property");
}

Qt::WindowFlags WindowFlagsOf(const FormDesign& design, bool closeOffered) {
    // A form without a taskbar button is a dialog window, which window managers keep off
    // the taskbar.
    Qt::WindowFlags flags = design.showInTaskbar ? Qt::Window : Qt::Dialog;
    flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint;
    if (design.minButton) flags |= Qt::WindowMinimizeButtonHint;
    if (design.maxButton) flags |= Qt::WindowMaximizeButtonHint;
    if (closeOffered) flags |= Qt::WindowCloseButtonHint;
    return flags;
}

QWidget* CreateWidget(ControlImpl& control, QWidget* parent) {
    const ControlDesign& design = control.design;
    switch (design.type) {
        case ControlType::Button: {
            auto* button = new QPushButton(ToQString(design.caption), parent);
            button->setDefault(design.defaultButton);  // drawn as the default; Enter is ours
            button->setAutoDefault(false);
            button->setFocusPolicy(Qt::StrongFocus);
            QObject::connect(button, &QPushButton::clicked, [&control] {
                control.form.DeliverClick(control.design);
            });
            return button;
        }
        case ControlType::Label: {
            auto* label = new ClickLabel(parent);
            label->setTextFormat(Qt::PlainText);
            label->setIndent(0);
            label->setMargin(0);
            label->setWordWrap(false);
            label->setAlignment((design.centred ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignTop);
            if (design.border) {
                label->setFrameStyle(QFrame::Box | QFrame::Plain);
                label->setLineWidth(1);
            }
            label->setText(ToQString(design.caption));
            label->setFocusPolicy(Qt::NoFocus);
            QObject::connect(label, &ClickLabel::clicked, [&control] {
                control.form.DeliverClick(control.design);
            });
            return label;
        }
        case ControlType::PictureBox: {
            auto* picture = new QLabel(parent);
            picture->setPixmap(PicturePixmap(design.picture));
            picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            if (design.border) {
                picture->setFrameStyle(QFrame::Panel | QFrame::Sunken);
                picture->setLineWidth(2);
            }
            picture->setFocusPolicy(Qt::StrongFocus);
            return picture;
        }
        case ControlType::Timer:
            break;
    }
    return nullptr;
}

void AutoSize(ControlImpl& control) {
    if (!control.design.autoSize || control.widget == nullptr) return;
    control.widget->resize(control.widget->sizeHint());
}

void ApplyTimer(ControlImpl& control) {
    if (control.timerEnabled && control.interval > 0) {
        control.timer->start(control.interval);  // restarts the count
    } else {
        control.timer->stop();
    }
}

double ScaleX(const ControlImpl& control) { return control.form.form.design().scaleWidth; }
double ScaleY(const ControlImpl& control) { return control.form.form.design().scaleHeight; }

QWidget& WidgetOf(const ControlImpl* control) {
    if (control->widget == nullptr) NotSupported();
    return *control->widget;
}

void EndIfNoFormIsLoaded() {
    if (loadedForms > 0 || !endWhenNoFormIsLoaded) return;
    // Queued, so that it happens once the procedure that unloaded the last form is done.
    QTimer::singleShot(0, qApp, [] {
        if (loadedForms == 0) QCoreApplication::exit(0);
    });
}

QRect OwnerRect() {
    if (const QWidget* owner = QApplication::activeWindow()) return owner->frameGeometry();
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect(0, 0, 800, 600);
}

QRect ScreenRect() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry() : QRect(0, 0, 800, 600);
}

}  // namespace

void SetEndWhenNoFormIsLoaded(bool enabled) { endWhenNoFormIsLoaded = enabled; }
int LoadedFormCount() { return loadedForms; }

// ---- FormWindow and ClickLabel ----

void FormWindow::closeEvent(QCloseEvent* event) {
    // The program's own closing (an unload) is not spontaneous; the window system's is.
    if (impl == nullptr || !event->spontaneous()) {
        event->accept();
        return;
    }
    event->ignore();
    if (SystemMenuOffersClose(impl->handle)) impl->form.Unload();
}

void ClickLabel::mouseReleaseEvent(QMouseEvent* event) {
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        emit clicked();
    }
}

// ---- FormImpl ----

FormImpl::FormImpl(Form& owner, WindowHandle windowHandle)
    : form(owner),
      handle(windowHandle),
      window(new FormWindow(WindowFlagsOf(owner.design(), true))) {
    const FormDesign& design = form.design();
    window->impl = this;
    window->setObjectName(QString::fromLatin1(design.name));
    window->setWindowTitle(ToQString(design.caption));
    window->setFont(ToQFont(design.font));
    if (design.icon != Picture::None) window->setWindowIcon(PictureIcon(design.icon));
    window->setFixedSize(SizeToPixels(design.clientWidth), SizeToPixels(design.clientHeight));

    for (const ControlDesign& controlDesign : design.controls) {
        auto control = std::make_unique<ControlImpl>(ControlImpl{controlDesign, *this});
        if (controlDesign.type == ControlType::Timer) {
            control->timer = new QTimer(window);
            control->timerEnabled = controlDesign.timerEnabled;
            control->interval = controlDesign.interval;
            QObject::connect(control->timer, &QTimer::timeout, [c = control.get()] {
                c->form.DeliverTimer(c->design);
            });
            ApplyTimer(*control);
        } else {
            control->widget = CreateWidget(*control, window);
            // Named as designed, e.g. "lblURL(1)", for accessibility tools and tests.
            control->widget->setObjectName(
                controlDesign.index < 0
                    ? QString::fromLatin1(controlDesign.name)
                    : QStringLiteral("%1(%2)").arg(QLatin1String(controlDesign.name)).arg(controlDesign.index));
            if (controlDesign.font) control->widget->setFont(ToQFont(controlDesign.font));
            control->widget->setGeometry(TwipsToPixels(controlDesign.left),
                                         TwipsToPixels(controlDesign.top),
                                         SizeToPixels(controlDesign.width),
                                         SizeToPixels(controlDesign.height));
            AutoSize(*control);
        }
        controls.push_back(std::move(control));
    }

    // Tab order follows the designed tab indexes.
    std::vector<QWidget*> order;
    for (const auto& control : controls) {
        if (control->widget && control->design.tabIndex >= 0) order.push_back(control->widget);
    }
    std::stable_sort(order.begin(), order.end(), [this](QWidget* a, QWidget* b) {
        auto index = [this](QWidget* w) {
            for (const auto& c : controls) {
                if (c->widget == w) return c->design.tabIndex;
            }
            return -1;
        };
        return index(a) < index(b);
    });
    for (std::size_t i = 1; i < order.size(); ++i) QWidget::setTabOrder(order[i - 1], order[i]);
    if (!order.empty()) order.front()->setFocus();
}

FormImpl::~FormImpl() {
    for (const auto& control : controls) {
        if (control->timer) control->timer->stop();
        QObject* sender = control->widget ? static_cast<QObject*>(control->widget) : control->timer;
        if (sender) sender->disconnect();
    }
    window->impl = nullptr;
    window->hide();
    window->deleteLater();
    ForgetSystemMenu(handle);
    if (modalLoop) modalLoop->quit();
}

QPushButton* FormImpl::DefaultButton() const {
    for (const auto& control : controls) {
        if (control->design.defaultButton) return qobject_cast<QPushButton*>(control->widget);
    }
    return nullptr;
}

QPushButton* FormImpl::CancelButton() const {
    for (const auto& control : controls) {
        if (control->design.cancelButton) return qobject_cast<QPushButton*>(control->widget);
    }
    return nullptr;
}

// ---- Form ----

Form::Form(const FormDesign& design) : design_(design) {}

Form::~Form() = default;

FormImpl& Form::impl() const {
    assert(impl_ && "a form is loaded by its reference before it is used");
    return *impl_;
}

void Form::Load() {
    if (impl_) return;
    impl_ = std::make_unique<FormImpl>(*this, nextHandle++);
    controls_.clear();
    for (const auto& control : impl_->controls) controls_.push_back(Control(control.get()));
    ++loadedForms;
    Form_Load();
}

bool Form::Loaded() const { return impl_ != nullptr; }

void Form::Show(ShowStyle style) {
    Load();
    FormImpl& form = impl();
    QWidget* window = form.window;
    if (style == ShowStyle::Modal && window->isVisible()) {
        throw RuntimeError(ErrorNumber::FormAlreadyDisplayed,
                           "Form already displayed; can't show modally");
    }
    if (!form.shownOnce) {
        form.shownOnce = true;
        const bool closeOffered = SystemMenuOffersClose(form.handle);
        if (!closeOffered) window->setWindowFlags(WindowFlagsOf(design_, false));
        const QRect area = design_.startUpPosition == StartUpPosition::CenterOwner ? OwnerRect()
                                                                                  : ScreenRect();
        const FrameMargins frame = NominalFrame(design_.borderStyle);
        const QSize outer(window->width() + frame.left + frame.right,
                          window->height() + frame.top + frame.bottom);
        window->move(area.center().x() - outer.width() / 2, area.center().y() - outer.height() / 2);
    }
    if (style == ShowStyle::Modeless) {
        window->show();
        window->raise();
        window->activateWindow();
        return;
    }
    window->setWindowModality(Qt::ApplicationModal);
    window->show();
    window->raise();
    window->activateWindow();
    QEventLoop loop;
    form.modalLoop = &loop;
    loop.exec();  // until Unload; the FormImpl is gone by then
}

void Form::Unload() {
    if (!impl_) return;
    controls_.clear();
    impl_.reset();
    --loadedForms;
    EndIfNoFormIsLoaded();
}

std::u16string Form::Caption() const { return ToU16(impl().window->windowTitle()); }
void Form::SetCaption(std::u16string_view caption) {
    impl().window->setWindowTitle(ToQString(caption));
}

float Form::Left() const { return static_cast<float>(impl().window->x() * TwipsPerPixel()); }
float Form::Top() const { return static_cast<float>(impl().window->y() * TwipsPerPixel()); }

float Form::Width() const {
    const FrameMargins frame = NominalFrame(design_.borderStyle);
    return static_cast<float>((impl().window->width() + frame.left + frame.right) * TwipsPerPixel());
}

float Form::Height() const {
    const FrameMargins frame = NominalFrame(design_.borderStyle);
    return static_cast<float>((impl().window->height() + frame.top + frame.bottom) * TwipsPerPixel());
}

void Form::SetLeft(float twips) { impl().window->move(TwipsToPixels(twips), impl().window->y()); }
void Form::SetTop(float twips) { impl().window->move(impl().window->x(), TwipsToPixels(twips)); }

void Form::SetWidth(float twips) {
    const FrameMargins frame = NominalFrame(design_.borderStyle);
    const int client = std::max(0, SizeToPixels(twips) - frame.left - frame.right);
    impl().window->setFixedWidth(client);
}

void Form::SetHeight(float twips) {
    const FrameMargins frame = NominalFrame(design_.borderStyle);
    const int client = std::max(0, SizeToPixels(twips) - frame.top - frame.bottom);
    impl().window->setFixedHeight(client);
}

WindowHandle Form::hWnd() const { return impl().handle; }

Control& Form::control(std::string_view name, std::int16_t index) {
    Load();
    for (Control& control : controls_) {
        if (control.design().name == name && control.design().index == index) return control;
    }
    assert(false && "no such control in the design");
    throw RuntimeError(ErrorNumber::InvalidProcedureCall, "Control array element doesn't exist");
}

void Form::OnClick(std::string_view control, std::function<void(std::int16_t)> handler) {
    bindings_.push_back({std::string(control), std::move(handler), nullptr});
}

void Form::OnTimer(std::string_view control, std::function<void()> handler) {
    bindings_.push_back({std::string(control), nullptr, std::move(handler)});
}

void Form::DeliverClick(const ControlDesign& control) {
    for (const Binding& binding : bindings_) {
        if (binding.control == control.name && binding.click) binding.click(control.index);
    }
}

void Form::DeliverTimer(const ControlDesign& control) {
    for (const Binding& binding : bindings_) {
        if (binding.control == control.name && binding.timer) binding.timer();
    }
}

// ---- Control ----

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
