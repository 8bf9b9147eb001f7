#pragma once

#include <QObject>

// Sees every key before the focused control: hands typed characters to a form that
// previews keys, and presses a form's default button on Enter and its cancel button on
// Esc, which plain top-level widgets do not do by themselves.
class KeyboardFilter : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool resending_ = false;
};
