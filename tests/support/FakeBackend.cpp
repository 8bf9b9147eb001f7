#include "support/FakeBackend.h"

#include "platform/Runtime.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <optional>
#include <stdexcept>
#include <utility>

namespace {

std::vector<FakeForm*> liveWindows;
WindowHandle nextHandle = 1;
std::function<void(FakeForm&)> modalAction;
std::function<void()> messageBoxAction;
PixelRect startUpArea{0, 0, 1000, 800};
std::deque<std::function<void()>> posted;
std::optional<int> quitStatus;

}  // namespace

void FakeControl::FitToContent() {
    rect.width = 8 * static_cast<int>(text.size());
    rect.height = 16;
    ++fits;
}

void FakeControl::StartTimer(int milliseconds) {
    ticking = true;
    interval = milliseconds;
}

FakeForm::FakeForm(const FormDesign& formDesign, int clientWidth, int clientHeight,
                   FormEvents& formEvents)
    : design(formDesign),
      events(formEvents),
      handle(nextHandle++),
      title(formDesign.caption),
      client{0, 0, clientWidth, clientHeight},
      controls(formDesign.controls.size()) {
    for (std::size_t i = 0; i < controls.size(); ++i) controls[i].text = design.controls[i].caption;
    liveWindows.push_back(this);
}

FakeForm::~FakeForm() { std::erase(liveWindows, this); }

void FakeForm::RunModal() {
    visible = true;
    const WindowHandle self = handle;
    auto alive = [self] {
        return std::any_of(liveWindows.begin(), liveWindows.end(),
                           [self](FakeForm* window) { return window->handle == self; });
    };
    if (auto action = std::exchange(modalAction, nullptr)) action(*this);
    while (alive() && !posted.empty()) {
        auto task = std::move(posted.front());
        posted.pop_front();
        task();
    }
    if (alive()) ADD_FAILURE() << "a modal form stayed loaded with nothing left to do";
}

FakeForm& WindowOf(const Form& form) {
    for (FakeForm* window : liveWindows) {
        if (window->handle == form.hWnd()) return *window;
    }
    ADD_FAILURE() << "no window for the form";
    throw std::logic_error("no window");
}

void WhenModal(std::function<void(FakeForm&)> action) { modalAction = std::move(action); }
void WhenMessageBox(std::function<void()> action) { messageBoxAction = std::move(action); }
void SetStartUpArea(const PixelRect& area) { startUpArea = area; }

std::vector<std::u16string>& MessageBoxes() {
    static std::vector<std::u16string> boxes;
    return boxes;
}

// ---- the seam ----

std::unique_ptr<FormImpl> CreateFormImpl(const FormDesign& design, int clientWidth,
                                         int clientHeight, FormEvents& events) {
    return std::make_unique<FakeForm>(design, clientWidth, clientHeight, events);
}

double TwipsPerPixel() { return 15; }
PixelRect StartUpArea(StartUpPosition) { return startUpArea; }
void PostToEventLoop(std::function<void()> task) { posted.push_back(std::move(task)); }
void QuitEventLoop(int status) { quitStatus = status; }

// Runs what was posted until the loop is quit; with nothing left to run, a real loop would
// wait for ever: -1.
int RunEventLoop() {
    quitStatus.reset();
    while (!quitStatus && !posted.empty()) {
        auto task = std::move(posted.front());
        posted.pop_front();
        task();
    }
    posted.clear();
    return quitStatus.value_or(-1);
}

void ShowMessageBox(std::u16string_view prompt, MsgBoxStyle) {
    MessageBoxes().emplace_back(prompt);
    if (auto action = std::exchange(messageBoxAction, nullptr)) action();
}
