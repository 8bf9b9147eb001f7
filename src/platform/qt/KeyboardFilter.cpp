#include "platform/qt/KeyboardFilter.h"

#include "platform/AnsiCodePage.h"
#include "platform/RuntimeError.h"
#include "platform/qt/FormWindow.h"
#include "platform/qt/Text.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>

#include <memory>

namespace {

// The key of a character, for controls that look at key() rather than text().
int KeyOf(QChar c) {
    const QChar upper = c.toUpper();
    if (upper.unicode() >= 0x20 && upper.unicode() < 0x7F) return upper.unicode();
    return Qt::Key_unknown;
}

bool PressButton(QPushButton* button) {
    if (button == nullptr || !button->isEnabled() || !button->isVisible()) return false;
    button->click();
    return true;
}

}  // namespace

bool KeyboardFilter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress || resending_) return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    // A key travels up from the focus widget to its parents; take it once, at the start.
    if (widget == nullptr || (QApplication::focusWidget() ? widget != QApplication::focusWidget()
                                                          : !widget->isWindow())) {
        return false;
    }
    auto* window = dynamic_cast<FormWindow*>(widget->window());
    if (window == nullptr || window->impl == nullptr) return false;
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->modifiers() & (Qt::AltModifier | Qt::MetaModifier)) return false;  // access keys

    FormImpl& form = *window->impl;
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
        auto* focused = qobject_cast<QPushButton*>(widget);
        if (PressButton(focused ? focused : form.DefaultButton())) return true;
    }
    if (key->key() == Qt::Key_Escape && PressButton(form.CancelButton())) return true;

    const QString text = key->text();
    if (!form.form.design().keyPreview || text.isEmpty() || text == QLatin1String("\t")) {
        return false;
    }
    std::int16_t code = 0;
    try {
        code = Asc(ToU16(text.left(1)));
    } catch (const RuntimeError&) {
        return false;
    }
    const std::int16_t typed = code;
    QPointer<QWidget> target = widget;
    const Qt::KeyboardModifiers modifiers = key->modifiers();
    form.DeliverKeyPress(code);  // may run a nested loop or unload the form
    if (code == 0 || !target) return true;
    // The control gets the key from here, unseen by this filter: left to travel on, an
    // ignored key would reach the window, which counts as its start once a dialog opened
    // by the key has taken the focus away, and the form would get it a second time.
    std::unique_ptr<QEvent> delivered;
    if (code == typed) {
        delivered.reset(key->clone());
    } else {
        // QKeyEvent's text cannot be changed: the control gets a new key with the new code.
        const QString changed = ToQString(Chr(code));
        delivered = std::make_unique<QKeyEvent>(
            QEvent::KeyPress, KeyOf(changed.isEmpty() ? QChar() : changed[0]), modifiers, changed);
    }
    resending_ = true;
    QApplication::sendEvent(target, delivered.get());
    resending_ = false;
    return true;
}
