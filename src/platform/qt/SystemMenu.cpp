// The system menu stand-in: one menu per window, which starts with the standard items.
#include "platform/qt/SystemMenu.h"

#include "platform/Win32.h"

#include <map>

namespace {

struct SystemMenu {
    bool hasClose = true;
};

std::map<win32::HMENU, SystemMenu>& Menus() {
    static std::map<win32::HMENU, SystemMenu> menus;
    return menus;
}

// A menu handle per window; never 0, so that 0 stays the "no menu" handle.
win32::HMENU MenuOf(WindowHandle hWnd) { return hWnd; }

}  // namespace

namespace win32 {

HMENU GetSystemMenu(WindowHandle hWnd, BOOL bRevert) {
    if (hWnd == 0) return 0;
    if (bRevert != 0) {
        Menus().erase(MenuOf(hWnd));
        return 0;
    }
    Menus().try_emplace(MenuOf(hWnd));
    return MenuOf(hWnd);
}

BOOL DeleteMenu(HMENU hMenu, UINT uPosition, UINT uFlags) {
    const auto menu = Menus().find(hMenu);
    // By position (MF_BYPOSITION) is not needed by the program; it fails like a bad item.
    if (menu == Menus().end() || uFlags != MF_BYCOMMAND) return 0;
    if (uPosition != SC_CLOSE || !menu->second.hasClose) return 0;
    menu->second.hasClose = false;
    return 1;
}

}  // namespace win32

bool SystemMenuOffersClose(WindowHandle hWnd) {
    const auto menu = Menus().find(MenuOf(hWnd));
    return menu == Menus().end() || menu->second.hasClose;
}

void ForgetSystemMenu(WindowHandle hWnd) { Menus().erase(MenuOf(hWnd)); }
