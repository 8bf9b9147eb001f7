// The window system on Win32: the window classes, the event loop and its posted tasks.
#include "platform/win32/Host.h"

#include "platform/Backend.h"
#include "platform/Entry.h"
#include "platform/win32/FormWindow.h"
#include "platform/win32/Keyboard.h"
#include "platform/win32/Pictures.h"

#include <commctrl.h>
#include <objbase.h>

#include <functional>
#include <memory>

namespace {

constexpr wchar_t kApplicationClass[] = L"KimoroApplication";
constexpr UINT kRunTask = WM_APP + 1;  // lParam: a std::function<void()>* to run and free

HWND applicationWindow = nullptr;

LRESULT CALLBACK ApplicationProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kRunTask) {
        const std::unique_ptr<std::function<void()>> task(
            reinterpret_cast<std::function<void()>*>(lParam));
        (*task)();
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

class Win32WindowSystem final : public WindowSystem {
public:
    Win32WindowSystem() {
        // A single-threaded apartment: screen readers' requests for the windows' objects
        // and the shell's calls are served on this thread, between its messages.
        comStarted_ = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
        const HINSTANCE instance = GetModuleHandleW(nullptr);
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
        InitCommonControlsEx(&controls);

        WNDCLASSEXW form{};
        form.cbSize = sizeof form;
        form.lpfnWndProc = Win32FormImpl::WindowProc;
        form.hInstance = instance;
        form.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        form.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        form.lpszClassName = kFormClass;
        // No class icon: a form shows an icon only where its design names one.
        RegisterClassExW(&form);

        WNDCLASSEXW application{};
        application.cbSize = sizeof application;
        application.lpfnWndProc = ApplicationProc;
        application.hInstance = instance;
        application.lpszClassName = kApplicationClass;
        RegisterClassExW(&application);
        applicationWindow = CreateWindowExW(0, kApplicationClass, L"", WS_POPUP, 0, 0, 0, 0,
                                            nullptr, nullptr, instance, nullptr);
    }
    ~Win32WindowSystem() override {
        DestroyWindow(applicationWindow);
        applicationWindow = nullptr;
        if (comStarted_) CoUninitialize();
    }

private:
    bool comStarted_ = false;
};

}  // namespace

std::unique_ptr<WindowSystem> StartWindowSystem(int, char**) {
    return std::make_unique<Win32WindowSystem>();
}

HWND ApplicationWindow() { return applicationWindow; }

void ProcessMessage(MSG& message) {
    if (HandleFormKey(message)) return;
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

int RunEventLoop() {
    MSG message;
    BOOL got;
    while ((got = GetMessageW(&message, nullptr, 0, 0)) > 0) ProcessMessage(message);
    return got == 0 ? static_cast<int>(message.wParam) : 1;
}

void QuitEventLoop(int status) { PostQuitMessage(status); }

// A posted message runs in whichever loop takes messages next, a modal one too.
void PostToEventLoop(std::function<void()> task) {
    auto* posted = new std::function<void()>(std::move(task));
    if (!PostMessageW(applicationWindow, kRunTask, 0, reinterpret_cast<LPARAM>(posted))) {
        delete posted;
    }
}
