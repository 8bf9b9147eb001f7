// The main window on Qt: what only the widgets show of the greeting's timer and of the key
// the focused control gets.
#include "core/modKimoro.h"
#include "forms/frmKimoro.h"
#include "support/Driver.h"
#include "support/Forms.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QKeyEvent>
#include <QTimer>
#include <QWidget>

#include <vector>

namespace {

// Records the key presses a widget receives after the application's own filters.
class KeyRecorder : public QObject {
public:
    struct Key {
        int key;
        QString text;
    };
    std::vector<Key> presses;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::KeyPress) {
            auto* key = static_cast<QKeyEvent*>(event);
            presses.push_back({key->key(), key->text()});
        }
        return false;
    }
};

class QtMainWindow : public ::testing::Test {
protected:
    void SetUp() override {
        StartApplication();
        ASSERT_TRUE(FormInstance<KimoroForm>().Loaded());
    }
    void TearDown() override { UnloadAllForms(); }

    // The main window's widget: the one shown, as an unloaded one is hidden at once.
    static QWidget* Window() {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (window->objectName() == QLatin1String("frmKimoro") && window->isVisible()) {
                return window;
            }
        }
        return nullptr;
    }
};

TEST_F(QtMainWindow, EachPressRestartsTheGreetingTimersCount) {
    QWidget* window = Window();
    ASSERT_NE(window, nullptr);
    const auto timers = window->findChildren<QTimer*>();
    ASSERT_EQ(timers.size(), 1);
    QTimer* timer = timers.front();
    EXPECT_FALSE(timer->isActive()) << "an interval of 0 stops the timer";

    RunCommand(u"P");
    EXPECT_TRUE(timer->isActive());
    EXPECT_EQ(timer->interval(), 2500);

    // A coarse timer may end up to 5 % (125 ms) either side of its interval.
    ProcessEvents(400);
    EXPECT_LE(timer->remainingTime(), 2300) << "the count runs";
    RunCommand(u"P");
    EXPECT_GE(timer->remainingTime(), 2370) << "a second press starts the count again";
    EXPECT_LE(timer->remainingTime(), 2630);
    EXPECT_TRUE(timer->isActive());
}

TEST_F(QtMainWindow, TheFocusedControlGetsTheCodeWrittenBack) {
    ASSERT_TRUE(Activate(frmKimoro()));
    SetFocus(frmKimoro(), "cbtWin");
    QWidget* focused = QApplication::focusWidget();
    ASSERT_NE(focused, nullptr);
    ASSERT_EQ(focused->objectName(), QLatin1String("cbtWin"));
    KeyRecorder recorder;
    focused->installEventFilter(&recorder);

    Type(frmKimoro(), u'q');
    ASSERT_EQ(recorder.presses.size(), 1u) << "the control gets the key once, changed";
    EXPECT_EQ(recorder.presses[0].text, QStringLiteral("Q"));
    EXPECT_EQ(recorder.presses[0].key, Qt::Key_Q);

    recorder.presses.clear();
    Type(frmKimoro(), u'5');
    ASSERT_EQ(recorder.presses.size(), 1u);
    EXPECT_EQ(recorder.presses[0].text, QStringLiteral("5"));

    // A full-width letter reaches the control as its full-width upper case.
    recorder.presses.clear();
    Type(frmKimoro(), u'ｑ');
    ASSERT_EQ(recorder.presses.size(), 1u);
    EXPECT_EQ(recorder.presses[0].text, QStringLiteral(u"Ｑ"));
    focused->removeEventFilter(&recorder);
}

// The installed desktop entry's name, as the program tells Qt (Wayland's app id).
TEST(QtHost, TellsQtTheDesktopEntrysName) {
    EXPECT_EQ(QGuiApplication::desktopFileName(), QStringLiteral("org.kimoro.Kimoro"));
}

}  // namespace
