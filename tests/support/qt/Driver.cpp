// The test driver on Qt Widgets: events go in through QtTest at the windows' QWindow, where
// the window system's own events arrive.
#include "support/Driver.h"

#include "platform/qt/FormWindow.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QCloseEvent>
#include <QElapsedTimer>
#include <QImage>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSpontaneKeyEvent>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <cstdlib>

namespace {

QWidget* WindowOf(Form& form) {
    const WindowHandle handle = form.hWnd();
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        auto* window = dynamic_cast<FormWindow*>(widget);
        if (window && window->form && window->form->Handle() == handle) return window;
    }
    ADD_FAILURE() << "no window for form " << form.design().name;
    return nullptr;
}

QString NameOf(std::string_view control, std::int16_t index) {
    const QString name =
        QString::fromLatin1(control.data(), static_cast<qsizetype>(control.size()));
    return index < 0 ? name : QStringLiteral("%1(%2)").arg(name).arg(index);
}

QWidget* WidgetOf(Form& form, std::string_view control, std::int16_t index) {
    QWidget* window = WindowOf(form);
    QWidget* widget = window ? window->findChild<QWidget*>(NameOf(control, index)) : nullptr;
    if (widget == nullptr)
        ADD_FAILURE() << "no widget for " << NameOf(control, index).toStdString();
    return widget;
}

QWindow* HandleOf(QWidget* window) {
    if (!window->windowHandle()) window->winId();
    return window->windowHandle();
}

Pixels ToPixels(const QRect& rect) { return {rect.x(), rect.y(), rect.width(), rect.height()}; }

}  // namespace

void PrepareTestWindowSystem() {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);  // no display needed unless one is asked for
}

void Click(Form& form, std::string_view control, std::int16_t index) {
    QWidget* widget = WidgetOf(form, control, index);
    if (widget == nullptr) return;
    QWidget* window = widget->window();
    const QPoint point = widget->mapTo(window, widget->rect().center());
    QTest::mouseClick(HandleOf(window), Qt::LeftButton, Qt::NoModifier, point);
}

void Type(Form& form, char16_t character) {
    QWidget* window = WindowOf(form);
    if (window == nullptr) return;
    if (character < 0x80) {
        QTest::keyClick(HandleOf(window), static_cast<char>(character));
    } else {
        QTest::sendKeyEvent(QTest::Click, HandleOf(window), Qt::Key_unknown,
                            QString(QChar(character)), Qt::NoModifier);
    }
}

void Press(Form& form, Key key) {
    QWidget* window = WindowOf(form);
    if (window == nullptr) return;
    const Qt::Key qtKey = key == Key::Enter    ? Qt::Key_Return
                          : key == Key::Escape ? Qt::Key_Escape
                                               : Qt::Key_Tab;
    QTest::keyClick(HandleOf(window), qtKey);
}

void PressAlt(Form& form, char letter) {
    QWidget* window = WindowOf(form);
    if (window == nullptr) return;
    const auto key = static_cast<Qt::Key>(Qt::Key_A + (QChar(letter).toUpper().unicode() - 'A'));
    QTest::keyClick(HandleOf(window), key, Qt::AltModifier);
}

void RequestClose(Form& form) {
    QWidget* window = WindowOf(form);
    if (window == nullptr) return;
    // QtTest's helper marks it spontaneous, as only the window system's events are.
    QCloseEvent event;
    QSpontaneKeyEvent::setSpontaneous(&event);
    QCoreApplication::sendEvent(HandleOf(window), &event);
    QCoreApplication::processEvents();
}

bool Activate(Form& form) {
    QWidget* window = WindowOf(form);
    if (window == nullptr) return false;
    window->activateWindow();
    // Not qWaitForWindowActive: to Qt a window is active while the focus window is a
    // transient window of its, such as a closed dialog that stays, hidden, for screen readers
    // and keeps the focus where no window manager moves it (the offscreen platform).
    return QTest::qWaitFor([window] { return QApplication::activeWindow() == window; });
}

std::string FocusedControl() {
    const QWidget* focused = QApplication::focusWidget();
    return focused && focused->window() != focused ? focused->objectName().toStdString() : "";
}

void SetFocus(Form& form, std::string_view control, std::int16_t index) {
    if (QWidget* widget = WidgetOf(form, control, index)) widget->setFocus();
}

void WhenModalAppears(std::function<void()> action) {
    QWidget* const before = QApplication::activeModalWidget();
    auto* timer = new QTimer(qApp);
    auto started = std::make_shared<QElapsedTimer>();
    started->start();
    QObject::connect(timer, &QTimer::timeout, [=] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal && modal != before && modal->isVisible()) {
            timer->stop();
            timer->deleteLater();
            action();
        } else if (started->elapsed() > 5000) {
            timer->stop();
            timer->deleteLater();
            ADD_FAILURE() << "no modal window appeared";
        }
    });
    timer->start(10);
}

bool IsActiveModal(Form& form) {
    QWidget* modal = QApplication::activeModalWidget();
    return modal != nullptr && form.Loaded() && modal == WindowOf(form) &&
           modal->windowModality() == Qt::ApplicationModal;
}

std::optional<MessageBoxView> ActiveMessageBox() {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr || !box->isVisible()) return std::nullopt;
    return MessageBoxView{box->windowTitle().toStdU16String(), box->text().toStdU16String(),
                          box->icon() == QMessageBox::Information,
                          static_cast<int>(box->buttons().size())};
}

void CloseActiveMessageBox() {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    QAbstractButton* ok = box->button(QMessageBox::Ok);
    ASSERT_NE(ok, nullptr);
    // Clicked as a user does, through the window system; it hides the box at once.
    QTest::mouseClick(ok, Qt::LeftButton);
}

WindowTraits TraitsOf(Form& form) {
    QWidget* window = WindowOf(form);
    if (window == nullptr) return {};
    const Qt::WindowFlags flags = window->windowFlags();
    const QList<QSize> sizes = window->windowIcon().availableSizes();
    return {.visible = window->isVisible(),
            .minimizeButton = flags.testFlag(Qt::WindowMinimizeButtonHint),
            .maximizeButton = flags.testFlag(Qt::WindowMaximizeButtonHint),
            .closeButton = flags.testFlag(Qt::WindowCloseButtonHint),
            .resizable = window->minimumSize() != window->maximumSize(),
            .taskbarButton = window->windowType() != Qt::Dialog,
            .icon32And16 = sizes.contains(QSize(32, 32)) && sizes.contains(QSize(16, 16)),
            .icon = !window->windowIcon().isNull()};
}

Pixels ScreenRect() { return ToPixels(QGuiApplication::primaryScreen()->geometry()); }

Pixels ClientRect(Form& form) {
    QWidget* window = WindowOf(form);
    return window ? ToPixels(window->geometry()) : Pixels{};
}

Pixels ControlRect(Form& form, std::string_view control, std::int16_t index) {
    QWidget* widget = WidgetOf(form, control, index);
    return widget ? ToPixels(widget->geometry()) : Pixels{};
}

bool ShowsPicture(Form& form, std::string_view control) {
    auto* label = qobject_cast<QLabel*>(WidgetOf(form, control, -1));
    return label != nullptr && !label->pixmap().isNull();
}

int TextInkRight(Form& form, std::string_view control) {
    QWidget* widget = WidgetOf(form, control, -1);
    if (widget == nullptr) return 0;
    const QSize size = widget->size();
    widget->resize(size.width() + 64, size.height());
    const QImage image = widget->grab().toImage();
    widget->resize(size);
    const QRgb background = image.pixel(image.width() - 1, 0);
    for (int x = image.width() - 1; x >= 0; --x) {
        for (int y = 0; y < image.height(); ++y) {
            if (image.pixel(x, y) != background) return x + 1;
        }
    }
    return 0;
}

int VisibleWindowCount() {
    int visible = 0;
    for (QWidget* window : QApplication::topLevelWidgets()) visible += window->isVisible();
    return visible;
}

void ProcessEvents(int milliseconds) {
    QTest::qWait(milliseconds);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

bool WaitFor(const std::function<bool()>& condition, int milliseconds) {
    return QTest::qWaitFor(condition, milliseconds);
}

struct Repeating::Timer {
    QTimer timer;
};

Repeating::Repeating(int milliseconds, std::function<void()> action)
    : timer_(std::make_unique<Timer>()) {
    QObject::connect(&timer_->timer, &QTimer::timeout, std::move(action));
    timer_->timer.start(milliseconds);
}

Repeating::~Repeating() = default;
