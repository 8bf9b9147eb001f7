// Forms on Qt Widgets: loading, showing (modal with a nested loop), unloading, and the
// form's own properties.
#include "platform/Form.h"

#include "platform/RuntimeError.h"
#include "platform/qt/FormWindow.h"
#include "platform/qt/Text.h"
#include "platform/qt/Units.h"
#include "platform/standins/StandIns.h"

#include <QApplication>
#include <QCoreApplication>
#include <QEventLoop>
#include <QScreen>
#include <QTimer>

#include <algorithm>
#include <cassert>

namespace {

int loadedForms = 0;
bool endWhenNoFormIsLoaded = false;
WindowHandle nextHandle = 0x10000;

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
