// A form's label on Qt Widgets: a label that reports clicks, as the form's labels take Click
// events.
#pragma once

#include <QLabel>
#include <QMouseEvent>

class ClickLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;
    bool offersClick = false;  // to assistive technology: the form handles its clicks
    bool liveRegion = false;   // screen readers speak each new non-empty caption
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
