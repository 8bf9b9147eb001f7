// Baseline for scripts/bench.sh --win32: the least a raw Win32 program has to do to put the
// program's main window on screen. Like for like: the same resources (manifest, so the same
// common controls and DPI mode, and icon), the same frame, client size, five controls where
// the design puts them, captions and fonts, centred on the screen. Nothing else.
#include <windows.h>

namespace {

HFONT Font(const wchar_t* face, int pixels) {
    return CreateFontW(-pixels, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH,
                       face);
}

LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int main() {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = WindowProcedure;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
    windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = L"MinimalWindow";
    RegisterClassExW(&windowClass);

    // A fixed single frame with a minimize box; 367 x 63 pixels of client area.
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    RECT outer{0, 0, 367, 63};
    AdjustWindowRectEx(&outer, style, FALSE, 0);
    const int width = outer.right - outer.left;
    const int height = outer.bottom - outer.top;
    const HWND window = CreateWindowExW(0, windowClass.lpszClassName, L"きもろ", style,
                                        (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                                        (GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height,
                                        nullptr, nullptr, instance, nullptr);

    // 8.25 and 9.75 points at 96 DPI.
    const HFONT buttonFont = Font(L"ＭＳ Ｐゴシック", 11);
    const HFONT labelFont = Font(L"ＭＳ ゴシック", 13);
    const HWND label =
        CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_CENTER | WS_BORDER, 10, 4,
                        349, 21, window, nullptr, instance, nullptr);
    SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(labelFont), FALSE);
    const struct {
        const wchar_t* caption;
        int left, width;
    } buttons[] = {
        {L"おしてね☆ﾐ(&P)", 8, 101},
        {L"&WindowsDirectory", 108, 101},
        {L"&About", 208, 77},
        {L"e&Xit", 284, 77},
    };
    for (const auto& b : buttons) {
        const HWND button =
            CreateWindowExW(0, L"BUTTON", b.caption, WS_CHILD | WS_VISIBLE | WS_TABSTOP, b.left, 32,
                            b.width, 25, window, nullptr, instance, nullptr);
        SendMessageW(button, WM_SETFONT, reinterpret_cast<WPARAM>(buttonFont), FALSE);
    }

    ShowWindow(window, SW_SHOWNORMAL);
    UpdateWindow(window);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (IsDialogMessageW(window, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
