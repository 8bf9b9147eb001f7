// The greeting: which texts it draws, and the timer that empties it 2.5 s after the
// latest press.
#include "core/modKimoro.h"
#include "forms/frmAbout.h"
#include "forms/frmKimoro.h"
#include "platform/Runtime.h"
#include "support/Gui.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <map>

namespace {

class Greeting : public ::testing::Test {
protected:
    void SetUp() override {
        StartApplication();
        window = WindowOf(frmKimoro());
        ASSERT_NE(window, nullptr);
        label = Widget<QLabel>(frmKimoro(), "lblKimoro");
        ASSERT_NE(label, nullptr);
        const auto timers = window->findChildren<QTimer*>();
        ASSERT_EQ(timers.size(), 1);
        timer = timers.front();
    }
    void TearDown() override { UnloadAllForms(); }

    static QString Text(std::int16_t id) { return QString::fromStdU16String(LoadResString(id)); }

    QWidget* window = nullptr;
    QLabel* label = nullptr;
    QTimer* timer = nullptr;
};

TEST_F(Greeting, DrawsEachOfTheSevenGreetingsAboutEquallyOften) {
    std::map<QString, int> counts;
    for (std::int16_t id = 1000; id <= 1006; ++id) counts[Text(id)] = 0;
    ASSERT_EQ(counts.size(), 7u) << "the seven greetings differ";

    constexpr int kDraws = 7000;
    for (int i = 0; i < kDraws; ++i) {
        RunCommand(u"P");
        const auto found = counts.find(label->text());
        ASSERT_NE(found, counts.end()) << "not a greeting: " << label->text().toStdString();
        ++found->second;
    }
    // 1000 expected each; the bounds lie about seven standard deviations away.
    for (const auto& [text, count] : counts) {
        EXPECT_GE(count, 800) << text.toStdString();
        EXPECT_LE(count, 1200) << text.toStdString();
    }
}

TEST_F(Greeting, EachPressRestartsTheTwoAndAHalfSecondCount) {
    EXPECT_EQ(label->text(), QString());
    EXPECT_EQ(frmKimoro().timKimoro().Interval(), 0);
    EXPECT_FALSE(timer->isActive());

    RunCommand(u"P");
    EXPECT_FALSE(label->text().isEmpty());
    EXPECT_EQ(frmKimoro().timKimoro().Interval(), 2500);
    EXPECT_TRUE(timer->isActive());
    EXPECT_EQ(timer->interval(), 2500);

    // A coarse timer may end up to 5 % (125 ms) either side of its interval.
    ProcessEvents(400);
    EXPECT_LE(timer->remainingTime(), 2300) << "the count runs";
    RunCommand(u"P");
    EXPECT_GE(timer->remainingTime(), 2370) << "a second press starts the count again";
    EXPECT_LE(timer->remainingTime(), 2630);
    EXPECT_EQ(frmKimoro().timKimoro().Interval(), 2500);
}

TEST_F(Greeting, TickEmptiesTheLabelAndLeavesTheTimerRunning) {
    RunCommand(u"P");
    ASSERT_FALSE(label->text().isEmpty());
    frmKimoro().timKimoro().SetInterval(30);
    ProcessEvents(100);
    EXPECT_EQ(label->text(), QString());
    EXPECT_TRUE(timer->isActive());
    EXPECT_EQ(frmKimoro().timKimoro().Interval(), 30);

    // Still ticking: whatever the label shows next is emptied as well.
    frmKimoro().lblKimoro().SetCaption(u"again");
    ProcessEvents(100);
    EXPECT_EQ(label->text(), QString());
    EXPECT_TRUE(timer->isActive());
}

TEST_F(Greeting, ShowsAndTicksBehindTheAboutDialog) {
    bool shown = false;
    WhenModalAppears([&](QWidget* about) {
        shown = true;
        RunCommand(u"P");
        EXPECT_FALSE(label->text().isEmpty()) << "the greeting goes to the main window";
        EXPECT_EQ(frmKimoro().timKimoro().Interval(), 2500);

        // Typed into the About dialog, p is the greeting command as well.
        EXPECT_TRUE(QTest::qWaitForWindowActive(about));
        frmKimoro().lblKimoro().SetCaption(u"");
        Type(about, 'p');
        EXPECT_FALSE(label->text().isEmpty()) << "p typed into the About dialog";

        // The timer ticks on during the dialog's nested loop.
        frmKimoro().timKimoro().SetInterval(30);
        ProcessEvents(100);
        EXPECT_EQ(label->text(), QString());
        EXPECT_TRUE(FormInstance<AboutForm>().Loaded());
        Click(Widget<QPushButton>(FormInstance<AboutForm>(), "cmdOK"));
    });
    RunCommand(u"A");
    EXPECT_TRUE(shown);
    EXPECT_FALSE(FormInstance<AboutForm>().Loaded());
}

TEST_F(Greeting, ClickingTheGreetingDoesNothing) {
    RunCommand(u"P");
    const QString greeting = label->text();
    Click(label);
    ProcessEvents(50);
    EXPECT_EQ(label->text(), greeting);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_TRUE(FormInstance<KimoroForm>().Loaded());

    frmKimoro().lblKimoro().SetCaption(u"");
    Click(label);
    ProcessEvents(50);
    EXPECT_EQ(label->text(), QString()) << "an empty label draws no greeting either";
}

// The one test on real time: the greeting shows for about 2.5 s after a click.
TEST_F(Greeting, DisappearsAboutTwoAndAHalfSecondsAfterAClick) {
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    QElapsedTimer elapsed;
    elapsed.start();
    Click(Widget<QPushButton>(frmKimoro(), "CoButTest"));
    ASSERT_FALSE(label->text().isEmpty());

    // Timers may fire a little early, though not by 300 ms.
    QTest::qWait(2200 - static_cast<int>(elapsed.elapsed()));
    EXPECT_FALSE(label->text().isEmpty()) << "still shown at " << elapsed.elapsed() << " ms";
    EXPECT_TRUE(QTest::qWaitFor([&] { return label->text().isEmpty(); }, 3000));
    EXPECT_LE(elapsed.elapsed(), 2800) << "emptied late";
}

}  // namespace
