// Driving the program's real windows from a test, as a user would.
#pragma once

#include "core/modKimoro.h"
#include "platform/Form.h"

#include <QPushButton>
#include <QString>
#include <QWidget>

#include <functional>
#include <string>

#include <gtest/gtest.h>

// The window of a loaded form, or nullptr.
QWidget* WindowOf(const Form& form);

// A control's widget by its design name, e.g. "lblURL(1)".
template <class W = QWidget>
W* Widget(const Form& form, const char* name) {
    QWidget* window = WindowOf(form);
    return window ? window->findChild<W*>(QString::fromLatin1(name)) : nullptr;
}

// A click with the left button, delivered through the window system so that modality
// applies: a click on a window behind a modal dialog does nothing.
void Click(QWidget* widget);

// A typed character or key, delivered to the active window through the window system.
void Type(QWidget* window, char character);
void Press(QWidget* window, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);

// Runs `action` on the modal window that appears on top next (a dialog or message box),
// from inside its nested event loop. Fails the test if none appears within 5 s.
void WhenModalAppears(std::function<void(QWidget* modal)> action);

// A close request from the window system, as the title bar's close control sends it:
// a spontaneous close event, unlike the program's own closing.
void RequestClose(QWidget* window);

// Lets queued events run, e.g. a deferred window deletion or an animated click.
void ProcessEvents(int milliseconds = 0);

// Unloads every form, so a test can start from nothing.
void UnloadAllForms();

// Issues `command`, which shows the dialog F modally, and runs `inspect` while it is open;
// whatever `inspect` leaves open is closed with the dialog's `okButton` afterwards.
template <class F>
void WhileDialogOpen(const std::u16string& command, const char* okButton,
                     const std::function<void(F& dialog, QWidget* window)>& inspect) {
    bool appeared = false;
    WhenModalAppears([&](QWidget* modal) {
        appeared = true;
        ASSERT_TRUE(FormInstance<F>().Loaded());
        EXPECT_EQ(modal, WindowOf(FormInstance<F>()));
        inspect(FormInstance<F>(), modal);
        if (FormInstance<F>().Loaded()) Click(Widget<QPushButton>(FormInstance<F>(), okButton));
    });
    RunCommand(command);
    EXPECT_TRUE(appeared);
    EXPECT_FALSE(FormInstance<F>().Loaded());
    ProcessEvents();
}
