// Building a form's window from its design; showing it, modally too; its title bar's close.
#include "platform/qt/FormWindow.h"

#include "platform/common/FormRules.h"
#include "platform/qt/ClosedWindows.h"
#include "platform/qt/Display.h"
#include "platform/qt/Fonts.h"
#include "platform/qt/Pictures.h"
#include "platform/qt/SystemMenu.h"
#include "platform/qt/Text.h"
#include "platform/qt/WindowManager.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QPushButton>
#include <QTimer>
#include <QWindow>

namespace {

WindowHandle nextHandle = 0x10000;

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
    // A Wayland compositor minimizes a window without telling the program, and then activates
    // the window it blocks: that is when the user turns to the program.
    if (event->type() == QEvent::ActivationChange && isActiveWindow() &&
        DisplayInUse() == DisplayKind::Wayland) {
        BringBackModalForm();
    }
    // Window managers that ignore the hints offer every window a minimize button. A form
    // designed without one comes back at once, once the window manager has done: a modal
    // dialog left minimized would block its owner with nothing on screen to answer.
    if (event->type() == QEvent::WindowStateChange && form != nullptr &&
        !form->Design().minButton && isMinimized()) {
        QTimer::singleShot(0, this, [this] { RestoreIfMinimized(); });
    }
}

// The modal form that blocks this window, shown anew: Qt 6.4 asks a Wayland compositor to
// activate a window only with a token from outside, and a compositor maps and activates a
// window shown anew, minimized or not before. A message box is left alone: hiding it would
// close it.
void FormWindow::BringBackModalForm() {
    auto* modal = dynamic_cast<FormWindow*>(QApplication::activeModalWidget());
    if (modal == nullptr || modal == this || !modal->isVisible()) return;
    modal->hide();
    modal->show();
}

void FormWindow::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    // The program hides a loaded form's window only to show it again at once (a modal form
    // brought back). On Wayland, Qt 6.4 takes a window away itself when the compositor asks
    // to close it: a loaded form shows again.
    if (form != nullptr && !isVisible()) {
        QTimer::singleShot(0, this, [this] {
            if (form == nullptr || isVisible()) return;
            show();
            raise();
            activateWindow();
        });
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
    // The frame the window manager will draw around the window as it is now, or the classic
    // frame where none says.
    frame_ = FrameFromWindowManager(window_).value_or(ClassicFrame(TwipsPerPixel()));
}

QtFormImpl::~QtFormImpl() {
    controls_.clear();  // no event reaches the form any more
    window_->closedRole = events_.WindowRole();
    window_->form = nullptr;
    KeepClosedWindow(window_);
    ForgetSystemMenu(handle_);
    if (modalLoop_) modalLoop_->quit();
}

std::u16string QtFormImpl::Title() const { return ToU16(window_->windowTitle()); }

void QtFormImpl::SetTitle(std::u16string_view title) { window_->setWindowTitle(ToQString(title)); }

// The window is placed by its client area, which the window manager leaves where it is put
// (static gravity): that holds whether or not Qt knows the frame yet.
PixelRect QtFormImpl::ClientRect() const {
    const QRect client = window_->geometry();
    return {client.x(), client.y(), client.width(), client.height()};
}

void QtFormImpl::SetClientRect(const PixelRect& rect) {
    window_->setFixedSize(rect.width, rect.height);
    window_->setGeometry(rect.left, rect.top, rect.width, rect.height);
}

bool QtFormImpl::Visible() const { return window_->isVisible(); }

void QtFormImpl::PrepareFirstShow() {
    // The title bar offers close only while the system menu does; the flags change before
    // the window is mapped, as changing them hides a shown window. They change on the native
    // window that exists: re-created, it would be framed anew, and mutter answers the frame
    // request for a new window with no frame at all.
    window_->winId();
    if (!SystemMenuOffersClose(handle_)) {
        const Qt::WindowFlags flags = WindowFlagsOf(design_, false);
        window_->overrideWindowFlags(flags);
        window_->windowHandle()->setFlags(flags);
    }
    // Owned by the window that is active as it opens: taskbars that list a transient window
    // under its owner leave it out, and the skip-taskbar state asks the others to. A Wayland
    // compositor learns a modal form's owner only this way, and keeps the two together.
    const bool modalOnWayland =
        window_->windowModality() != Qt::NonModal && DisplayInUse() == DisplayKind::Wayland;
    if (!design_.showInTaskbar || modalOnWayland) {
        QWidget* owner = QApplication::activeWindow();
        if (owner != nullptr && owner != window_ && owner->windowHandle() != nullptr) {
            window_->windowHandle()->setTransientParent(owner->windowHandle());
        }
    }
    if (!design_.showInTaskbar) SkipTaskbar(window_);
}

void QtFormImpl::Show() {
    const bool first = !shownOnce_;
    if (first) {
        shownOnce_ = true;
        PrepareFirstShow();
    }
    window_->show();
    window_->raise();
    window_->activateWindow();
    if (first) WatchForDrawnFrame();
}

// A window manager may not say before it maps a window what frame it will draw (KWin under
// Wayland keeps silent), or say it wrongly; every one says once it has framed the window.
void QtFormImpl::WatchForDrawnFrame() {
    if (DisplayInUse() != DisplayKind::X11) return;
    auto* poll = new QTimer(window_);
    poll->setInterval(10);
    FormWindow* window = window_;
    QObject::connect(poll, &QTimer::timeout, window, [window, poll, ticks = 0]() mutable {
        const std::optional<PixelMargins> drawn = FrameDrawn(window);
        if (drawn && window->form != nullptr) window->form->AdoptFrame(*drawn);
        if (drawn || window->form == nullptr || ++ticks == 100) poll->deleteLater();
    });
    poll->start();
}

void QtFormImpl::AdoptFrame(const PixelMargins& drawn) {
    if (drawn == frame_) return;
    const PixelRect client = ClientRect();
    const PixelRect centre = CentrePixel(Around(client, frame_));
    frame_ = drawn;
    const PixelRect outer = Around(client, drawn);
    SetClientRect(Within(CentreIn(centre, outer.width, outer.height), drawn));
}

void QtFormImpl::RunModal() {
    window_->setWindowModality(Qt::ApplicationModal);
    Show();
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
