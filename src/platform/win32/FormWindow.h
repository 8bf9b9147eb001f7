// A form's window on Win32: a top-level window of the program's class with the form's
// controls as children.
#pragma once

#include "platform/Backend.h"
#include "platform/win32/Controls.h"

#include <windows.h>

#include <memory>
#include <optional>
#include <vector>

inline constexpr wchar_t kFormClass[] = L"KimoroForm";

// The top-level windows of the program's thread: its forms, message boxes and helpers.
std::vector<HWND> ThreadWindows();

class Win32FormImpl final : public FormImpl {
public:
    Win32FormImpl(const FormDesign& design, int clientWidth, int clientHeight, FormEvents& events);
    ~Win32FormImpl() override;

    // The form whose window is `window` or holds it; null for any other window.
    static Win32FormImpl* Of(HWND window);
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    WindowHandle Handle() const override;
    ControlImpl& Control(std::size_t index) override { return *controls_[index]; }
    std::u16string Title() const override;
    void SetTitle(std::u16string_view title) override;
    PixelRect ClientRect() const override;
    void SetClientRect(const PixelRect& rect) override;
    PixelMargins Frame() const override;
    bool Visible() const override;
    void Show() override;
    void RunModal() override;

    HWND Window() const { return window_; }
    const FormDesign& Design() const { return design_; }
    FormEvents& Events() const { return events_; }
    // The control a child window stands for, if any.
    std::optional<std::size_t> IndexOf(HWND child) const;
    HWND ControlWindow(std::size_t index) const { return controls_[index]->Window(); }
    // Clicks the button if it takes input now. The form may be gone when this returns.
    void PressButton(std::optional<std::size_t> index);
    // Moves the focus along the tab order, forwards or backwards.
    void Tab(bool forwards);

private:
    struct ModalRun;

    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void FrameDefaultButton();
    bool TakesInput(HWND control) const;

    const FormDesign& design_;
    FormEvents& events_;
    HWND window_ = nullptr;
    std::vector<std::unique_ptr<Win32ControlImpl>> controls_;
    HWND focus_ = nullptr;  // the focused control while the window is inactive
    ModalRun* modal_ = nullptr;
    bool shownOnce_ = false;
};

// The window of the modal form that takes input now, or null when none runs.
HWND ActiveModalWindow();
