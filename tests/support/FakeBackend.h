// An in-memory window system for the form engine's tests: a window is a record, and events
// are calls the test makes on it. One pixel is 15 twips.
#pragma once

#include "platform/Backend.h"
#include "platform/Form.h"

#include <functional>
#include <string>
#include <vector>

struct FakeControl final : ControlImpl {
    std::u16string text;
    PixelRect rect;
    bool ticking = false;
    int interval = 0;
    int fits = 0;                           // FitToContent calls
    std::vector<std::u16string> announced;  // the text at each Announce

    std::u16string Text() const override { return text; }
    void SetText(std::u16string_view value) override { text = value; }
    PixelRect Rect() const override { return rect; }
    void SetRect(const PixelRect& value) override { rect = value; }
    // 8 pixels a character, 16 high.
    void FitToContent() override;
    void StartTimer(int milliseconds) override;
    void StopTimer() override { ticking = false; }
    void Announce() override { announced.push_back(text); }
};

struct FakeForm final : FormImpl {
    FakeForm(const FormDesign& design, int clientWidth, int clientHeight, FormEvents& events);
    ~FakeForm() override;

    WindowHandle Handle() const override { return handle; }
    ControlImpl& Control(std::size_t index) override { return controls[index]; }
    std::u16string Title() const override { return title; }
    void SetTitle(std::u16string_view value) override { title = value; }
    PixelRect ClientRect() const override { return client; }
    void SetClientRect(const PixelRect& rect) override { client = rect; }
    PixelMargins Frame() const override { return frame; }
    bool Visible() const override { return visible; }
    void Show() override { visible = true; }
    void RunModal() override;

    const FormDesign& design;
    FormEvents& events;
    WindowHandle handle;
    std::u16string title;
    PixelRect client;
    PixelMargins frame{4, 26, 4, 4};  // unlike the classic frame
    bool visible = false;
    bool destroyed = false;
    std::vector<FakeControl> controls;
};

// The live window of a loaded form; the test fails when there is none.
FakeForm& WindowOf(const Form& form);
// Runs once a window is up modally, inside its nested loop; it should unload the form.
void WhenModal(std::function<void(FakeForm& window)> action);
// Runs once the next message box is up, inside it.
void WhenMessageBox(std::function<void()> action);
// Where StartUpArea puts forms.
void SetStartUpArea(const PixelRect& area);
// The message boxes shown so far.
std::vector<std::u16string>& MessageBoxes();
