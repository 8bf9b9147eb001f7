// Building a form's window from its design; showing it, modally too; its title bar's close.
#include "platform/win32/FormWindow.h"

#include "platform/common/FormRules.h"
#include "platform/win32/Accessibility.h"
#include "platform/win32/Fonts.h"
#include "platform/win32/Host.h"
#include "platform/win32/Keyboard.h"
#include "platform/win32/Pictures.h"
#include "platform/win32/Screen.h"
#include "platform/win32/SystemMenu.h"
#include "platform/win32/Text.h"

#include <algorithm>

namespace {

// Fixed frames, as Windows draws single and dialog borders; boxes only where designed.
DWORD StyleOf(const FormDesign& design) {
    DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    if (design.minButton) style |= WS_MINIMIZEBOX;
    if (design.maxButton) style |= WS_MAXIMIZEBOX;
    return style;
}

DWORD ExStyleOf(const FormDesign& design) {
    return design.borderStyle == BorderStyle::FixedDialog ? WS_EX_DLGMODALFRAME : 0;
}

std::vector<HWND>& ModalStack() {
    static std::vector<HWND> stack;
    return stack;
}

// Asks the form to move its default frame once a focus change is complete.
constexpr UINT kFrameDefaultButton = WM_APP + 2;

void SetOwner(HWND window, HWND owner) {
    SetWindowLongPtrW(window, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner));
}

}  // namespace

struct Win32FormImpl::ModalRun {
    bool ended = false;
    HWND previous = nullptr;     // active when it started
    std::vector<HWND> disabled;  // in the order they were disabled

    // The other windows take input again, and the one active before gets it back.
    void Release(HWND modal) {
        for (auto window = disabled.rbegin(); window != disabled.rend(); ++window) {
            if (IsWindow(*window)) EnableWindow(*window, TRUE);
        }
        disabled.clear();
        if (GetActiveWindow() == modal && previous != nullptr && IsWindow(previous) &&
            IsWindowEnabled(previous) && IsWindowVisible(previous)) {
            SetActiveWindow(previous);
        }
    }
};

std::unique_ptr<FormImpl> CreateFormImpl(const FormDesign& design, int clientWidth,
                                         int clientHeight, FormEvents& events) {
    return std::make_unique<Win32FormImpl>(design, clientWidth, clientHeight, events);
}

HWND ActiveModalWindow() { return ModalStack().empty() ? nullptr : ModalStack().back(); }

Win32FormImpl::Win32FormImpl(const FormDesign& design, int clientWidth, int clientHeight,
                             FormEvents& events)
    : design_(design), events_(events) {
    const PixelRect outer = Around({0, 0, clientWidth, clientHeight},
                                   FrameFor(StyleOf(design), ExStyleOf(design), ScreenDpi()));
    const std::wstring title = ToWide(design.caption);
    CreateWindowExW(ExStyleOf(design), kFormClass, title.c_str(), StyleOf(design), 0, 0,
                    outer.width, outer.height, nullptr, nullptr, GetModuleHandleW(nullptr),
                    this);  // sets window_
    KeepFromInputMethod(window_);
    ShowInRole(window_, [&events] { return events.WindowRole(); });
    // The frame follows the DPI of the monitor the window is on.
    if (WindowDpi(window_) != ScreenDpi()) SetClientRect({0, 0, clientWidth, clientHeight});
    if (design.icon != Picture::None) {
        const int big = GetSystemMetrics(SM_CXICON), small = GetSystemMetrics(SM_CXSMICON);
        SendMessageW(window_, WM_SETICON, ICON_BIG,
                     reinterpret_cast<LPARAM>(PictureIcon(design.icon, big)));
        SendMessageW(window_, WM_SETICON, ICON_SMALL,
                     reinterpret_cast<LPARAM>(PictureIcon(design.icon, small)));
    }
    for (std::size_t i = 0; i < design.controls.size(); ++i) {
        const ControlDesign& control = design.controls[i];
        controls_.push_back(std::make_unique<Win32ControlImpl>(
            control, i, window_, FontOf(control.font ? control.font : design.font, ScreenDpi()),
            events.ControlRole(i)));
    }
    const std::vector<std::size_t> order = TabOrder(design);
    if (!order.empty()) focus_ = ControlWindow(order.front());
}

Win32FormImpl::~Win32FormImpl() {
    SetWindowLongPtrW(window_, GWLP_USERDATA, 0);  // no message reaches the form any more
    controls_.clear();                             // nor any timer
    // A window opened over this one stays when this one goes.
    for (HWND window : ThreadWindows()) {
        if (GetWindow(window, GW_OWNER) == window_) SetOwner(window, ApplicationWindow());
    }
    std::erase(ModalStack(), window_);
    if (modal_ != nullptr) {
        modal_->Release(window_);
        modal_->ended = true;
        PostThreadMessageW(GetCurrentThreadId(), WM_NULL, 0, 0);  // wakes its loop
    }
    ForgetSystemMenu(window_);
    DestroyWindow(window_);
}

Win32FormImpl* Win32FormImpl::Of(HWND window) {
    const HWND root = window ? GetAncestor(window, GA_ROOT) : nullptr;
    wchar_t name[32] = L"";
    if (root == nullptr || !GetClassNameW(root, name, 32) ||
        std::wstring_view(name) != kFormClass) {
        return nullptr;
    }
    return reinterpret_cast<Win32FormImpl*>(GetWindowLongPtrW(root, GWLP_USERDATA));
}

LRESULT CALLBACK Win32FormImpl::WindowProc(HWND window, UINT message, WPARAM wParam,
                                           LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* form = static_cast<Win32FormImpl*>(
            reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams);
        form->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
    }
    auto* form = reinterpret_cast<Win32FormImpl*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (form == nullptr) return DefWindowProcW(window, message, wParam, lParam);
    return form->OnMessage(message, wParam, lParam);
}

// Every FormEvents call may unload the form: nothing of it is touched afterwards.
LRESULT Win32FormImpl::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND: {
            const std::size_t index = LOWORD(wParam) - 1u;
            if (lParam != 0 && HIWORD(wParam) == BN_CLICKED && index < controls_.size() &&
                controls_[index]->Design().type != ControlType::PictureBox) {
                events_.Clicked(index);
                return 0;
            }
            if (lParam != 0 && (HIWORD(wParam) == BN_SETFOCUS || HIWORD(wParam) == BN_KILLFOCUS)) {
                PostMessageW(window_, kFrameDefaultButton, 0, 0);
                return 0;
            }
            break;
        }
        case kFrameDefaultButton:
            FrameDefaultButton();
            return 0;
        case WM_TIMER: {
            const std::size_t index = wParam - 1u;
            if (index < controls_.size() && controls_[index]->TimerDue()) events_.Ticked(index);
            return 0;
        }
        case WM_CLOSE:
            // Never closed here: the form unloads, which takes the window away.
            if (SystemMenuOffersClose(window_)) events_.CloseRequested();
            return 0;
        case WM_SYSCOMMAND:
            // The title bar's button and Alt+F4 come here: refused once Close is gone.
            if ((wParam & 0xFFF0) == SC_CLOSE && !SystemMenuOffersClose(window_)) return 0;
            break;
        case WM_ACTIVATE:
            if (LOWORD(wParam) == WA_INACTIVE) {
                const HWND focused = GetFocus();
                if (focused != nullptr && IsChild(window_, focused)) focus_ = focused;
            }
            break;  // on activation the window takes the focus and hands it on
        case WM_DPICHANGED: {
            // Per-monitor awareness: the window moved to a monitor of another scale.
            const int dpi = LOWORD(wParam);
            for (std::size_t i = 0; i < controls_.size(); ++i) {
                const ControlDesign& control = design_.controls[i];
                if (control.type == ControlType::Timer) continue;
                const HFONT font = FontOf(control.font ? control.font : design_.font, dpi);
                SendMessageW(ControlWindow(i), WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
            }
            const RECT& suggested = *reinterpret_cast<const RECT*>(lParam);
            events_.DpiChanged(1440.0 / dpi,
                               {suggested.left, suggested.top, suggested.right - suggested.left,
                                suggested.bottom - suggested.top});
            // Moving the controls copied their old pictures along: all of it is drawn anew.
            RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
            return 0;
        }
        case WM_GETMINMAXINFO:
            // A form is as small as the program makes it: a dialog may fit a short text
            // more closely than the title bar's usual minimum.
            reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize = {1, 1};
            return 0;
        case WM_SETFOCUS:
            if (focus_ != nullptr && IsWindow(focus_)) SetFocus(focus_);
            return 0;
        default:
            break;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

// As in any Windows dialog, the thick frame is on the button that Enter presses: the
// focused one, or the designed default while the focus is elsewhere.
void Win32FormImpl::FrameDefaultButton() {
    HWND focused = GetFocus();
    if (focused == nullptr || !IsChild(window_, focused)) focused = focus_;
    const auto framed = EnterButton(design_, IndexOf(focused));
    for (std::size_t i = 0; i < controls_.size(); ++i) {
        if (design_.controls[i].type != ControlType::Button) continue;
        const HWND button = ControlWindow(i);
        const DWORD type = framed == i ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
        if ((GetWindowLongW(button, GWL_STYLE) & BS_TYPEMASK) != type) {
            SendMessageW(button, BM_SETSTYLE, type | BS_NOTIFY, TRUE);
        }
    }
}

WindowHandle Win32FormImpl::Handle() const { return reinterpret_cast<WindowHandle>(window_); }

std::u16string Win32FormImpl::Title() const { return WindowText(window_); }

void Win32FormImpl::SetTitle(std::u16string_view title) {
    SetWindowTextW(window_, ToWide(title).c_str());
}

PixelRect Win32FormImpl::ClientRect() const {
    RECT rect{};
    GetClientRect(window_, &rect);
    POINT origin{0, 0};
    ClientToScreen(window_, &origin);
    return {origin.x, origin.y, rect.right, rect.bottom};
}

void Win32FormImpl::SetClientRect(const PixelRect& rect) {
    const PixelRect outer = Around(rect, Frame());
    SetWindowPos(window_, nullptr, outer.left, outer.top, outer.width, outer.height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

// Reckoned for the window's DPI, which may have changed before the frame is drawn anew.
PixelMargins Win32FormImpl::Frame() const {
    return FrameFor(StyleOf(design_), ExStyleOf(design_), WindowDpi(window_));
}

bool Win32FormImpl::Visible() const { return IsWindowVisible(window_) != FALSE; }

void Win32FormImpl::Show() {
    if (!shownOnce_) {
        shownOnce_ = true;
        // An owned window has no taskbar button: owned by the window it opens over.
        if (!design_.showInTaskbar) {
            const HWND active = GetActiveWindow();
            SetOwner(window_,
                     active != nullptr && active != window_ ? active : ApplicationWindow());
        }
    }
    ShowWindow(window_, SW_SHOW);
    SetForegroundWindow(window_);
    SetActiveWindow(window_);
}

void Win32FormImpl::RunModal() {
    ModalRun run;
    run.previous = GetActiveWindow();
    for (HWND window : ThreadWindows()) {
        if (window != window_ && IsWindowVisible(window) && IsWindowEnabled(window)) {
            EnableWindow(window, FALSE);
            run.disabled.push_back(window);
        }
    }
    ModalStack().push_back(window_);
    modal_ = &run;
    Show();
    MSG message;
    while (!run.ended) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got <= 0) {
            // The program ends: the loop below ours gets the news too.
            PostQuitMessage(got == 0 ? static_cast<int>(message.wParam) : 1);
            break;
        }
        ProcessMessage(message);
    }
    if (!run.ended) {
        modal_ = nullptr;
        std::erase(ModalStack(), window_);
        run.Release(window_);
    }
}

std::optional<std::size_t> Win32FormImpl::IndexOf(HWND child) const {
    for (std::size_t i = 0; i < controls_.size(); ++i) {
        if (child != nullptr && controls_[i]->Window() == child) return i;
    }
    return std::nullopt;
}

bool Win32FormImpl::TakesInput(HWND control) const {
    return control != nullptr && IsWindowEnabled(window_) && IsWindowEnabled(control) &&
           IsWindowVisible(control);
}

void Win32FormImpl::PressButton(std::optional<std::size_t> index) {
    if (!index || !TakesInput(ControlWindow(*index))) return;
    events_.Clicked(*index);
}

void Win32FormImpl::Tab(bool forwards) {
    std::vector<HWND> order;
    for (std::size_t index : TabOrder(design_)) {
        if (TakesInput(ControlWindow(index))) order.push_back(ControlWindow(index));
    }
    if (order.empty()) return;
    if (!forwards) std::reverse(order.begin(), order.end());
    const auto current = std::find(order.begin(), order.end(), GetFocus());
    const auto next =
        current == order.end() || current + 1 == order.end() ? order.begin() : current + 1;
    focus_ = *next;
    SetFocus(*next);
}

std::vector<HWND> ThreadWindows() {
    std::vector<HWND> windows;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM list) {
            reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&windows));
    return windows;
}
