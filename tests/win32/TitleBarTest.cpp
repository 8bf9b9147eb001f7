// The title bar's close on Windows: the dialogs delete Close from their real system menus,
// after which every close from outside is refused, while the program still closes them.
#include "core/modKimoro.h"
#include "forms/frmKimoro.h"
#include "forms/frmWinDIR.h"
#include "platform/Win32.h"
#include "support/Driver.h"
#include "support/Forms.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <functional>

namespace {

HWND WindowOf(Form& form) { return reinterpret_cast<HWND>(form.hWnd()); }

UINT CloseState(HWND window) {
    return GetMenuState(GetSystemMenu(window, FALSE), SC_CLOSE, MF_BYCOMMAND);
}

struct OutsideClose {
    const char* what;
    std::function<void(HWND)> send;
};

// The ways a window is closed from outside it: another program, the title bar's button or
// system menu, the keyboard.
const OutsideClose kOutsideCloses[] = {
    {"WM_CLOSE", [](HWND window) { PostMessageW(window, WM_CLOSE, 0, 0); }},
    {"SC_CLOSE", [](HWND window) { PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0); }},
    {"Alt+F4",
     [](HWND window) {
         constexpr LPARAM kAltDown = 1 << 29;
         PostMessageW(window, WM_SYSKEYDOWN, VK_F4, 1 | kAltDown);
         PostMessageW(window, WM_SYSKEYUP, VK_F4, 1 | kAltDown | 0xC0000000);
     }},
};

class TitleBar : public ::testing::Test {
protected:
    void SetUp() override {
        StartApplication();
        ASSERT_TRUE(FormInstance<KimoroForm>().Loaded());
    }
    void TearDown() override { UnloadAllForms(); }
};

TEST_F(TitleBar, DeleteMenuTakesCloseOnlyByItsUnsignedCommand) {
    const HWND window = WindowOf(frmKimoro());
    const win32::HMENU menu = win32::GetSystemMenu(frmKimoro().hWnd(), 0);
    ASSERT_NE(menu, 0u);
    const int items = GetMenuItemCount(reinterpret_cast<HMENU>(menu));
    ASSERT_NE(CloseState(window), static_cast<UINT>(-1));

    // The command widened with its sign names no item.
    EXPECT_EQ(win32::DeleteMenu(menu, 0xFFFFF060u, MF_BYCOMMAND), 0);
    EXPECT_NE(CloseState(window), static_cast<UINT>(-1));
    EXPECT_TRUE(TraitsOf(frmKimoro()).closeButton);

    EXPECT_NE(win32::DeleteMenu(menu, 0xF060u, MF_BYCOMMAND), 0);
    EXPECT_EQ(CloseState(window), static_cast<UINT>(-1));
    EXPECT_EQ(GetMenuItemCount(reinterpret_cast<HMENU>(menu)), items - 1);
    EXPECT_FALSE(TraitsOf(frmKimoro()).closeButton) << "the title bar's button is greyed";
    EXPECT_EQ(win32::DeleteMenu(menu, 0xF060u, MF_BYCOMMAND), 0) << "gone already";
}

// Every way is checked where it must close, too: a refusal that nothing could cause would
// prove nothing.
TEST_F(TitleBar, RefusesOutsideClosesOnceCloseIsGoneButTheProgramStillCloses) {
    for (const OutsideClose& close : kOutsideCloses) {
        WhileDialogOpen<WinDIRForm>(u"W", "cbtOK", [&](WinDIRForm& dialog) {
            const HWND window = WindowOf(dialog);
            EXPECT_EQ(CloseState(window), static_cast<UINT>(-1)) << close.what;
            EXPECT_FALSE(TraitsOf(dialog).closeButton) << close.what;
            close.send(window);
            ProcessEvents(50);
            ASSERT_TRUE(dialog.Loaded()) << close.what;
            EXPECT_TRUE(IsWindowVisible(window)) << close.what;
            EXPECT_TRUE(IsActiveModal(dialog)) << close.what;
        });  // closed by its OK button: the program's own unload

        // The main window keeps Close in its menu: the same request closes it.
        ASSERT_TRUE(FormInstance<KimoroForm>().Loaded());
        const HWND main = WindowOf(frmKimoro());
        close.send(main);
        ProcessEvents(50);
        EXPECT_FALSE(FormInstance<KimoroForm>().Loaded()) << close.what;
        EXPECT_FALSE(IsWindow(main)) << close.what;
        StartApplication();
    }
}

}  // namespace
