// A form's window on Qt Widgets: a top-level QWidget with the form's controls as children.
#pragma once

#include "platform/Backend.h"
#include "platform/qt/Controls.h"

#include <QWidget>

#include <memory>
#include <optional>
#include <vector>

class QEventLoop;
class QPushButton;
class QtFormImpl;

// The window of a loaded form. It outlives its QtFormImpl: an unloaded window is hidden at once
// and kept for screen readers until the next window closes (ClosedWindows.h).
class FormWindow : public QWidget {
public:
    explicit FormWindow(Qt::WindowFlags flags) : QWidget(nullptr, flags) {}
    QtFormImpl* form = nullptr;                         // null once the form is unloaded
    AccessibleRole closedRole = AccessibleRole::Frame;  // its role as the form was unloaded

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void RestoreIfMinimized();
    void BringBackModalForm();
};

class QtFormImpl final : public FormImpl {
public:
    QtFormImpl(const FormDesign& design, int clientWidth, int clientHeight, FormEvents& events);
    ~QtFormImpl() override;

    WindowHandle Handle() const override { return handle_; }
    ControlImpl& Control(std::size_t index) override { return *controls_[index]; }
    std::u16string Title() const override;
    void SetTitle(std::u16string_view title) override;
    PixelRect ClientRect() const override;
    void SetClientRect(const PixelRect& rect) override;
    PixelMargins Frame() const override { return frame_; }
    bool Visible() const override;
    void Show() override;
    void RunModal() override;

    const FormDesign& Design() const { return design_; }
    FormEvents& Events() const { return events_; }
    // The control a widget of this window stands for, if any.
    std::optional<std::size_t> IndexOf(const QWidget* widget) const;
    QPushButton* Button(std::optional<std::size_t> index) const;

    // The frame the window manager says it draws, once the window is mapped: the window keeps
    // its client size and moves so that its whole rectangle is centred where it was placed.
    void AdoptFrame(const PixelMargins& drawn);

private:
    void PrepareFirstShow();
    void WatchForDrawnFrame();

    const FormDesign& design_;
    FormEvents& events_;
    const WindowHandle handle_;
    FormWindow* window_;
    std::vector<std::unique_ptr<QtControlImpl>> controls_;
    PixelMargins frame_;  // around the client area, as the window manager will draw it
    QEventLoop* modalLoop_ = nullptr;
    bool shownOnce_ = false;
};

Qt::WindowFlags WindowFlagsOf(const FormDesign& design, bool closeOffered);
