// Building a form's window and controls from its design, and their events.
#include "platform/qt/FormWindow.h"

#include "platform/RuntimeError.h"
#include "platform/qt/Fonts.h"
#include "platform/qt/Pictures.h"
#include "platform/qt/Text.h"
#include "platform/qt/Units.h"
#include "platform/standins/StandIns.h"

#include <QCloseEvent>
#include <QEventLoop>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>

#include <algorithm>

namespace {

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

}  // namespace

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
