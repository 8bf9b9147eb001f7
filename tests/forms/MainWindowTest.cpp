// The main window as the start-up procedure shows it: design, captions, buttons.
#include "core/modKimoro.h"
#include "forms/frmKimoro.h"
#include "support/Gui.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class MainWindow : public ::testing::Test {
protected:
    void SetUp() override {
        StartApplication();
        window = WindowOf(frmKimoro());
        ASSERT_NE(window, nullptr);
    }
    void TearDown() override { UnloadAllForms(); }

    QPushButton* Button(const char* name) { return Widget<QPushButton>(frmKimoro(), name); }
    QLabel* Greeting() { return Widget<QLabel>(frmKimoro(), "lblKimoro"); }

    QWidget* window = nullptr;
};

TEST_F(MainWindow, ShowsTitleCaptionsAndAnEmptyGreeting) {
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->windowTitle(), QStringLiteral(u"きもろ"));
    EXPECT_EQ(Button("CoButTest")->text(), QStringLiteral(u"おしてね☆ﾐ(&P)"));
    EXPECT_EQ(Button("cbtWin")->text(), QStringLiteral(u"&WindowsDirectory"));
    EXPECT_EQ(Button("CoButVersion")->text(), QStringLiteral(u"&About"));
    EXPECT_EQ(Button("CoButEnd")->text(), QStringLiteral(u"e&Xit"));
    EXPECT_EQ(Greeting()->text(), QString());
    EXPECT_EQ(frmKimoro().timKimoro().Interval(), 0);
}

TEST_F(MainWindow, KeepsItsDesignedGeometryInTwips) {
    struct Expected {
        const char* name;
        float left, top, width, height;
    };
    // Whole pixels at 15 twips each: every designed value is a multiple of 15.
    const Expected controls[] = {
        {"CoButTest", 120, 480, 1515, 375}, {"cbtWin", 1620, 480, 1515, 375},
        {"CoButVersion", 3120, 480, 1155, 375}, {"CoButEnd", 4260, 480, 1155, 375},
        {"lblKimoro", 150, 60, 5235, 315},
    };
    for (const Expected& c : controls) {
        Control& control = frmKimoro().control(c.name);
        EXPECT_FLOAT_EQ(control.Left(), c.left) << c.name;
        EXPECT_FLOAT_EQ(control.Top(), c.top) << c.name;
        EXPECT_FLOAT_EQ(control.Width(), c.width) << c.name;
        EXPECT_FLOAT_EQ(control.Height(), c.height) << c.name;
        QWidget* widget = Widget(frmKimoro(), c.name);
        EXPECT_EQ(widget->geometry(), QRect(c.left / 15, c.top / 15, c.width / 15, c.height / 15))
            << c.name;
    }
    EXPECT_EQ(window->size(), QSize(5505 / 15, 945 / 15));
}

TEST_F(MainWindow, IsCentredFixedInSizeAndCannotBeMaximized) {
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    const float outerWidth = frmKimoro().Width();
    const float outerHeight = frmKimoro().Height();
    EXPECT_GT(outerWidth, 5505);
    EXPECT_GT(outerHeight, 945);
    EXPECT_NEAR(frmKimoro().Left() + outerWidth / 2, screen.center().x() * 15.0, 15);
    EXPECT_NEAR(frmKimoro().Top() + outerHeight / 2, screen.center().y() * 15.0, 15);
    EXPECT_EQ(window->minimumSize(), window->maximumSize());
    EXPECT_FALSE(window->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(window->windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(window->windowIcon().isNull());
    EXPECT_TRUE(window->windowIcon().availableSizes().contains(QSize(32, 32)));
    EXPECT_TRUE(window->windowIcon().availableSizes().contains(QSize(16, 16)));
}

TEST_F(MainWindow, TabsThroughTheButtonsFromLeftToRightStartingAtTheGreetingButton) {
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    EXPECT_EQ(QApplication::focusWidget(), Button("CoButTest"));
    const char* order[] = {"cbtWin", "CoButVersion", "CoButEnd", "CoButTest"};
    for (const char* name : order) {
        Press(window, Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), Button(name));
    }
    // The greeting label sits above the buttons and never takes the focus.
    EXPECT_EQ(Greeting()->focusPolicy(), Qt::NoFocus);
}

TEST_F(MainWindow, EnterPressesTheDefaultButtonOrTheFocusedOne) {
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    Press(window, Qt::Key_Return);
    EXPECT_FALSE(Greeting()->text().isEmpty()) << "Enter on the greeting button shows a greeting";
    EXPECT_EQ(frmKimoro().timKimoro().Interval(), 2500);

    Button("CoButEnd")->setFocus();
    Press(window, Qt::Key_Return);
    ProcessEvents();
    EXPECT_FALSE(FormInstance<KimoroForm>().Loaded()) << "Enter on eXit unloads the main window";
}

}  // namespace
