#include "platform/win32/Controls.h"

#include "platform/common/FormRules.h"
#include "platform/win32/Accessibility.h"
#include "platform/win32/Keyboard.h"
#include "platform/win32/Pictures.h"
#include "platform/win32/Text.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

struct Kind {
    const wchar_t* windowClass;
    DWORD style;
    DWORD exStyle;
};

Kind KindOf(const ControlDesign& design) {
    switch (design.type) {
        case ControlType::Button:
            // BS_NOTIFY: the form hears of focus changes, and moves the default frame.
            return {L"BUTTON",
                    static_cast<DWORD>(BS_NOTIFY |
                                       (design.defaultButton ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON)),
                    0};
        case ControlType::Label: {
            // Captions are plain text, an ampersand included, and one line as designed.
            DWORD style =
                SS_NOTIFY | SS_NOPREFIX | (design.centred ? SS_CENTER : SS_LEFTNOWORDWRAP);
            if (design.border) style |= WS_BORDER;
            return {L"STATIC", style, 0};
        }
        case ControlType::PictureBox:
            return {L"STATIC", SS_ICON | SS_CENTERIMAGE,
                    static_cast<DWORD>(design.border ? WS_EX_CLIENTEDGE : 0)};
        case ControlType::Timer:
            break;
    }
    return {};
}

// How far the glyph draws beyond its advance on the right: an italic leans out. Its black
// box says so where a slanted face is made from an upright one; its ABC widths do not.
double Overhang(HDC dc, wchar_t glyph) {
    constexpr MAT2 kIdentity{{0, 1}, {0, 0}, {0, 0}, {0, 1}};
    GLYPHMETRICS metrics{};
    if (GetGlyphOutlineW(dc, glyph, GGO_METRICS, &metrics, 0, nullptr, &kIdentity) == GDI_ERROR) {
        return 0;
    }
    return metrics.gmptGlyphOrigin.x + static_cast<int>(metrics.gmBlackBoxX) - metrics.gmCellIncX;
}

// The size of the control's text in its font: the widest line, and every line's height.
SIZE TextSize(HWND control) {
    const std::wstring text = ToWide(WindowText(control));

    const HDC dc = GetDC(control);
    const HGDIOBJ previous =
        SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0)));
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    SIZE size{0, 0};
    std::size_t start = 0;
    while (true) {
        const std::size_t end = std::min(text.find(L'\n', start), text.size());
        std::size_t stop = end;
        if (stop > start && text[stop - 1] == L'\r') --stop;
        SIZE line{0, 0};
        GetTextExtentPoint32W(dc, text.data() + start, static_cast<int>(stop - start), &line);
        const double overhang = stop > start ? Overhang(dc, text[stop - 1]) : 0;
        size.cx = std::max<LONG>(size.cx, TextLineWidth(line.cx, overhang));
        size.cy += metrics.tmHeight;
        if (end == text.size()) break;
        start = end + 1;
    }
    SelectObject(dc, previous);
    ReleaseDC(control, dc);
    return size;
}

// What a control's frame adds to its client area.
SIZE FrameOf(HWND control) {
    RECT outer{}, client{};
    GetWindowRect(control, &outer);
    GetClientRect(control, &client);
    return {(outer.right - outer.left) - client.right, (outer.bottom - outer.top) - client.bottom};
}

}  // namespace

Win32ControlImpl::Win32ControlImpl(const ControlDesign& design, std::size_t index, HWND window,
                                   HFONT font, AccessibleRole role)
    : design_(design), role_(role), id_(index + 1), parent_(window) {
    if (design.type == ControlType::Timer) return;
    const Kind kind = KindOf(design);
    const std::wstring caption = ToWide(design.caption);
    control_ = CreateWindowExW(kind.exStyle, kind.windowClass, caption.c_str(),
                               WS_CHILD | WS_VISIBLE | kind.style, 0, 0, 0, 0, window,
                               reinterpret_cast<HMENU>(id_), GetModuleHandleW(nullptr), nullptr);
    KeepFromInputMethod(control_);
    SendMessageW(control_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    if (role == AccessibleRole::LiveRegion) MakeLiveRegion(control_);
    if (role == AccessibleRole::Link) ShowInRole(control_, [] { return AccessibleRole::Link; });
    if (design.type == ControlType::PictureBox) {
        SendMessageW(control_, STM_SETICON,
                     reinterpret_cast<WPARAM>(PictureIcon(design.picture, 32)), 0);
        SetWindowPos(control_, nullptr, 0, 0, 0, 0, SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

Win32ControlImpl::~Win32ControlImpl() {
    StopTimer();
    if (role_ == AccessibleRole::LiveRegion) ForgetLiveRegion(control_);
}

std::u16string Win32ControlImpl::Text() const {
    return control_ == nullptr ? std::u16string() : WindowText(control_);
}

void Win32ControlImpl::SetText(std::u16string_view text) {
    if (control_ == nullptr) return;
    SetWindowTextW(control_, ToWide(text).c_str());
}

void Win32ControlImpl::Announce() { AnnounceLiveRegion(control_); }

PixelRect Win32ControlImpl::Rect() const {
    RECT rect{};
    GetWindowRect(control_, &rect);
    MapWindowPoints(nullptr, parent_, reinterpret_cast<POINT*>(&rect), 2);
    return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

void Win32ControlImpl::SetRect(const PixelRect& rect) {
    SetWindowPos(control_, nullptr, rect.left, rect.top, rect.width, rect.height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32ControlImpl::FitToContent() {
    SIZE content{32, 32};  // a picture box holds one icon of the standard size
    if (design_.type == ControlType::Label) content = TextSize(control_);
    const SIZE frame = FrameOf(control_);
    SetWindowPos(control_, nullptr, 0, 0, content.cx + frame.cx, content.cy + frame.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32ControlImpl::StartTimer(int milliseconds) {
    interval_ = milliseconds;
    counted_ = std::chrono::steady_clock::now();
    rearmed_ = false;
    SetTimer(parent_, id_, static_cast<UINT>(milliseconds), nullptr);
}

void Win32ControlImpl::StopTimer() {
    if (interval_ == 0) return;
    KillTimer(parent_, id_);
    interval_ = 0;
}

bool Win32ControlImpl::TimerDue() {
    if (interval_ == 0) return false;  // a message left over from before it stopped
    // Windows rounds timers to its tick, so a message may come up to a tick early.
    const auto now = std::chrono::steady_clock::now();
    const auto interval = std::chrono::milliseconds(interval_);
    if (now - counted_ < interval) {
        const auto rest = std::chrono::ceil<std::chrono::milliseconds>(interval - (now - counted_));
        SetTimer(parent_, id_, static_cast<UINT>(std::max<long long>(rest.count(), 1)), nullptr);
        rearmed_ = true;
        return false;
    }
    counted_ = now;
    if (rearmed_) {
        SetTimer(parent_, id_, static_cast<UINT>(interval_), nullptr);
        rearmed_ = false;
    }
    return true;
}
