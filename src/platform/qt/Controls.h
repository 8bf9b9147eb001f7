// Controls on Qt Widgets: a button, label or picture box is a child widget of the form's
// window, a timer a QTimer.
#pragma once

#include "platform/Backend.h"

#include <QMetaObject>

class QTimer;
class QWidget;

class QtControlImpl final : public ControlImpl {
public:
    // Control `index` of the form's design, built inside `window`; its events go to `events`.
    QtControlImpl(const ControlDesign& design, std::size_t index, QWidget* window,
                  FormEvents& events);
    ~QtControlImpl() override;

    QWidget* Widget() const { return widget_; }  // null for a timer

    std::u16string Text() const override;
    void SetText(std::u16string_view text) override;
    PixelRect Rect() const override;
    void SetRect(const PixelRect& rect) override;
    void FitToContent() override;
    void StartTimer(int milliseconds) override;
    void StopTimer() override;
    void Announce() override;

private:
    QWidget* widget_ = nullptr;           // owned by the window
    QTimer* timer_ = nullptr;             // owned by the window
    QMetaObject::Connection connection_;  // the click or tick, to the form's events
};
