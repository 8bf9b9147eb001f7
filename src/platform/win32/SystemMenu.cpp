// The user32 calls of Win32.h, on the windows' real system menus. Win32.h comes first: its
// constants are names that <windows.h> turns into macros, so none is named below.
#include "platform/Win32.h"

#include "platform/win32/SystemMenu.h"

#include <map>

namespace {

// Which window a menu handle was given out for, so that its title bar can be redrawn once
// Close leaves or comes back.
std::map<win32::HMENU, HWND>& Owners() {
    static std::map<win32::HMENU, HWND> owners;
    return owners;
}

void RedrawFrame(HWND window) {
    SetWindowPos(window, nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

namespace win32 {

HMENU GetSystemMenu(WindowHandle hWnd, BOOL bRevert) {
    const HWND window = reinterpret_cast<::HWND>(hWnd);
    const auto menu = reinterpret_cast<HMENU>(::GetSystemMenu(window, bRevert));
    if (bRevert != 0 && IsWindow(window)) RedrawFrame(window);
    if (menu != 0) Owners()[menu] = window;
    return menu;
}

BOOL DeleteMenu(HMENU hMenu, UINT uPosition, UINT uFlags) {
    const BOOL deleted = ::DeleteMenu(reinterpret_cast<::HMENU>(hMenu), uPosition, uFlags);
    const auto owner = Owners().find(hMenu);
    if (deleted && owner != Owners().end() && IsWindow(owner->second)) RedrawFrame(owner->second);
    return deleted;
}

}  // namespace win32

bool SystemMenuOffersClose(HWND window) {
    const UINT state = GetMenuState(::GetSystemMenu(window, FALSE), SC_CLOSE, MF_BYCOMMAND);
    return state != static_cast<UINT>(-1) && (state & (MF_GRAYED | MF_DISABLED)) == 0;
}

void ForgetSystemMenu(HWND window) {
    std::erase_if(Owners(), [window](const auto& owner) { return owner.second == window; });
}
