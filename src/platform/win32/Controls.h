// Controls as Windows' own child windows: a button is a BUTTON, a label or picture box a
// STATIC; a timer is a timer of the form's window.
#pragma once

#include "platform/Backend.h"

#include <windows.h>

#include <chrono>

class Win32ControlImpl final : public ControlImpl {
public:
    // Control `index` of the form's design, built inside `window` in `font`, shown to screen
    // readers in `role`; its window and timer ids are index + 1.
    Win32ControlImpl(const ControlDesign& design, std::size_t index, HWND window, HFONT font,
                     AccessibleRole role);
    ~Win32ControlImpl() override;

    HWND Window() const { return control_; }  // null for a timer
    const ControlDesign& Design() const { return design_; }
    // The window's WM_TIMER for this timer: true when its interval is up and it ticks now;
    // an early message re-arms it for the rest.
    bool TimerDue();

    std::u16string Text() const override;
    void SetText(std::u16string_view text) override;
    PixelRect Rect() const override;
    void SetRect(const PixelRect& rect) override;
    void FitToContent() override;
    void StartTimer(int milliseconds) override;
    void StopTimer() override;
    void Announce() override;

private:
    const ControlDesign& design_;
    const AccessibleRole role_;
    const UINT_PTR id_;
    HWND parent_;
    HWND control_ = nullptr;                         // destroyed with the form's window
    int interval_ = 0;                               // of a running timer
    std::chrono::steady_clock::time_point counted_;  // where its count started
    bool rearmed_ = false;                           // running for the rest of an interval
};
