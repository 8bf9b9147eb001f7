// The Qt side of forms and controls: a form is a top-level QWidget, a control a child
// widget (or a QTimer), both built from the design.
#pragma once

#include "platform/Form.h"

#include <QLabel>
#include <QPointer>
#include <QWidget>

#include <memory>
#include <vector>

class QEventLoop;
class QPushButton;
class QTimer;
struct FormImpl;

// The window of a loaded form. It outlives its FormImpl briefly: an unloaded window is
// hidden at once and deleted when control returns to the event loop it was unloaded in.
class FormWindow : public QWidget {
public:
    explicit FormWindow(Qt::WindowFlags flags) : QWidget(nullptr, flags) {}
    FormImpl* impl = nullptr;  // null once the form is unloaded

protected:
    void closeEvent(QCloseEvent* event) override;
};

// A label that reports clicks, as the form's labels take Click events.
class ClickLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;
signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

struct ControlImpl {
    const ControlDesign& design;
    FormImpl& form;
    QWidget* widget = nullptr;  // null for a timer
    QTimer* timer = nullptr;
    bool timerEnabled = false;
    std::int32_t interval = 0;
};

struct FormImpl {
    FormImpl(Form& form, WindowHandle handle);
    ~FormImpl();

    void DeliverClick(const ControlDesign& control) { form.DeliverClick(control); }
    void DeliverTimer(const ControlDesign& control) { form.DeliverTimer(control); }
    void DeliverKeyPress(std::int16_t& keyAscii) { form.DeliverKeyPress(keyAscii); }

    QPushButton* DefaultButton() const;
    QPushButton* CancelButton() const;

    Form& form;
    const WindowHandle handle;
    FormWindow* window;
    std::vector<std::unique_ptr<ControlImpl>> controls;
    QEventLoop* modalLoop = nullptr;
    bool shownOnce = false;
};

Qt::WindowFlags WindowFlagsOf(const FormDesign& design, bool closeOffered);
// Fits an AutoSize control to its caption or picture.
void AutoSize(ControlImpl& control);
// Starts (restarting the count) or stops a timer control as its state says.
void ApplyTimer(ControlImpl& control);

// Lets the process end once no form is loaded and control is back in the main loop.
// Off by default, so tests keep their process.
void SetEndWhenNoFormIsLoaded(bool enabled);
int LoadedFormCount();
