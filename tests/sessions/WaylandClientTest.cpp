// The program as a native Wayland client, in a desktop session without an X server: started
// as a process, its windows seen and its buttons pressed as a screen reader does (no keyboard
// can be sent to a Wayland client from outside), and closed, minimized and activated as the
// compositor's title bar does, where the compositor offers that (KWin's scripting).
#include "sessions/AtSpi.h"
#include "sessions/KWin.h"
#include "sessions/Screenshot.h"
#include "support/ProcessUnderTest.h"

#include <gtest/gtest.h>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include <memory>
#include <optional>
#include <utility>
#include <vector>

namespace {

// Each dialog with the main window's button that opens it.
const std::pair<QString, QString> kDialogs[] = {{QStringLiteral("About"), kAboutTitle},
                                                {QStringLiteral("WindowsDirectory"), kWinDirTitle}};

using Program = StartedProgram;

class WaylandClient : public ::testing::Test {
protected:
    void SetUp() override {
        if (qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
            !qEnvironmentVariableIsEmpty("DISPLAY")) {
            GTEST_SKIP() << "needs a Wayland session without an X display (tests/sessions)";
        }
        ASSERT_TRUE(home_.isValid());
        bus_ = atspi::Bus::Connect();
        ASSERT_TRUE(bus_) << "the session has no accessibility bus";
    }

    Program& Start() {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("HOME"), home_.path());
        environment.remove(QStringLiteral("QT_QPA_PLATFORM"));  // the program chooses
        programs_.push_back(std::make_unique<Program>(environment));
        return *programs_.back();
    }

    // The program's window with this title, shown, once it is there.
    std::optional<atspi::Window> WaitForWindow(Program& program, const QString& title,
                                               const QString& notPath = {}) {
        std::optional<atspi::Window> found;
        Eventually([&] {
            for (const atspi::Window& window : bus_->WindowsOf(program.Pid())) {
                if (window.title == title && window.showing && window.object.path != notPath) {
                    found = window;
                }
            }
            return found.has_value();
        });
        return found;
    }
    bool Shows(Program& program, const atspi::Window& wanted) {
        for (const atspi::Window& window : bus_->WindowsOf(program.Pid())) {
            if (window.object.path == wanted.object.path && window.showing) return true;
        }
        return false;
    }

    // The compositor's record of the window with this title, where the compositor is KWin.
    std::optional<kwin::Window> InKWin(Program& program, const QString& caption) {
        std::optional<kwin::Window> found;
        Eventually([&] {
            for (const kwin::Window& window : kwin::WindowsOf(program.Pid())) {
                if (window.caption == caption) found = window;
            }
            return found.has_value();
        });
        return found;
    }

    QTemporaryDir home_;
    std::optional<atspi::Bus> bus_;
    std::vector<std::unique_ptr<Program>> programs_;
};

TEST_F(WaylandClient, StartsWithoutAnXServerAtItsDesignedSizeAndSaysNothing) {
    Program& program = Start();
    const auto main = WaitForWindow(program, kMainTitle);
    ASSERT_TRUE(main) << program.Said().toStdString();
    EXPECT_TRUE(Screenshot(QStringLiteral("main-window")));
    EXPECT_EQ(main->width, 367);  // 5505 x 945 twips at 96 dpi
    EXPECT_EQ(main->height, 63);
    if (kwin::Runs()) {
        const auto window = InKWin(program, kMainTitle);
        ASSERT_TRUE(window);
        EXPECT_EQ(window->width, 367);
        EXPECT_EQ(window->height, 63);
        EXPECT_TRUE(window->minimizable);
        EXPECT_FALSE(window->maximizable);
    }
    // Each dialog as large as the program laid it out, for the compositor too.
    for (const auto& [button, title] : kDialogs) {
        SCOPED_TRACE(title.toStdString());
        ASSERT_TRUE(bus_->Press(*main, button));
        const auto dialog = WaitForWindow(program, title);
        ASSERT_TRUE(dialog);
        EXPECT_TRUE(Screenshot(title == kAboutTitle ? QStringLiteral("about-dialog")
                                                    : QStringLiteral("windows-directory-dialog")));
        if (title == kAboutTitle) {
            EXPECT_EQ(dialog->height, 148);  // as designed: 2220 twips
        }
        if (kwin::Runs()) {
            const auto window = InKWin(program, title);
            ASSERT_TRUE(window);
            EXPECT_EQ(window->width, dialog->width);
            EXPECT_EQ(window->height, dialog->height);
            EXPECT_FALSE(window->maximizable);
        }
        ASSERT_TRUE(bus_->Press(*dialog, QStringLiteral("OK")));
        ASSERT_TRUE(Eventually([&] { return !Shows(program, *dialog); }));
    }
    ASSERT_TRUE(bus_->Press(*main, QStringLiteral("eXit")));
    EXPECT_TRUE(program.EndsWithCodeZero());
    EXPECT_EQ(program.Said().toStdString(), "");
}

TEST_F(WaylandClient, ASecondCopyShowsItsTwoMessagesInTurnAndEnds) {
    Program& first = Start();
    const auto main = WaitForWindow(first, kMainTitle);
    ASSERT_TRUE(main);

    Program& second = Start();
    const auto box = WaitForWindow(second, kMainTitle);
    ASSERT_TRUE(box) << "the second copy shows no message box";
    EXPECT_TRUE(bus_->ControlNames(*box).contains(
        QStringLiteral(u"このアプリケーションは、\nすでに起動されています。")))
        << bus_->ControlNames(*box).join(u'|').toStdString();
    ASSERT_TRUE(bus_->Press(*box, QStringLiteral("OK")));
    const auto next = WaitForWindow(second, kMainTitle, box->object.path);
    ASSERT_TRUE(next) << "no second message box follows the first";
    EXPECT_TRUE(bus_->ControlNames(*next).contains(
        QStringLiteral(u"このソフトを二重起動しても意味がないので、\n二重起動を中止します。")))
        << bus_->ControlNames(*next).join(u'|').toStdString();
    ASSERT_TRUE(bus_->Press(*next, QStringLiteral("OK")));
    EXPECT_TRUE(second.EndsWithCodeZero());
    EXPECT_TRUE(first.Running());
    EXPECT_TRUE(Shows(first, *main));
}

// The compositor's close and minimize: what a user does from the title bar or the taskbar.
class WaylandClientInKWin : public WaylandClient {
protected:
    void SetUp() override {
        WaylandClient::SetUp();
        if (IsSkipped()) return;
        if (!kwin::Runs()) GTEST_SKIP() << "only KWin lets a test close and minimize windows";
    }
};

TEST_F(WaylandClientInKWin, DialogsRefuseTheTitleBarsCloseAndComeBackFromMinimizedWithTheirOwner) {
    Program& program = Start();
    const auto main = WaitForWindow(program, kMainTitle);
    ASSERT_TRUE(main);
    const auto owner = InKWin(program, kMainTitle);
    ASSERT_TRUE(owner);
    for (const auto& [button, title] : kDialogs) {
        SCOPED_TRACE(title.toStdString());
        ASSERT_TRUE(bus_->Press(*main, button));
        const auto dialog = WaitForWindow(program, title);
        ASSERT_TRUE(dialog);
        auto window = InKWin(program, title);
        ASSERT_TRUE(window);
        EXPECT_TRUE(window->transient) << "the compositor does not know the dialog's owner";

        kwin::Do(*window, QStringLiteral("close"));
        Pause(500);
        EXPECT_TRUE(Shows(program, *dialog)) << "the dialog closes from its title bar";
        // Qt 6.4 shows a closed window anew, as a new window to the compositor.
        window = InKWin(program, title);
        ASSERT_TRUE(window) << "the dialog's window is gone";

        // As a user does it: KWin activates the owner as it minimizes the dialog, and the
        // user turns to the owner later.
        kwin::Do(*window, QStringLiteral("minimize"));
        Pause(1000);
        kwin::Do(*owner, QStringLiteral("activate"));
        EXPECT_TRUE(Eventually(
            [&] {
                window = InKWin(program, title);
                return window && !window->minimized;
            },
            3000))
            << "the dialog stays minimized while its owner is active";

        ASSERT_TRUE(bus_->Press(*dialog, QStringLiteral("OK")));
        ASSERT_TRUE(Eventually([&] { return !Shows(program, *dialog); }));
    }
    ASSERT_TRUE(bus_->Press(*main, QStringLiteral("eXit")));
    EXPECT_TRUE(program.EndsWithCodeZero());
}

}  // namespace
