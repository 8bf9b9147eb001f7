// The default frame on Windows: as in any Windows dialog, the thick frame is on the focused
// push button, and back on the designed default button while the focus is elsewhere.
#include "core/modKimoro.h"
#include "forms/frmAbout.h"
#include "forms/frmKimoro.h"
#include "platform/win32/FormWindow.h"
#include "support/Driver.h"
#include "support/Forms.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

namespace {

// The buttons of the form drawn with the default frame, by design name.
std::vector<std::string> Framed(Form& form) {
    const Win32FormImpl* window = Win32FormImpl::Of(reinterpret_cast<HWND>(form.hWnd()));
    std::vector<std::string> framed;
    const auto& controls = form.design().controls;
    for (std::size_t i = 0; window != nullptr && i < controls.size(); ++i) {
        const LONG style = GetWindowLongW(window->ControlWindow(i), GWL_STYLE);
        if (controls[i].type == ControlType::Button && (style & BS_TYPEMASK) == BS_DEFPUSHBUTTON) {
            framed.push_back(controls[i].name);
        }
    }
    return framed;
}

using Names = std::vector<std::string>;

class DefaultFrame : public ::testing::Test {
protected:
    void SetUp() override {
        StartApplication();
        ASSERT_TRUE(Activate(frmKimoro()));
    }
    void TearDown() override { UnloadAllForms(); }
};

TEST_F(DefaultFrame, FollowsTheFocusAcrossTheButtons) {
    ProcessEvents();
    EXPECT_EQ(Framed(frmKimoro()), Names{"CoButTest"});
    Press(frmKimoro(), Key::Tab);
    ProcessEvents();
    ASSERT_EQ(FocusedControl(), "cbtWin");
    EXPECT_EQ(Framed(frmKimoro()), Names{"cbtWin"});
    SetFocus(frmKimoro(), "CoButVersion");
    ProcessEvents();
    EXPECT_EQ(Framed(frmKimoro()), Names{"CoButVersion"});
}

TEST_F(DefaultFrame, GoesBackToTheDesignedDefaultWhenTheFocusLeavesTheButtons) {
    WhileDialogOpen<AboutForm>(u"A", "cmdOK", [](AboutForm& about) {
        ProcessEvents();
        EXPECT_EQ(Framed(about), Names{"cmdOK"});
        Press(about, Key::Tab);  // to the picture
        ProcessEvents();
        ASSERT_EQ(FocusedControl(), "picIcon");
        EXPECT_EQ(Framed(about), Names{"cmdOK"});
        Press(about, Key::Tab);
        ProcessEvents();
        ASSERT_EQ(FocusedControl(), "cmdSysInfo");
        EXPECT_EQ(Framed(about), Names{"cmdSysInfo"});
        Press(about, Key::Tab);
        ProcessEvents();
        EXPECT_EQ(Framed(about), Names{"cmdOK"});
    });
}

}  // namespace
