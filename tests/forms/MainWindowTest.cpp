// The main window as the start-up procedure shows it: design, captions, buttons.
#include "core/modKimoro.h"
#include "forms/frmKimoro.h"
#include "platform/Backend.h"
#include "support/Driver.h"
#include "support/Forms.h"

#include <gtest/gtest.h>

namespace {

class MainWindow : public ::testing::Test {
protected:
    void SetUp() override {
        StartApplication();
        ASSERT_TRUE(FormInstance<KimoroForm>().Loaded());
    }
    void TearDown() override { UnloadAllForms(); }
};

TEST_F(MainWindow, ShowsTitleCaptionsAndAnEmptyGreeting) {
    KimoroForm& form = frmKimoro();
    EXPECT_TRUE(TraitsOf(form).visible);
    EXPECT_EQ(form.Caption(), u"きもろ");
    EXPECT_EQ(form.CoButTest().Caption(), u"おしてね☆ﾐ(&P)");
    EXPECT_EQ(form.cbtWin().Caption(), u"&WindowsDirectory");
    EXPECT_EQ(form.CoButVersion().Caption(), u"&About");
    EXPECT_EQ(form.CoButEnd().Caption(), u"e&Xit");
    EXPECT_EQ(form.lblKimoro().Caption(), u"");
    EXPECT_EQ(form.timKimoro().Interval(), 0);
}

TEST_F(MainWindow, KeepsItsDesignedGeometryInTwips) {
    struct Expected {
        const char* name;
        int left, top, width, height;
    };
    // Whole pixels at 15 twips each: every designed value is a multiple of 15.
    const Expected controls[] = {
        {"CoButTest", 120, 480, 1515, 375},     {"cbtWin", 1620, 480, 1515, 375},
        {"CoButVersion", 3120, 480, 1155, 375}, {"CoButEnd", 4260, 480, 1155, 375},
        {"lblKimoro", 150, 60, 5235, 315},
    };
    const auto pixels = [](int twips) { return static_cast<int>(twips / TwipsPerPixel()); };
    for (const Expected& c : controls) {
        Control& control = frmKimoro().control(c.name);
        EXPECT_FLOAT_EQ(control.Left(), c.left) << c.name;
        EXPECT_FLOAT_EQ(control.Top(), c.top) << c.name;
        EXPECT_FLOAT_EQ(control.Width(), c.width) << c.name;
        EXPECT_FLOAT_EQ(control.Height(), c.height) << c.name;
        EXPECT_EQ(ControlRect(frmKimoro(), c.name),
                  (Pixels{pixels(c.left), pixels(c.top), pixels(c.width), pixels(c.height)}))
            << c.name;
    }
    const Pixels client = ClientRect(frmKimoro());
    EXPECT_EQ(client.width, pixels(5505));
    EXPECT_EQ(client.height, pixels(945));
}

TEST_F(MainWindow, IsCentredFixedInSizeAndCannotBeMaximized) {
    const Pixels screen = ScreenRect();
    const float outerWidth = frmKimoro().Width();
    const float outerHeight = frmKimoro().Height();
    EXPECT_GT(outerWidth, 5505);
    EXPECT_GT(outerHeight, 945);
    const double twipsPerPixel = TwipsPerPixel();
    EXPECT_NEAR(frmKimoro().Left() + outerWidth / 2,
                (screen.left + screen.width / 2.0) * twipsPerPixel, twipsPerPixel);
    EXPECT_NEAR(frmKimoro().Top() + outerHeight / 2,
                (screen.top + screen.height / 2.0) * twipsPerPixel, twipsPerPixel);
    const WindowTraits traits = TraitsOf(frmKimoro());
    EXPECT_FALSE(traits.resizable);
    EXPECT_FALSE(traits.maximizeButton);
    EXPECT_TRUE(traits.minimizeButton);
    EXPECT_TRUE(traits.icon);
    EXPECT_TRUE(traits.icon32And16);
}

TEST_F(MainWindow, TabsThroughTheButtonsFromLeftToRightStartingAtTheGreetingButton) {
    ASSERT_TRUE(Activate(frmKimoro()));
    EXPECT_EQ(FocusedControl(), "CoButTest");
    const char* order[] = {"cbtWin", "CoButVersion", "CoButEnd", "CoButTest"};
    for (const char* name : order) {
        Press(frmKimoro(), Key::Tab);
        EXPECT_EQ(FocusedControl(), name);
    }
    // The greeting label sits above the buttons and never takes the focus, not by a click
    // either.
    Click(frmKimoro(), "lblKimoro");
    EXPECT_EQ(FocusedControl(), "CoButTest");
}

TEST_F(MainWindow, EnterPressesTheDefaultButtonOrTheFocusedOne) {
    ASSERT_TRUE(Activate(frmKimoro()));
    Press(frmKimoro(), Key::Enter);
    EXPECT_NE(frmKimoro().lblKimoro().Caption(), u"")
        << "Enter on the greeting button shows a greeting";
    EXPECT_EQ(frmKimoro().timKimoro().Interval(), 2500);

    SetFocus(frmKimoro(), "CoButEnd");
    Press(frmKimoro(), Key::Enter);
    ProcessEvents();
    EXPECT_FALSE(FormInstance<KimoroForm>().Loaded()) << "Enter on eXit unloads the main window";
}

}  // namespace
