// The Windows-directory dialog, opened over the main window as its button opens it.
#include "core/modKimoro.h"
#include "forms/frmAbout.h"
#include "forms/frmKimoro.h"
#include "forms/frmWinDIR.h"
#include "platform/Backend.h"
#include "platform/Win32.h"
#include "platform/standins/StandIns.h"
#include "support/Driver.h"
#include "support/Forms.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <optional>
#include <string>

namespace {

// A length as the window system holds it: the whole pixel nearest to the exact value
// (either neighbour on a tie).
void ExpectSnapped(float actual, double exact, const char* what) {
    const double pixels = actual / TwipsPerPixel();
    EXPECT_DOUBLE_EQ(pixels, std::round(pixels)) << what << " is not in whole pixels";
    EXPECT_LE(std::fabs(actual - exact), TwipsPerPixel() / 2)
        << what << ": " << actual << " for " << exact;
}

struct Layout {
    std::u16string caption, buttonCaption, labelCaption;
    float labelLeft, labelTop, labelWidth, labelHeight;
    float buttonLeft, buttonTop, buttonWidth, buttonHeight;
    float width, height;

    bool operator==(const Layout&) const = default;
};

Layout LayoutOf(WinDIRForm& dialog) {
    Control& label = dialog.lblWinDIR();
    Control& button = dialog.cbtOK();
    return {dialog.Caption(), button.Caption(), label.Caption(), label.Left(), label.Top(),
            label.Width(),    label.Height(),   button.Left(),   button.Top(), button.Width(),
            button.Height(),  dialog.Width(),   dialog.Height()};
}

// The sizes follow the label, which fits the directory: everything is measured from it.
void ExpectLaidOutAroundTheLabel(const Layout& l) {
    const float W = l.labelWidth;
    const float H = l.labelHeight;
    EXPECT_GT(W, 0);
    EXPECT_GT(H, 0);
    EXPECT_EQ(l.labelLeft, 90);
    EXPECT_EQ(l.labelTop, 90);
    EXPECT_EQ(l.width, W + 270);
    EXPECT_EQ(l.height, H + 600 + 315);
    ExpectSnapped(l.buttonWidth, 0.75 * W, "button width");
    ExpectSnapped(l.buttonLeft, l.width / 2.0 - l.buttonWidth / 2.0, "button left");
    EXPECT_EQ(l.buttonTop, H + 180);
    EXPECT_EQ(l.buttonHeight, 315);
}

class WinDIRDialog : public ::testing::Test {
protected:
    void SetUp() override {
        StartApplication();
        ASSERT_TRUE(FormInstance<KimoroForm>().Loaded());
    }
    void TearDown() override {
        SetWindowsDirectoryStandIn(std::string("/"));
        UnloadAllForms();
    }

    static bool DialogLoaded() { return FormInstance<WinDIRForm>().Loaded(); }

    // Opens the dialog as the main window's command does and runs `inspect` while it is open.
    void WhileOpen(const std::function<void(WinDIRForm& dialog)>& inspect) {
        WhileDialogOpen<WinDIRForm>(u"W", "cbtOK", inspect);
    }

    Layout OpenAndMeasure() {
        Layout layout{};
        WhileOpen([&](WinDIRForm& dialog) { layout = LayoutOf(dialog); });
        return layout;
    }

    // Only while the main window is loaded: referring to its label would load it.
    static std::u16string Greeting() { return FormInstance<KimoroForm>().lblKimoro().Caption(); }
};

TEST_F(WinDIRDialog, ShowsTheDirectoryBetweenThreeSpacesOnEachSide) {
    WhileOpen([](WinDIRForm& dialog) {
        EXPECT_TRUE(TraitsOf(dialog).visible);
        EXPECT_EQ(dialog.Caption(), u"WindowsDirectory");
        EXPECT_EQ(dialog.cbtOK().Caption(), u"OK");
        EXPECT_EQ(dialog.lblWinDIR().Caption(), u"   /   ");
    });

    SetWindowsDirectoryStandIn(std::string("C:\\WINDOWS"));
    WhileOpen(
        [](WinDIRForm& dialog) { EXPECT_EQ(dialog.lblWinDIR().Caption(), u"   C:\\WINDOWS   "); });

    // The system reports the directory in the ANSI code page: half-width katakana here.
    SetWindowsDirectoryStandIn(std::string("C:\\\xB3\xA8\xDD\xC4\xDE\xB3\xBD"));
    WhileOpen(
        [](WinDIRForm& dialog) { EXPECT_EQ(dialog.lblWinDIR().Caption(), u"   C:\\ｳｨﾝﾄﾞｳｽ   "); });

    // A failing call writes nothing: only the six spaces remain.
    SetWindowsDirectoryStandIn(std::nullopt);
    WhileOpen([](WinDIRForm& dialog) { EXPECT_EQ(dialog.lblWinDIR().Caption(), u"      "); });
}

TEST_F(WinDIRDialog, SizesItselfAndItsButtonAroundTheDirectory) {
    const Layout root = OpenAndMeasure();
    ExpectLaidOutAroundTheLabel(root);

    SetWindowsDirectoryStandIn(std::string("C:\\WINDOWS"));
    const Layout windows = OpenAndMeasure();
    ExpectLaidOutAroundTheLabel(windows);

    SetWindowsDirectoryStandIn(
        std::string("/usr/local/share/a/directory/deep/enough/to/need/room"));
    const Layout longPath = OpenAndMeasure();
    ExpectLaidOutAroundTheLabel(longPath);
    EXPECT_GT(longPath.labelWidth, windows.labelWidth);
    EXPECT_GT(longPath.width, windows.width);
    EXPECT_GT(longPath.buttonWidth, windows.buttonWidth);
    EXPECT_GT(windows.width, root.width);

    SetWindowsDirectoryStandIn(std::nullopt);
    const Layout empty = OpenAndMeasure();
    ExpectLaidOutAroundTheLabel(empty);
    EXPECT_LT(empty.labelWidth, root.labelWidth) << "six spaces are narrower than \"   /   \"";
    EXPECT_GT(empty.labelWidth, 6 * TwipsPerPixel()) << "the six spaces still take room";
    EXPECT_GT(empty.buttonWidth, 0);
}

TEST_F(WinDIRDialog, ClosesOnEnterButIgnoresEscAndLetters) {
    WhileOpen([](WinDIRForm& dialog) {
        // It comes up active, so keys go to it and not to the main window.
        ASSERT_TRUE(WaitFor([] { return FocusedControl() == "cbtOK"; }, 5000));

        Press(dialog, Key::Escape);
        EXPECT_TRUE(DialogLoaded()) << "Esc";

        // The dialog does not preview keys: the main window's letters do nothing here.
        Type(dialog, u'p');
        Type(dialog, u'x');
        ProcessEvents();
        EXPECT_TRUE(DialogLoaded());
        ASSERT_TRUE(FormInstance<KimoroForm>().Loaded());
        EXPECT_EQ(Greeting(), u"");

        Press(dialog, Key::Enter);
        EXPECT_FALSE(DialogLoaded()) << "Enter presses OK";
    });
    EXPECT_TRUE(FormInstance<KimoroForm>().Loaded());
}

TEST_F(WinDIRDialog, BlocksTheMainWindowWhileOpen) {
    KimoroForm& main = FormInstance<KimoroForm>();
    WhileOpen([&](WinDIRForm& dialog) {
        Click(main, "CoButTest");
        Click(main, "CoButVersion");
        Click(main, "CoButEnd");
        ProcessEvents();
        ASSERT_TRUE(main.Loaded());
        EXPECT_EQ(Greeting(), u"");
        EXPECT_FALSE(FormInstance<AboutForm>().Loaded());
        EXPECT_TRUE(DialogLoaded());
        EXPECT_TRUE(IsActiveModal(dialog));
    });
    // Once it is closed, the main window takes clicks again.
    Click(main, "CoButTest");
    EXPECT_NE(Greeting(), u"");
}

TEST_F(WinDIRDialog, TitleBarCannotCloseItOnceCloseIsGoneFromTheSystemMenu) {
    WhileOpen([](WinDIRForm& dialog) {
        const WindowTraits traits = TraitsOf(dialog);
        EXPECT_FALSE(traits.closeButton);
        EXPECT_FALSE(traits.minimizeButton);
        EXPECT_FALSE(traits.maximizeButton);
        EXPECT_FALSE(traits.resizable);
        EXPECT_FALSE(traits.icon) << "designed without one";

        RequestClose(dialog);
        ASSERT_TRUE(DialogLoaded());
        EXPECT_TRUE(TraitsOf(dialog).visible);

        const WindowHandle hWnd = dialog.hWnd();
        win32::HMENU menu = win32::GetSystemMenu(hWnd, 0);
        EXPECT_EQ(win32::DeleteMenu(menu, win32::SC_CLOSE, win32::MF_BYCOMMAND), 0)
            << "Close was removed while the dialog loaded";

        // A fresh menu: the command widened with its sign is no item of it, so Close stays
        // for the command itself to delete.
        EXPECT_EQ(win32::GetSystemMenu(hWnd, 1), 0u);
        menu = win32::GetSystemMenu(hWnd, 0);
        EXPECT_EQ(win32::DeleteMenu(menu, 0xFFFFF060u, win32::MF_BYCOMMAND), 0);
        EXPECT_NE(win32::DeleteMenu(menu, 0xF060u, win32::MF_BYCOMMAND), 0);
        RequestClose(dialog);
        EXPECT_TRUE(DialogLoaded());

        // With Close back in its menu, the same request unloads it.
        win32::GetSystemMenu(hWnd, 1);
        RequestClose(dialog);
        EXPECT_FALSE(DialogLoaded());
    });
}

TEST_F(WinDIRDialog, OpensAfreshEachTime) {
    Layout first{};
    WindowHandle firstHandle = 0;
    WhileOpen([&](WinDIRForm& dialog) {
        first = LayoutOf(dialog);
        firstHandle = dialog.hWnd();
        // Left behind in the unloaded form, this must not show next time.
        dialog.cbtOK().SetLeft(0);
        dialog.lblWinDIR().SetCaption(u"stale");
        dialog.SetWidth(9000);
    });
    Layout second{};
    WhileOpen([&](WinDIRForm& dialog) {
        second = LayoutOf(dialog);
        EXPECT_NE(dialog.hWnd(), firstHandle);
    });
    EXPECT_EQ(second, first);
    EXPECT_EQ(second.labelCaption, u"   /   ");
}

}  // namespace
