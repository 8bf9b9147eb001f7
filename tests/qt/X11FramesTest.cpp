// The three windows on the X display under its window manager (openbox in scripts/test.sh):
// a form's Width and Height are its outer size on the classic frame, whatever frame the
// window manager draws, the same before the window is shown as after. Skipped where there is
// no display.
#include "core/modKimoro.h"
#include "forms/frmAbout.h"
#include "forms/frmKimoro.h"
#include "forms/frmWinDIR.h"
#include "platform/Backend.h"
#include "platform/Entry.h"
#include "platform/Runtime.h"
#include "support/Driver.h"
#include "support/Forms.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QGuiApplication>
#include <QTest>
#include <QWidget>

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include <xcb/xcb.h>

namespace {

bool onX11 = false;

// The shown top-level window of a form, by its design name.
QWidget* WindowNamed(const char* name) {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->objectName() == QLatin1String(name) && window->isVisible()) return window;
    }
    return nullptr;
}

// The window as drawn: the window manager's frame window around it (the client's ancestor
// just below the root), once the window is on the screen.
QSize DrawnSize(const char* name) {
    QWidget* window = WindowNamed(name);
    if (window == nullptr) {
        ADD_FAILURE() << name << " is not shown";
        return {};
    }
    EXPECT_TRUE(QTest::qWaitForWindowExposed(window, 3000)) << name << " is not on the screen";
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* connection = x11->connection();
    auto frameWindow = [&] {
        xcb_window_t current = static_cast<xcb_window_t>(window->winId());
        for (;;) {
            xcb_query_tree_reply_t* tree =
                xcb_query_tree_reply(connection, xcb_query_tree(connection, current), nullptr);
            if (tree == nullptr) return xcb_window_t{XCB_WINDOW_NONE};
            const xcb_window_t parent = tree->parent, root = tree->root;
            std::free(tree);
            if (parent == root || parent == XCB_WINDOW_NONE) return current;
            current = parent;
        }
    };
    // The window manager reparents the window into its frame as it maps it.
    xcb_window_t frame = XCB_WINDOW_NONE;
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return (frame = frameWindow()) != static_cast<xcb_window_t>(window->winId()); },
        3000))
        << name << " gets no frame from the window manager";
    xcb_get_geometry_reply_t* geometry =
        xcb_get_geometry_reply(connection, xcb_get_geometry(connection, frame), nullptr);
    if (geometry == nullptr) return {};
    const QSize drawn(geometry->width + 2 * geometry->border_width,
                      geometry->height + 2 * geometry->border_width);
    std::free(geometry);
    return drawn;
}

int Pixels(float twips) { return static_cast<int>(std::lround(twips / TwipsPerPixel())); }

// The client area is the outer size less 3-pixel borders under a 19-pixel caption (at 96 DPI);
// the window manager draws its own frame around it.
void ExpectOuterSizeDesigned(Form& form, const char* name, float widthTwips, float heightTwips) {
    const QSize drawn = DrawnSize(name);
    const QSize client = WindowNamed(name) ? WindowNamed(name)->size() : QSize();
    EXPECT_EQ(client.width(), Pixels(widthTwips) - 6) << name << " width";
    EXPECT_EQ(client.height(), Pixels(heightTwips) - 25) << name << " height";
    EXPECT_GT(drawn.height(), client.height()) << name << " has no title bar";
    EXPECT_EQ(form.Width(), widthTwips) << name << " Width changed as it was shown";
    EXPECT_EQ(form.Height(), heightTwips) << name << " Height changed as it was shown";
}

class FramesOnX11 : public ::testing::Test {
protected:
    void SetUp() override {
        if (!onX11) GTEST_SKIP() << "no X display with a window manager (scripts/test.sh has one)";
        UnloadAllForms();
    }
    void TearDown() override {
        if (onX11) UnloadAllForms();
    }
};

TEST_F(FramesOnX11, TheMainWindowIsAsLargeAsItsWidthAndHeight) {
    KimoroForm& main = FormInstance<KimoroForm>();
    main.Load();
    const float width = main.Width(), height = main.Height();
    main.Show();
    ExpectOuterSizeDesigned(main, "frmKimoro", width, height);
}

// The layout sizes the dialog around its label: 180 twips right of the label's right edge,
// 420 below the button's bottom edge.
TEST_F(FramesOnX11, TheDirectoryDialogIsAsLargeAsItsLayoutSets) {
    FormInstance<KimoroForm>().Show();
    WinDIRForm& directory = FormInstance<WinDIRForm>();
    directory.Load();
    const float width = directory.Width(), height = directory.Height();
    EXPECT_EQ(width, directory.lblWinDIR().Left() + directory.lblWinDIR().Width() + 180);
    EXPECT_EQ(height, directory.cbtOK().Top() + directory.cbtOK().Height() + 420);
    WhileDialogOpen<WinDIRForm>(u"W", "cbtOK", [&](WinDIRForm& dialog) {
        ExpectOuterSizeDesigned(dialog, "frmWinDIR", width, height);
    });
}

TEST_F(FramesOnX11, TheAboutDialogIsAsLargeAsItsLayoutSets) {
    FormInstance<KimoroForm>().Show();
    AboutForm& about = FormInstance<AboutForm>();
    about.Load();
    const float width = about.Width(), height = about.Height();
    WhileDialogOpen<AboutForm>(u"A", "cmdOK", [&](AboutForm& dialog) {
        ExpectOuterSizeDesigned(dialog, "frmAbout", width, height);
    });
}

}  // namespace

// On the X display when there is one, whatever QT_QPA_PLATFORM says.
int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (GTEST_FLAG_GET(list_tests)) return RUN_ALL_TESTS();
    if (std::getenv("DISPLAY") == nullptr || *std::getenv("DISPLAY") == '\0') {
        return RUN_ALL_TESTS();  // every test skips
    }
    setenv("QT_QPA_PLATFORM", "xcb", 1);
    const auto windowSystem = StartWindowSystem(argc, argv);
    onX11 = QGuiApplication::platformName() == QLatin1String("xcb");
    if (App::PrevInstance()) {
        std::fprintf(stderr, "another copy of the program runs for this user: end it first\n");
        return 1;
    }
    return RUN_ALL_TESTS();
}
