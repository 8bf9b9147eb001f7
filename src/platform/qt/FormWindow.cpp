// Building a form's window from its design; showing it, modally too; its title bar's close.
#include "platform/qt/FormWindow.h"

#include "platform/common/FormRules.h"
#include "platform/qt/Fonts.h"
#include "platform/qt/Pictures.h"
#include "platform/qt/Screen.h"
#include "platform/qt/SystemMenu.h"
#include "platform/qt/Text.h"

#include <QCloseEvent>
#include <QEventLoop>
#include <QPushButton>

#include <algorithm>

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

PixelRect QtFormImpl::OuterRect() const {
    const FrameMargins frame = NominalFrame(design_.borderStyle);
    return {window_->x(), window_->y(), window_->width() + frame.left + frame.right,
            window_->height() + frame.top + frame.bottom};
}

void QtFormImpl::SetOuterRect(const PixelRect& rect) {
    const FrameMargins frame = NominalFrame(design_.borderStyle);
    window_->move(rect.left, rect.top);
    window_->setFixedSize(std::max(0, rect.width - frame.left - frame.right),
                          std::max(0, rect.height - frame.top - frame.bottom));
}

bool QtFormImpl::Visible() const { return window_->isVisible(); }

void QtFormImpl::ShowAndActivate() {
    if (!shownOnce_) {
        shownOnce_ = true;
        // The title bar offers close only while the system menu does; the flags change
        // before the window is mapped, as changing them hides a shown window.
        if (!SystemMenuOffersClose(handle_)) window_->setWindowFlags(WindowFlagsOf(design_, false));
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
