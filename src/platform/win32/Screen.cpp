#include "platform/win32/Screen.h"

#include "platform/Backend.h"

namespace {

// The per-DPI calls exist from Windows 10 version 1607 on; earlier systems have one DPI.
template <class Function>
Function* User32Function(const char* name) {
    return reinterpret_cast<Function*>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), name)));
}

PixelRect ToPixelRect(const RECT& rect) {
    return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

}  // namespace

int ScreenDpi() {
    static const int dpi = [] {
        const HDC screen = GetDC(nullptr);
        const int logical = GetDeviceCaps(screen, LOGPIXELSY);
        ReleaseDC(nullptr, screen);
        return logical > 0 ? logical : 96;
    }();
    return dpi;
}

int WindowDpi(HWND window) {
    using GetDpiForWindowFn = UINT WINAPI(HWND);
    static auto* const getDpi = User32Function<GetDpiForWindowFn>("GetDpiForWindow");
    const int dpi = getDpi && window ? static_cast<int>(getDpi(window)) : 0;
    return dpi > 0 ? dpi : ScreenDpi();
}

PixelMargins FrameFor(DWORD style, DWORD exStyle, int dpi) {
    using AdjustForDpiFn = BOOL WINAPI(RECT*, DWORD, BOOL, DWORD, UINT);
    static auto* const adjustForDpi = User32Function<AdjustForDpiFn>("AdjustWindowRectExForDpi");
    RECT rect{0, 0, 0, 0};
    if (adjustForDpi == nullptr ||
        !adjustForDpi(&rect, style, FALSE, exStyle, static_cast<UINT>(dpi))) {
        AdjustWindowRectEx(&rect, style, FALSE, exStyle);
    }
    return {-rect.left, -rect.top, rect.right, rect.bottom};
}

double TwipsPerPixel() { return 1440.0 / ScreenDpi(); }

PixelRect StartUpArea(StartUpPosition position) {
    RECT area{};
    if (position == StartUpPosition::CenterOwner) {
        const HWND owner = GetActiveWindow();
        if (owner != nullptr && IsWindowVisible(owner) && GetWindowRect(owner, &area)) {
            return ToPixelRect(area);
        }
        if (SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0)) return ToPixelRect(area);
    }
    return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}
