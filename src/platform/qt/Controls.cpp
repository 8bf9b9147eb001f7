#include "platform/qt/Controls.h"

#include "platform/common/FormRules.h"
#include "platform/qt/Accessibility.h"
#include "platform/qt/ClickLabel.h"
#include "platform/qt/Fonts.h"
#include "platform/qt/Pictures.h"
#include "platform/qt/Text.h"

#include <QFontMetricsF>
#include <QPushButton>
#include <QTimer>

#include <algorithm>

namespace {

QPushButton* CreateButton(const ControlDesign& design, QWidget* parent) {
    auto* button = new QPushButton(ToQString(design.caption), parent);
    button->setDefault(design.defaultButton);  // drawn as the default; Enter is ours
    button->setAutoDefault(false);
    button->setFocusPolicy(Qt::StrongFocus);
    return button;
}

ClickLabel* CreateLabel(const ControlDesign& design, QWidget* parent) {
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
    return label;
}

QLabel* CreatePicture(const ControlDesign& design, QWidget* parent) {
    auto* picture = new QLabel(parent);
    picture->setPixmap(PicturePixmap(design.picture));
    picture->setAccessibleName(PictureName(design.picture));  // a screen reader's words for it
    picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    if (design.border) {
        picture->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        picture->setLineWidth(2);
    }
    picture->setFocusPolicy(Qt::StrongFocus);
    return picture;
}

}  // namespace

QtControlImpl::QtControlImpl(const ControlDesign& design, std::size_t index, QWidget* window,
                             FormEvents& events) {
    switch (design.type) {
        case ControlType::Button: {
            QPushButton* button = CreateButton(design, window);
            connection_ = QObject::connect(button, &QPushButton::clicked,
                                           [&events, index] { events.Clicked(index); });
            widget_ = button;
            break;
        }
        case ControlType::Label: {
            ClickLabel* label = CreateLabel(design, window);
            label->role = events.ControlRole(index);
            connection_ = QObject::connect(label, &ClickLabel::clicked,
                                           [&events, index] { events.Clicked(index); });
            widget_ = label;
            break;
        }
        case ControlType::PictureBox:
            widget_ = CreatePicture(design, window);
            break;
        case ControlType::Timer:
            timer_ = new QTimer(window);
            timer_->setTimerType(Qt::PreciseTimer);  // a coarse timer may fire 5 % early
            connection_ = QObject::connect(timer_, &QTimer::timeout,
                                           [&events, index] { events.Ticked(index); });
            return;
    }
    // Named as designed, e.g. "lblURL(1)", for accessibility tools and tests.
    widget_->setObjectName(
        design.index < 0
            ? QString::fromLatin1(design.name)
            : QStringLiteral("%1(%2)").arg(QLatin1String(design.name)).arg(design.index));
    if (design.font) widget_->setFont(ToQFont(design.font));
    widget_->setGeometry(0, 0, 0, 0);
}

// The window goes on a little after its form is unloaded: nothing may reach the form then.
// Only the form's own connection goes: others watch the widget until it is deleted, among
// them the accessibility cache, which forgets a widget's interface on its destroyed signal.
// Without that, a later widget at the same address got the dead interface, and a screen
// reader a null child.
QtControlImpl::~QtControlImpl() {
    if (timer_) timer_->stop();
    QObject::disconnect(connection_);
}

std::u16string QtControlImpl::Text() const {
    if (auto* button = qobject_cast<QPushButton*>(widget_)) return ToU16(button->text());
    if (auto* label = qobject_cast<QLabel*>(widget_)) return ToU16(label->text());
    return {};
}

void QtControlImpl::SetText(std::u16string_view text) {
    if (auto* button = qobject_cast<QPushButton*>(widget_)) button->setText(ToQString(text));
    if (auto* label = qobject_cast<ClickLabel*>(widget_)) label->setText(ToQString(text));
}

PixelRect QtControlImpl::Rect() const {
    const QRect rect = widget_->geometry();
    return {rect.x(), rect.y(), rect.width(), rect.height()};
}

void QtControlImpl::SetRect(const PixelRect& rect) {
    widget_->setGeometry(rect.left, rect.top, rect.width, rect.height);
}

// A label is as wide as its widest line by the runtime's measure, which counts what an
// italic draws beyond the advance; Qt's own size hint stops at the advance.
void QtControlImpl::FitToContent() {
    QSize size = widget_->sizeHint();
    if (auto* label = qobject_cast<ClickLabel*>(widget_)) {
        const QFontMetricsF metrics(label->font());
        int widest = 0;
        for (const QString& line : label->text().split(QLatin1Char('\n'))) {
            const double overhang = line.isEmpty() ? 0 : -metrics.rightBearing(line.back());
            widest = std::max(widest, TextLineWidth(metrics.horizontalAdvance(line), overhang));
        }
        size.setWidth(widest + 2 * label->frameWidth());
    }
    widget_->resize(size);
}

void QtControlImpl::StartTimer(int milliseconds) { timer_->start(milliseconds); }

void QtControlImpl::StopTimer() { timer_->stop(); }

void QtControlImpl::Announce() {
    if (auto* label = qobject_cast<ClickLabel*>(widget_)) AnnounceCaption(label);
}
