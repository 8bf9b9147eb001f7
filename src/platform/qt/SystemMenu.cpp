// The system menu stand-in: one menu per window, which starts with the standard items.
#include "platform/qt/SystemMenu.h"

#include "platform/Win32.h"

#include <map>

namespace {

// Each window's menu, whether it still offers Close. The window's handle is its menu's: never
// 0, so that 0 stays the "no menu" handle.
std::map<win32::HMENU, bool>& Menus() {
    static std::map<win32::HMENU, bool> offersClose;
    return offersClose;
}

}  // namespace

namespace win32 {

HMENU GetSystemMenu(WindowHandle hWnd, BOOL bRevert) {
    if (hWnd == 0) return 0;
    if (bRevert != 0) {
        Menus().erase(hWnd);
        return 0;
    }
    Menus().try_emplace(hWnd, true);
    return hWnd;
}

BOOL DeleteMenu(HMENU hMenu, UINT uPosition, UINT uFlags) {
    const auto menu = Menus().find(hMenu);
    // By position (MF_BYPOSITION) is not needed by the program; it fails like a bad item.
    if (menu == Menus().end() || uFlags != MF_BYCOMMAND) return 0;
    if (uPosition != SC_CLOSE || !menu->second) return 0;
    menu->second = false;
    return 1;
}

}  // namespace win32

bool SystemMenuOffersClose(WindowHandle hWnd) {
    const auto menu = Menus().find(hWnd);
    return menu == Menus().end() || menu->second;
}

void ForgetSystemMenu(WindowHandle hWnd) { Menus().erase(hWnd); }
