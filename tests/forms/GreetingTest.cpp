// The greeting: which texts it draws, and the timer that empties it 2.5 s after the
// latest press.
#include "core/modKimoro.h"
#include "forms/frmAbout.h"
#include "forms/frmKimoro.h"
#include "forms/frmWinDIR.h"
#include "platform/Runtime.h"
#include "support/Driver.h"
#include "support/Forms.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>

namespace {

class Greeting : public ::testing::Test {
protected:
    void SetUp() override {
        StartApplication();
        ASSERT_TRUE(FormInstance<KimoroForm>().Loaded());
    }
    void TearDown() override { UnloadAllForms(); }

    static std::u16string Label() { return frmKimoro().lblKimoro().Caption(); }
    static void SetLabel(std::u16string_view text) { frmKimoro().lblKimoro().SetCaption(text); }
    // The first tick can come late on a slow machine (the greeting's first drawing loads the
    // fonts): the tests wait for the tick, not for a time.
    static bool TicksEmpty() {
        return WaitFor([] { return Label().empty(); }, 5000);
    }
};

TEST_F(Greeting, DrawsEachOfTheSevenGreetingsAboutEquallyOften) {
    std::map<std::u16string, int> counts;
    for (std::int16_t id = 1000; id <= 1006; ++id) counts[LoadResString(id)] = 0;
    ASSERT_EQ(counts.size(), 7u) << "the seven greetings differ";

    constexpr int kDraws = 7000;
    for (int i = 0; i < kDraws; ++i) {
        RunCommand(u"P");
        const auto found = counts.find(Label());
        ASSERT_NE(found, counts.end()) << "not a greeting: " << ::testing::PrintToString(Label());
        ++found->second;
    }
    // 1000 expected each; the bounds lie about seven standard deviations away.
    for (const auto& [text, count] : counts) {
        EXPECT_GE(count, 800) << ::testing::PrintToString(text);
        EXPECT_LE(count, 1200) << ::testing::PrintToString(text);
    }
}

TEST_F(Greeting, StartsEmptyAndEachPressSetsTheTwoAndAHalfSecondCount) {
    EXPECT_EQ(Label(), u"");
    EXPECT_EQ(frmKimoro().timKimoro().Interval(), 0);
    // An interval of 0 keeps the timer quiet: whatever the label shows stays.
    SetLabel(u"before");
    ProcessEvents(100);
    EXPECT_EQ(Label(), u"before");

    for (int press = 1; press <= 2; ++press) {
        SetLabel(u"");
        RunCommand(u"P");
        EXPECT_NE(Label(), u"") << "press " << press;
        EXPECT_EQ(frmKimoro().timKimoro().Interval(), 2500) << "press " << press;
    }
}

TEST_F(Greeting, TickEmptiesTheLabelAndLeavesTheTimerRunning) {
    RunCommand(u"P");
    ASSERT_NE(Label(), u"");
    frmKimoro().timKimoro().SetInterval(30);
    EXPECT_TRUE(TicksEmpty());
    EXPECT_EQ(frmKimoro().timKimoro().Interval(), 30);

    // Still ticking: whatever the label shows next is emptied as well, time after time.
    for (int round = 1; round <= 2; ++round) {
        SetLabel(u"again");
        EXPECT_TRUE(TicksEmpty()) << "round " << round;
    }
}

TEST_F(Greeting, ShowsAndTicksBehindTheAboutDialog) {
    WhileDialogOpen<AboutForm>(u"A", "cmdOK", [&](AboutForm& about) {
        RunCommand(u"P");
        EXPECT_NE(Label(), u"") << "the greeting goes to the main window";
        EXPECT_EQ(frmKimoro().timKimoro().Interval(), 2500);

        // Typed into the About dialog, p is the greeting command as well.
        ASSERT_TRUE(Activate(about));
        SetLabel(u"");
        Type(about, u'p');
        EXPECT_NE(Label(), u"") << "p typed into the About dialog";

        // The timer ticks on during the dialog's nested loop.
        frmKimoro().timKimoro().SetInterval(30);
        EXPECT_TRUE(TicksEmpty());
        EXPECT_TRUE(about.Loaded());
    });
}

TEST_F(Greeting, ClickingTheGreetingDoesNothing) {
    RunCommand(u"P");
    const std::u16string greeting = Label();
    Click(frmKimoro(), "lblKimoro");
    ProcessEvents(50);
    EXPECT_EQ(Label(), greeting);
    EXPECT_FALSE(ActiveMessageBox().has_value());
    EXPECT_FALSE(FormInstance<AboutForm>().Loaded());
    EXPECT_FALSE(FormInstance<WinDIRForm>().Loaded());
    EXPECT_TRUE(FormInstance<KimoroForm>().Loaded());

    SetLabel(u"");
    Click(frmKimoro(), "lblKimoro");
    ProcessEvents(50);
    EXPECT_EQ(Label(), u"") << "an empty label draws no greeting either";
}

// The one test on real time: the greeting shows for about 2.5 s after the latest click, so
// a second click keeps it up past the time the first one would have emptied it.
TEST_F(Greeting, DisappearsAboutTwoAndAHalfSecondsAfterTheLatestClick) {
    using Clock = std::chrono::steady_clock;
    const auto since = [](Clock::time_point start) {
        return static_cast<int>(
            std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count());
    };
    ASSERT_TRUE(Activate(frmKimoro()));
    Click(frmKimoro(), "CoButTest");
    ASSERT_NE(Label(), u"");
    ProcessEvents(1000);
    ASSERT_NE(Label(), u"");

    const Clock::time_point latest = Clock::now();  // the count restarts after this
    Click(frmKimoro(), "CoButTest");
    // Never early, and late by no more than a loaded machine's scheduling.
    ProcessEvents(2400);
    EXPECT_NE(Label(), u"") << "emptied before " << since(latest) << " ms";
    EXPECT_TRUE(WaitFor([] { return Label().empty(); }, 3000));
    const int shown = since(latest);
    EXPECT_GE(shown, 2500) << "emptied early";
    EXPECT_LE(shown, 2800) << "emptied late";
}

}  // namespace
