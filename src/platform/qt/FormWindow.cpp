// Building a form's window from its design; showing it, modally too; its title bar's close.
#include "platform/qt/FormWindow.h"

#include "platform/common/FormRules.h"
#include "platform/qt/Fonts.h"
#include "platform/qt/Pictures.h"
#include "platform/qt/Screen.h"
#include "platform/qt/SystemMenu.h"
#include "platform/qt/Text.h"
#include "platform/qt/WindowManager.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QPushButton>
#include <QTimer>
#include <QWindow>

#include <algorithm>

namespace {

WindowHandle nextHandle = 0x10000;

// The frame the window manager will draw around the window as it is now, or the nominal one
// where none says.
FrameMargins FrameOf(QWidget* window, BorderStyle style) {
    return FrameFromWindowManager(window).value_or(NominalFrame(style));
}

}  // namespace

std::unique_ptr<FormImpl> CreateFormImpl(const FormDesign& design, int clientWidth,
                                         int clientHeight, FormEvents& events) {
    return std::make_unique<QtFormImpl>(design, clientWidth, clientHeight, events);
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

void FormWindow::closeEvent(QCloseEvent* event) {
    // The program's own closing (an unload) is not spontaneous; the window system's is.
    if (form == nullptr || !event->spontaneous()) {
        event->accept();
        return;
    }
    event->ignore();
    if (SystemMenuOffersClose(form->Handle())) form->Events().CloseRequested();
}

void FormWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    // Window managers that ignore the hints offer every window a minimize button. A form
    // designed without one comes back at once, once the window manager has done: a modal
    // dialog left minimized would block its owner with nothing on screen to answer.
    if (event->type() == QEvent::WindowStateChange && form != nullptr &&
        !form->Design().minButton && isMinimized()) {
        QTimer::singleShot(0, this, [this] { RestoreIfMinimized(); });
    }
}

void FormWindow::RestoreIfMinimized() {
    if (form == nullptr || !isVisible() || !isMinimized()) return;
    setWindowState(windowState() & ~Qt::WindowMinimized);
    raise();
    activateWindow();
}

QtFormImpl::QtFormImpl(const FormDesign& design, int clientWidth, int clientHeight,
                       FormEvents& events)
    : design_(design),
      events_(events),
      handle_(nextHandle++),
      window_(new FormWindow(WindowFlagsOf(design, true))) {
    window_->form = this;
    window_->setObjectName(QString::fromLatin1(design.name));
    window_->setWindowTitle(ToQString(design.caption));
    window_->setFont(ToQFont(design.font));
    if (design.icon != Picture::None) window_->setWindowIcon(PictureIcon(design.icon));
    window_->setFixedSize(clientWidth, clientHeight);
    for (std::size_t i = 0; i < design.controls.size(); ++i) {
        controls_.push_back(
            std::make_unique<QtControlImpl>(design.controls[i], i, window_, events));
    }
    const std::vector<std::size_t> order = TabOrder(design);
    for (std::size_t i = 1; i < order.size(); ++i) {
        QWidget::setTabOrder(controls_[order[i - 1]]->Widget(), controls_[order[i]]->Widget());
    }
    if (!order.empty()) controls_[order.front()]->Widget()->setFocus();
    frame_ = FrameOf(window_, design.borderStyle);
}

QtFormImpl::~QtFormImpl() {
    controls_.clear();  // no event reaches the form any more
    window_->form = nullptr;
    window_->hide();
    window_->deleteLater();
    ForgetSystemMenu(handle_);
    if (modalLoop_) modalLoop_->quit();
}

std::u16string QtFormImpl::Title() const { return ToU16(window_->windowTitle()); }

void QtFormImpl::SetTitle(std::u16string_view title) { window_->setWindowTitle(ToQString(title)); }

// The window is placed by its client area, which the window manager leaves where it is put
// (static gravity): that holds whether or not Qt knows the frame yet.
PixelRect QtFormImpl::OuterRect() const {
    const QRect client = window_->geometry();
    return {client.x() - frame_.left, client.y() - frame_.top,
            client.width() + frame_.left + frame_.right,
            client.height() + frame_.top + frame_.bottom};
}

void QtFormImpl::SetOuterRect(const PixelRect& rect) {
    const int width = std::max(0, rect.width - frame_.left - frame_.right);
    const int height = std::max(0, rect.height - frame_.top - frame_.bottom);
    window_->setFixedSize(width, height);
    window_->setGeometry(rect.left + frame_.left, rect.top + frame_.top, width, height);
}

bool QtFormImpl::Visible() const { return window_->isVisible(); }

void QtFormImpl::PrepareFirstShow() {
    // The title bar offers close only while the system menu does; the flags change before
    // the window is mapped, as changing them hides a shown window. The window manager may
    // frame the window differently then: the outer rectangle stays as it is.
    if (!SystemMenuOffersClose(handle_)) {
        const PixelRect outer = OuterRect();
        window_->setWindowFlags(WindowFlagsOf(design_, false));
        SetOuterRect(outer);  // placed by its client area again, before it is re-created
        frame_ = FrameOf(window_, design_.borderStyle);
        SetOuterRect(outer);
    }
    window_->winId();
    if (!design_.showInTaskbar) {
        // Owned by the window that is active as it opens, a managed one: taskbars that
        // list a transient window under its owner leave it out, and the state asks the
        // others to.
        QWidget* owner = QApplication::activeWindow();
        if (owner != nullptr && owner != window_ && owner->windowHandle() != nullptr) {
            window_->windowHandle()->setTransientParent(owner->windowHandle());
        }
        SkipTaskbar(window_);
    }
}

void QtFormImpl::ShowAndActivate() {
    if (!shownOnce_) {
        shownOnce_ = true;
        PrepareFirstShow();
    }
    window_->show();
    window_->raise();
    window_->activateWindow();
}

void QtFormImpl::Show() { ShowAndActivate(); }

void QtFormImpl::RunModal() {
    window_->setWindowModality(Qt::ApplicationModal);
    ShowAndActivate();
    QEventLoop loop;
    modalLoop_ = &loop;
    loop.exec();  // until the form is unloaded: this object is gone by then
}

std::optional<std::size_t> QtFormImpl::IndexOf(const QWidget* widget) const {
    for (std::size_t i = 0; i < controls_.size(); ++i) {
        if (widget != nullptr && controls_[i]->Widget() == widget) return i;
    }
    return std::nullopt;
}

QPushButton* QtFormImpl::Button(std::optional<std::size_t> index) const {
    return index ? qobject_cast<QPushButton*>(controls_[*index]->Widget()) : nullptr;
}
