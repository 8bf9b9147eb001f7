// Frames of other sizes. Monitors of different scale: a window that Windows moves to a monitor
// of another DPI gets WM_DPICHANGED with the new DPI and a suggested rectangle, and lays itself
// out again there. A thicker title bar: the dialogs keep their client areas.
#include "core/modKimoro.h"
#include "forms/frmAbout.h"
#include "forms/frmKimoro.h"
#include "forms/frmWinDIR.h"
#include "support/Driver.h"
#include "support/Forms.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <utility>

namespace {

HWND WindowOf(Form& form) { return reinterpret_cast<HWND>(form.hWnd()); }

// Sends what Windows sends when the window reaches a monitor of `dpi`.
void MoveToMonitorOf(Form& form, int dpi, RECT suggested) {
    SendMessageW(WindowOf(form), WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                 reinterpret_cast<LPARAM>(&suggested));
    ProcessEvents();
}

int FontHeight(Form& form, std::size_t control) {
    const HWND child = GetDlgItem(WindowOf(form), static_cast<int>(control + 1));
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HGDIOBJ>(SendMessageW(child, WM_GETFONT, 0, 0)), sizeof font,
               &font);
    return font.lfHeight;
}

std::pair<int, int> ClientSize(Form& form) {
    const Pixels client = ClientRect(form);
    return {client.width, client.height};
}

// Sets the caption height that new windows get, and returns the one before.
int SetCaptionHeight(int pixels) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    const int before = metrics.iCaptionHeight;
    metrics.iCaptionHeight = pixels;
    SystemParametersInfoW(SPI_SETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    return before;
}

class DpiChange : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(GetDeviceCaps(GetDC(nullptr), LOGPIXELSY), 96) << "the tests run at 96 DPI";
        StartApplication();
    }
    void TearDown() override { UnloadAllForms(); }
};

TEST_F(DpiChange, TheMainWindowTakesTheSuggestedPlaceNewFontsAndItsTwipsAtTheNewScale) {
    Form& main = frmKimoro();
    const float width = main.Width(), height = main.Height();
    MoveToMonitorOf(main, 144, {100, 80, 700, 300});
    EXPECT_FLOAT_EQ(main.Left(), 1000);  // 10 twips a pixel now
    EXPECT_FLOAT_EQ(main.Top(), 800);
    EXPECT_NEAR(main.Width(), width, 10);
    EXPECT_NEAR(main.Height(), height, 10);
    // CoButTest is designed at 120, 480, 1515 x 375 twips.
    EXPECT_EQ(ControlRect(main, "CoButTest"), (Pixels{12, 48, 152, 38}));
    EXPECT_FLOAT_EQ(frmKimoro().CoButTest().Width(), 1520);
    EXPECT_EQ(FontHeight(main, 5), -20) << "lblKimoro: 9.75 points at 144 DPI";

    MoveToMonitorOf(main, 96, {100, 80, 400, 100});
    EXPECT_EQ(ControlRect(main, "CoButTest"), (Pixels{8, 32, 101, 25}));
    EXPECT_EQ(FontHeight(main, 5), -13);
    EXPECT_NEAR(main.Width(), width, 15);
}

TEST_F(DpiChange, TheAboutDialogMeasuresItsLabelsAgainInTheirNewFonts) {
    WhileDialogOpen<AboutForm>(u"A", "cmdOK", [](AboutForm& about) {
        const Pixels before = ControlRect(about, "lblVerCaption");
        MoveToMonitorOf(about, 144, {50, 50, 600, 400});
        const Pixels caption = ControlRect(about, "lblVerCaption");
        EXPECT_NEAR(caption.width, before.width * 1.5, 6);
        EXPECT_NEAR(caption.left, before.left * 1.5, 1);
        for (const char* label : {"lblTitle", "lblVerCaption", "lblVerSys", "lblCopyright"}) {
            EXPECT_LE(TextInkRight(about, label), ControlRect(about, label).width) << label;
        }
    });
}

using ThickerTitleBar = DpiChange;

// The caption height metric: 18 in Wine's classic frame (a 19-pixel title bar), 22 on
// Windows 10.
TEST_F(ThickerTitleBar, LeavesTheDialogsTheClientAreasTheyHaveOnTheClassicFrame) {
    for (const int caption : {18, 22}) {
        SCOPED_TRACE(caption);
        const int before = SetCaptionHeight(caption);
        EXPECT_EQ(GetSystemMetrics(SM_CYCAPTION), caption + 1);
        WhileDialogOpen<AboutForm>(u"A", "cmdOK", [](AboutForm& about) {
            EXPECT_EQ(ClientSize(about), std::pair(266, 148));
        });
        WhileDialogOpen<WinDIRForm>(u"W", "cbtOK", [](WinDIRForm& directory) {
            EXPECT_EQ(ClientSize(directory), std::pair(142, 55));
        });
        SetCaptionHeight(before);
    }
}

}  // namespace
