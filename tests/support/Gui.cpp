#include "support/Gui.h"

#include "forms/frmAbout.h"
#include "forms/frmKimoro.h"
#include "forms/frmWinDIR.h"
#include "platform/qt/FormWindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QSpontaneKeyEvent>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <gtest/gtest.h>

QWidget* WindowOf(const Form& form) {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        auto* window = dynamic_cast<FormWindow*>(widget);
        if (window && window->impl && &window->impl->form == &form) return window;
    }
    return nullptr;
}

void Click(QWidget* widget) {
    ASSERT_NE(widget, nullptr);
    QWidget* window = widget->window();
    if (!window->windowHandle()) window->winId();
    const QPoint point = widget->mapTo(window, widget->rect().center());
    QTest::mouseClick(window->windowHandle(), Qt::LeftButton, Qt::NoModifier, point);
}

void Type(QWidget* window, char character) {
    ASSERT_NE(window, nullptr);
    QTest::keyClick(window->windowHandle(), character);
}

void Press(QWidget* window, Qt::Key key, Qt::KeyboardModifiers modifiers) {
    ASSERT_NE(window, nullptr);
    QTest::keyClick(window->windowHandle(), key, modifiers);
}

void WhenModalAppears(std::function<void(QWidget* modal)> action) {
    QWidget* const before = QApplication::activeModalWidget();
    auto* timer = new QTimer(qApp);
    auto started = std::make_shared<QElapsedTimer>();
    started->start();
    QObject::connect(timer, &QTimer::timeout, [=] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal && modal != before && modal->isVisible()) {
            timer->stop();
            timer->deleteLater();
            action(modal);
        } else if (started->elapsed() > 5000) {
            timer->stop();
            timer->deleteLater();
            ADD_FAILURE() << "no modal window appeared";
        }
    });
    timer->start(10);
}

void RequestClose(QWidget* window) {
    ASSERT_NE(window, nullptr);
    if (!window->windowHandle()) window->winId();
    // Delivered to the window's QWindow, where the window system's own request arrives;
    // QtTest's helper marks it spontaneous, as only the window system's events are.
    QCloseEvent event;
    QSpontaneKeyEvent::setSpontaneous(&event);
    QCoreApplication::sendEvent(window->windowHandle(), &event);
    QCoreApplication::processEvents();
}

void ProcessEvents(int milliseconds) {
    QTest::qWait(milliseconds);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void UnloadAllForms() {
    // Through the forms' own objects, without loading one that is not loaded.
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        auto* window = dynamic_cast<FormWindow*>(widget);
        if (window && window->impl) window->impl->form.Unload();
    }
    ProcessEvents();
}
