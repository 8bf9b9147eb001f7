#include "platform/qt/KeyboardFilter.h"

#include "platform/common/FormRules.h"
#include "platform/qt/FormWindow.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPointer>
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
    if (window == nullptr || window->form == nullptr) return false;
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->modifiers() & (Qt::AltModifier | Qt::MetaModifier)) return false;  // access keys

    QtFormImpl& form = *window->form;
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
        if (PressButton(form.Button(EnterButton(form.Design(), form.IndexOf(widget))))) return true;
    }
    if (key->key() == Qt::Key_Escape && PressButton(form.Button(CancelButton(form.Design())))) {
        return true;
    }

    const QString text = key->text();
    if (!form.Design().keyPreview || text.isEmpty() || text == QLatin1String("\t")) return false;
    const char16_t typed = text.front().unicode();
    QPointer<QWidget> target = widget;
    const Qt::KeyboardModifiers modifiers = key->modifiers();
    const char16_t passed =
        form.Events().KeyTyped(typed);  // may run a nested loop or unload the form
    if (passed == u'\0' || !target) return true;
    // The control gets the key from here, unseen by this filter: left to travel on, an
    // ignored key would reach the window, which counts as its start once a dialog opened
    // by the key has taken the focus away, and the form would get it a second time.
    std::unique_ptr<QEvent> delivered;
    if (passed == typed) {
        delivered.reset(key->clone());
    } else {
        // QKeyEvent's text cannot be changed: the control gets a new key with the new character.
        const QChar changed(passed);
        delivered = std::make_unique<QKeyEvent>(QEvent::KeyPress, KeyOf(changed), modifiers,
                                                QString(changed));
    }
    resending_ = true;
    QApplication::sendEvent(target, delivered.get());
    resending_ = false;
    return true;
}
