// A form's label on Qt Widgets: a label that reports clicks, as the form's labels take Click
// events.
#pragma once

#include "platform/Backend.h"

#include <QLabel>
#include <QMouseEvent>

class ClickLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;
    AccessibleRole role = AccessibleRole::Standard;  // what screen readers are told it is
signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override {
        QLabel::mouseReleaseEvent(event);
        if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
            emit clicked();
        }
    }
};
