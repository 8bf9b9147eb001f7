// The test driver on Win32: input goes in as window messages through the program's own
// message handling, posted where Windows posts keys and sent where it sends them, and only
// to windows that take input, as Windows delivers a user's.
#include "support/Driver.h"

#include "platform/win32/FormWindow.h"
#include "platform/win32/Host.h"
#include "platform/win32/Text.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <map>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;

HWND WindowOf(Form& form) { return reinterpret_cast<HWND>(form.hWnd()); }

HWND ControlOf(Form& form, std::string_view control, std::int16_t index) {
    const Win32FormImpl* impl = Win32FormImpl::Of(WindowOf(form));
    const auto& controls = form.design().controls;
    for (std::size_t i = 0; impl != nullptr && i < controls.size(); ++i) {
        if (controls[i].name == control && controls[i].index == index) {
            return impl->ControlWindow(i);
        }
    }
    ADD_FAILURE() << "no window for " << control << "(" << index << ")";
    return nullptr;
}

bool TakesInput(HWND window) {
    const HWND root = GetAncestor(window, GA_ROOT);
    return IsWindowVisible(window) && IsWindowEnabled(window) && IsWindowEnabled(root);
}

// Runs what is queued now, through the program's own message handling.
void RunQueued() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        ProcessMessage(message);
    }
}

void WaitForMessages(Clock::duration longest) {
    const auto milliseconds = std::chrono::ceil<std::chrono::milliseconds>(longest).count();
    MsgWaitForMultipleObjects(
        0, nullptr, FALSE,
        static_cast<DWORD>(std::max<long long>(0, std::min<long long>(milliseconds, 10))),
        QS_ALLINPUT);
}

std::wstring ClassOf(HWND window) {
    wchar_t name[64] = L"";
    GetClassNameW(window, name, 64);
    return name;
}

// The shown message box of the program, a dialog of the system's dialog class.
HWND MessageBoxWindow() {
    for (HWND window : ThreadWindows()) {
        if (IsWindowVisible(window) && ClassOf(window) == L"#32770") return window;
    }
    return nullptr;
}

std::vector<HWND> ChildrenOf(HWND window) {
    std::vector<HWND> children;
    EnumChildWindows(
        window,
        [](HWND child, LPARAM list) {
            reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&children));
    return children;
}

// The window that takes the program's input now: a message box over a modal form.
HWND CurrentModal() {
    const HWND box = MessageBoxWindow();
    return box != nullptr ? box : ActiveModalWindow();
}

// Where a user's keys go in the form's window: its focused control, else the window.
HWND KeyTarget(Form& form) {
    const HWND window = WindowOf(form);
    const HWND focused = GetFocus();
    return focused != nullptr && (focused == window || IsChild(window, focused)) ? focused : window;
}

LPARAM KeyData(UINT virtualKey, bool up) {
    const UINT scan = MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC);
    return static_cast<LPARAM>(1 | (scan << 16) | (up ? 0xC0000000u : 0u));
}

// A key down and up: the message loop makes its character, as for a user's key.
void PostKey(HWND target, UINT virtualKey) {
    PostMessageW(target, WM_KEYDOWN, virtualKey, KeyData(virtualKey, false));
    PostMessageW(target, WM_KEYUP, virtualKey, KeyData(virtualKey, true));
}

int IconSize(HICON icon) {
    ICONINFO info{};
    if (icon == nullptr || !GetIconInfo(icon, &info)) return 0;
    BITMAP bitmap{};
    GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
    if (info.hbmColor) DeleteObject(info.hbmColor);
    if (info.hbmMask) DeleteObject(info.hbmMask);
    return bitmap.bmWidth;
}

// Thread timers run from every message loop, a message box's and a modal form's included.
std::map<UINT_PTR, std::shared_ptr<std::function<void()>>>& Timers() {
    static std::map<UINT_PTR, std::shared_ptr<std::function<void()>>> timers;
    return timers;
}

void CALLBACK RunTimer(HWND, UINT, UINT_PTR id, DWORD) {
    const auto found = Timers().find(id);
    if (found == Timers().end()) return;
    const auto action = found->second;  // the action may stop its own timer
    (*action)();
}

UINT_PTR StartTimer(int milliseconds, std::function<void()> action) {
    const UINT_PTR id = SetTimer(nullptr, 0, static_cast<UINT>(milliseconds), RunTimer);
    Timers()[id] = std::make_shared<std::function<void()>>(std::move(action));
    return id;
}

void StopTimer(UINT_PTR id) {
    KillTimer(nullptr, id);
    Timers().erase(id);
}

}  // namespace

void PrepareTestWindowSystem() {}

void Click(Form& form, std::string_view control, std::int16_t index) {
    const HWND window = ControlOf(form, control, index);
    if (window == nullptr || !TakesInput(window)) return;  // the system drops it too
    if (ClassOf(window) == L"Button") {
        SendMessageW(window, BM_CLICK, 0, 0);
    } else {
        SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, 0);
        SendMessageW(window, WM_LBUTTONUP, 0, 0);
    }
    RunQueued();
}

void Type(Form& form, char16_t character) {
    if (!IsWindowEnabled(WindowOf(form))) return;
    const HWND target = KeyTarget(form);
    // Space is a key that buttons answer; other characters come as an input method
    // delivers them.
    if (character == u' ') {
        PostKey(target, VK_SPACE);
    } else {
        PostMessageW(target, WM_CHAR, character, 1);
    }
    RunQueued();
}

void Press(Form& form, Key key) {
    if (!IsWindowEnabled(WindowOf(form))) return;
    PostKey(KeyTarget(form), key == Key::Enter    ? VK_RETURN
                             : key == Key::Escape ? VK_ESCAPE
                                                  : VK_TAB);
    RunQueued();
}

void PressAlt(Form& form, char letter) {
    if (!IsWindowEnabled(WindowOf(form))) return;
    constexpr LPARAM kAltDown = 1 << 29;
    PostMessageW(KeyTarget(form), WM_SYSCHAR, static_cast<WPARAM>(letter), 1 | kAltDown);
    RunQueued();
}

void RequestClose(Form& form) {
    PostMessageW(WindowOf(form), WM_SYSCOMMAND, SC_CLOSE, 0);
    RunQueued();
}

bool Activate(Form& form) {
    const HWND window = WindowOf(form);
    SetForegroundWindow(window);
    SetActiveWindow(window);
    return WaitFor([window] { return GetActiveWindow() == window; }, 2000);
}

std::string FocusedControl() {
    const HWND focused = GetFocus();
    const Win32FormImpl* form = Win32FormImpl::Of(focused);
    if (form == nullptr) return "";
    const std::optional<std::size_t> index = form->IndexOf(focused);
    if (!index) return "";
    const ControlDesign& design = form->Design().controls[*index];
    if (design.index < 0) return design.name;
    return std::string(design.name) + "(" + std::to_string(design.index) + ")";
}

void SetFocus(Form& form, std::string_view control, std::int16_t index) {
    if (const HWND window = ControlOf(form, control, index)) ::SetFocus(window);
}

void WhenModalAppears(std::function<void()> action) {
    const HWND before = CurrentModal();
    const auto started = Clock::now();
    auto id = std::make_shared<UINT_PTR>(0);
    *id = StartTimer(10, [=] {
        const HWND modal = CurrentModal();
        if (modal != nullptr && modal != before && IsWindowVisible(modal)) {
            StopTimer(*id);
            action();
        } else if (Clock::now() - started > std::chrono::seconds(5)) {
            StopTimer(*id);
            ADD_FAILURE() << "no modal window appeared";
        }
    });
}

bool IsActiveModal(Form& form) {
    return form.Loaded() && MessageBoxWindow() == nullptr &&
           ActiveModalWindow() == WindowOf(form) && IsWindowEnabled(WindowOf(form));
}

std::optional<MessageBoxView> ActiveMessageBox() {
    const HWND box = MessageBoxWindow();
    if (box == nullptr) return std::nullopt;
    MessageBoxView view;
    view.title = WindowText(box);
    const auto information = reinterpret_cast<LPARAM>(LoadIconW(nullptr, IDI_INFORMATION));
    for (HWND child : ChildrenOf(box)) {
        if (!IsWindowVisible(child)) continue;
        const std::wstring kind = ClassOf(child);
        if (kind == L"Button") ++view.buttons;
        if (kind != L"Static") continue;
        if ((GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
            view.informationIcon = SendMessageW(child, STM_GETICON, 0, 0) == information;
        } else if (const std::u16string text = WindowText(child); text.size() > view.text.size()) {
            view.text = text;
        }
    }
    return view;
}

void CloseActiveMessageBox() {
    const HWND box = MessageBoxWindow();
    ASSERT_NE(box, nullptr);
    const HWND ok = GetDlgItem(box, IDOK);
    ASSERT_NE(ok, nullptr);
    SendMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(ok));
}

WindowTraits TraitsOf(Form& form) {
    const HWND window = WindowOf(form);
    if (!IsWindow(window)) return {};
    const auto style = static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE));
    const auto exStyle = static_cast<DWORD>(GetWindowLongW(window, GWL_EXSTYLE));
    // The title bar's close button: present, and not greyed, which it is while the system
    // menu has no enabled Close (Wine's title-bar report leaves that out).
    TITLEBARINFO titleBar{};
    titleBar.cbSize = sizeof titleBar;
    const UINT close = GetMenuState(GetSystemMenu(window, FALSE), SC_CLOSE, MF_BYCOMMAND);
    const bool closeButton =
        GetTitleBarInfo(window, &titleBar) &&
        (titleBar.rgstate[5] & (STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_UNAVAILABLE)) == 0 &&
        close != static_cast<UINT>(-1) && (close & (MF_GRAYED | MF_DISABLED)) == 0;
    // The window's own icon, else its class's: the title bar shows the first there is.
    const auto iconOf = [window](WPARAM size, int classIndex) {
        const auto own = reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, size, 0));
        return own ? own : reinterpret_cast<HICON>(GetClassLongPtrW(window, classIndex));
    };
    const HICON big = iconOf(ICON_BIG, GCLP_HICON);
    const HICON small = iconOf(ICON_SMALL, GCLP_HICONSM);
    const bool owned = GetWindow(window, GW_OWNER) != nullptr;
    return {.visible = IsWindowVisible(window) != FALSE,
            .minimizeButton = (style & WS_MINIMIZEBOX) != 0,
            .maximizeButton = (style & WS_MAXIMIZEBOX) != 0,
            .closeButton = closeButton,
            .resizable = (style & WS_THICKFRAME) != 0,
            .taskbarButton =
                (exStyle & WS_EX_APPWINDOW) != 0 || (!owned && (exStyle & WS_EX_TOOLWINDOW) == 0),
            .icon32And16 = IconSize(big) == 32 && IconSize(small) == 16,
            .icon = big != nullptr || small != nullptr};
}

Pixels ScreenRect() { return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}; }

Pixels ClientRect(Form& form) {
    RECT client{};
    GetClientRect(WindowOf(form), &client);
    POINT origin{0, 0};
    ClientToScreen(WindowOf(form), &origin);
    return {origin.x, origin.y, client.right, client.bottom};
}

Pixels ControlRect(Form& form, std::string_view control, std::int16_t index) {
    const HWND window = ControlOf(form, control, index);
    RECT rect{};
    if (window == nullptr || !GetWindowRect(window, &rect)) return {};
    MapWindowPoints(nullptr, WindowOf(form), reinterpret_cast<POINT*>(&rect), 2);
    return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

bool ShowsPicture(Form& form, std::string_view control) {
    const HWND window = ControlOf(form, control, -1);
    return window != nullptr && SendMessageW(window, STM_GETICON, 0, 0) != 0;
}

int TextInkRight(Form& form, std::string_view control) {
    const HWND window = ControlOf(form, control, -1);
    RECT rect{};
    if (window == nullptr || !GetClientRect(window, &rect)) return 0;
    const int width = rect.right + 64, height = rect.bottom;
    SetWindowPos(window, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    const HDC screen = GetDC(nullptr);
    const HDC dc = CreateCompatibleDC(screen);
    const HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    const HGDIOBJ previous = SelectObject(dc, bitmap);
    SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT | PRF_ERASEBKGND);
    SetWindowPos(window, nullptr, 0, 0, rect.right, rect.bottom,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    const COLORREF background = GetPixel(dc, width - 1, 0);
    int right = 0;
    for (int x = width - 1; x >= 0 && right == 0; --x) {
        for (int y = 0; y < height; ++y) {
            if (GetPixel(dc, x, y) != background) {
                right = x + 1;
                break;
            }
        }
    }
    SelectObject(dc, previous);
    DeleteObject(bitmap);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return right;
}

int VisibleWindowCount() {
    int visible = 0;
    for (HWND window : ThreadWindows()) visible += IsWindowVisible(window) ? 1 : 0;
    return visible;
}

void ProcessEvents(int milliseconds) {
    const auto until = Clock::now() + std::chrono::milliseconds(milliseconds);
    RunQueued();
    while (Clock::now() < until) {
        WaitForMessages(until - Clock::now());
        RunQueued();
    }
}

bool WaitFor(const std::function<bool()>& condition, int milliseconds) {
    const auto until = Clock::now() + std::chrono::milliseconds(milliseconds);
    while (true) {
        RunQueued();
        if (condition()) return true;
        if (Clock::now() >= until) return false;
        WaitForMessages(until - Clock::now());
    }
}

struct Repeating::Timer {
    UINT_PTR id = 0;
};

Repeating::Repeating(int milliseconds, std::function<void()> action)
    : timer_(std::make_unique<Timer>()) {
    timer_->id = StartTimer(milliseconds, std::move(action));
}

Repeating::~Repeating() { StopTimer(timer_->id); }
