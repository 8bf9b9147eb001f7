// The keyboard shortcuts: how typed characters become commands, directly and through the
// window system, and what the focused control gets afterwards.
#include "core/modKimoro.h"
#include "forms/frmAbout.h"
#include "forms/frmKimoro.h"
#include "forms/frmWinDIR.h"
#include "platform/Runtime.h"
#include "platform/standins/StandIns.h"
#include "support/Driver.h"
#include "support/Forms.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace {

// Closes every modal window that opens while it exists and counts them, so that a key that
// wrongly opens a dialog fails the test instead of blocking it in a nested loop.
class UnexpectedModals {
public:
    int count() const { return count_; }

private:
    int count_ = 0;
    Repeating closer_{10, [this] { count_ += CloseActiveModal() ? 1 : 0; }};
};

// From inside a modal window's loop: closes `dialog` with its OK button if it is the modal
// window, or else whatever opened instead, so that a wrong window fails without blocking.
bool CloseExpectedDialog(Form& dialog, const char* ok) {
    if (!dialog.Loaded() || !IsActiveModal(dialog)) {
        CloseActiveModal();
        return false;
    }
    Click(dialog, ok);
    return true;
}

class Keyboard : public ::testing::Test {
protected:
    void SetUp() override {
        ClearRegistryStandIn();  // S shows its message instead of starting a program
        StartApplication();
        ASSERT_TRUE(MainLoaded());
    }
    void TearDown() override { UnloadAllForms(); }

    // Without loading the main window again once it is unloaded.
    static bool MainLoaded() { return FormInstance<KimoroForm>().Loaded(); }
    static std::u16string Greeting() { return frmKimoro().lblKimoro().Caption(); }
    static void ClearGreeting() { frmKimoro().lblKimoro().SetCaption(u""); }

    // The key after MapKeyToCommand has seen it.
    static std::int16_t Mapped(int code, const std::u16string& context = u"Main") {
        auto key = static_cast<std::int16_t>(code);
        MapKeyToCommand(key, context);
        return key;
    }
};

constexpr const char* kButtons[] = {"CoButTest", "cbtWin", "CoButVersion", "CoButEnd"};

TEST_F(Keyboard, WritesBackTheUpperCaseCodeAndOnlyPShowsAGreeting) {
    const UnexpectedModals modals;
    // a, w and x open a dialog or unload the window: they have tests of their own.
    for (char letter = 'a'; letter <= 'z'; ++letter) {
        if (letter == 'a' || letter == 'w' || letter == 'x') continue;
        const char upper = static_cast<char>(letter - 'a' + 'A');
        for (char typed : {letter, upper}) {
            ClearGreeting();
            EXPECT_EQ(Mapped(typed), upper) << typed;
            EXPECT_EQ(!Greeting().empty(), upper == 'P') << typed;
        }
    }
    EXPECT_EQ(modals.count(), 0);
    EXPECT_TRUE(MainLoaded());
}

TEST_F(Keyboard, DialogAndExitLettersWriteBackTheUpperCaseCodeToo) {
    struct Case {
        char typed;
        Form& dialog;
        const char* ok;
    };
    const Case cases[] = {{'a', FormInstance<AboutForm>(), "cmdOK"},
                          {'A', FormInstance<AboutForm>(), "cmdOK"},
                          {'w', FormInstance<WinDIRForm>(), "cbtOK"},
                          {'W', FormInstance<WinDIRForm>(), "cbtOK"}};
    for (const Case& c : cases) {
        bool shown = false;
        WhenModalAppears([&] {
            shown = true;
            EXPECT_TRUE(CloseExpectedDialog(c.dialog, c.ok)) << c.typed;
        });
        EXPECT_EQ(Mapped(c.typed), c.typed & ~0x20) << c.typed;
        EXPECT_TRUE(shown) << c.typed;
        EXPECT_FALSE(c.dialog.Loaded()) << c.typed;
    }
    EXPECT_EQ(Mapped('x'), 'X');
    EXPECT_FALSE(MainLoaded());
}

TEST_F(Keyboard, OnlyTheExactMainContextIgnoresS) {
    {
        const UnexpectedModals modals;
        EXPECT_EQ(Mapped('s'), 'S');
        EXPECT_EQ(Mapped('S'), 'S');
        ProcessEvents(50);
        EXPECT_EQ(modals.count(), 0) << "the main window offers no system information";
    }
    const std::u16string otherContexts[] = {u"Abo", u"main", u"MAIN", u"Main ", u""};
    for (const std::u16string& context : otherContexts) {
        for (char typed : {'s', 'S'}) {
            std::u16string message;
            WhenModalAppears([&] {
                if (const std::optional<MessageBoxView> box = ActiveMessageBox()) {
                    message = box->text;
                }
                CloseActiveModal();
            });
            EXPECT_EQ(Mapped(typed, context), 'S');
            EXPECT_EQ(message, LoadResString(1100))
                << ::testing::PrintToString(context) << " " << typed;
        }
    }
}

TEST_F(Keyboard, KeysThatAreNoCommandChangeNothing) {
    const UnexpectedModals modals;
    std::vector<int> codes = {13, 27, 8, 32, 9, '!', '@', '[', '`', '{', '~'};
    for (int digit = '0'; digit <= '9'; ++digit) codes.push_back(digit);
    for (int code : codes) {
        EXPECT_EQ(Mapped(code), code) << code;
        EXPECT_EQ(Greeting(), u"") << code;
    }
    ProcessEvents(50);
    EXPECT_EQ(modals.count(), 0);
    EXPECT_TRUE(MainLoaded());
    EXPECT_EQ(frmKimoro().timKimoro().Interval(), 0);
}

TEST_F(Keyboard, JapaneseCharactersKeepTheirCodeOrTakeTheirCodePageUpperCase) {
    const UnexpectedModals modals;
    struct Case {
        std::uint16_t typed, expected;
        const char* what;
    };
    const Case cases[] = {
        {0x82A0, 0x82A0, "hiragana a"},
        {0x8340, 0x8340, "small katakana a"},
        {0x00B1, 0x00B1, "half-width katakana a"},
        {0x8281, 0x8260, "full-width a"},
        {0x8290, 0x826F, "full-width p"},
        {0x8293, 0x8272, "full-width s"},
        {0x8298, 0x8277, "full-width x"},
        {0x8297, 0x8276, "full-width w"},
        {0x83BF, 0x839F, "greek alpha"},
    };
    for (const Case& c : cases) {
        // Double-byte codes are negative as signed 16-bit numbers.
        EXPECT_EQ(Mapped(static_cast<std::int16_t>(c.typed)), static_cast<std::int16_t>(c.expected))
            << c.what;
        EXPECT_EQ(Greeting(), u"") << c.what;
    }
    ProcessEvents(50);
    EXPECT_EQ(modals.count(), 0);
    EXPECT_TRUE(MainLoaded());
}

TEST_F(Keyboard, RunCommandTakesOnlyTheExactUpperCaseLetter) {
    const UnexpectedModals modals;
    const std::u16string notCommands[] = {
        u"p", u"",  u" ", u"PX", u"P ", u" P", u"PP",
        u"a", u"s", u"w", u"x",  u"Ｐ", u"XP", std::u16string(u"P\0", 2)};
    for (const std::u16string& command : notCommands) {
        RunCommand(command);
        EXPECT_EQ(Greeting(), u"") << ::testing::PrintToString(command);
    }
    ProcessEvents(50);
    EXPECT_EQ(modals.count(), 0);
    EXPECT_TRUE(MainLoaded());
    EXPECT_EQ(frmKimoro().timKimoro().Interval(), 0);
}

TEST_F(Keyboard, TypedPShowsAGreetingAndSNothingWhicheverButtonHasTheFocus) {
    ASSERT_TRUE(Activate(frmKimoro()));
    const UnexpectedModals modals;
    for (const char* name : kButtons) {
        ASSERT_EQ(FocusedControl(), name);
        for (char16_t typed : {u'p', u'P'}) {
            ClearGreeting();
            Type(frmKimoro(), typed);
            EXPECT_NE(Greeting(), u"") << name << " " << static_cast<char>(typed);
        }
        for (char16_t typed : {u's', u'S'}) {
            ClearGreeting();
            Type(frmKimoro(), typed);
            EXPECT_EQ(Greeting(), u"") << name << " " << static_cast<char>(typed);
        }
        EXPECT_EQ(FocusedControl(), name) << "typing moves no focus";
        Press(frmKimoro(), Key::Tab);
    }
    ProcessEvents(50);
    EXPECT_EQ(modals.count(), 0);
}

TEST_F(Keyboard, TypedXUnloadsTheMainWindow) {
    ASSERT_TRUE(Activate(frmKimoro()));
    SetFocus(frmKimoro(), "CoButVersion");
    Type(frmKimoro(), u'x');
    ProcessEvents();
    EXPECT_FALSE(MainLoaded());
    EXPECT_EQ(LoadedFormCount(), 0);
}

TEST_F(Keyboard, TypedAAndWOpenTheirDialogsModallyFromAnyButton) {
    struct Case {
        char typed;
        Form& dialog;
        const char* ok;
        const char* focus;
    };
    const Case cases[] = {{'a', FormInstance<AboutForm>(), "cmdOK", "CoButTest"},
                          {'A', FormInstance<AboutForm>(), "cmdOK", "CoButEnd"},
                          {'w', FormInstance<WinDIRForm>(), "cbtOK", "cbtWin"},
                          {'W', FormInstance<WinDIRForm>(), "cbtOK", "CoButVersion"}};
    for (const Case& c : cases) {
        ASSERT_TRUE(Activate(frmKimoro()));
        SetFocus(frmKimoro(), c.focus);
        bool shown = false;
        std::optional<UnexpectedModals> again;
        WhenModalAppears([&] {
            shown = true;
            EXPECT_TRUE(CloseExpectedDialog(c.dialog, c.ok)) << c.typed;
            again.emplace();
        });
        Type(frmKimoro(), static_cast<char16_t>(c.typed));
        // The typed key returns only once the dialog is closed: it was shown modally.
        EXPECT_TRUE(shown) << c.typed;
        EXPECT_FALSE(c.dialog.Loaded()) << c.typed;
        EXPECT_TRUE(MainLoaded()) << c.typed;
        ProcessEvents(50);
        // Closing the dialog may leave no window active: the key must not reach the form
        // again on its way up from the button.
        ASSERT_TRUE(again.has_value());
        EXPECT_EQ(again->count(), 0) << c.typed << " opened its dialog twice";
    }
}

TEST_F(Keyboard, AKeyTheFormLeavesAsItIsStillWorksTheFocusedButton) {
    // Which character the focused control gets is seen only through the toolkit: that is
    // checked among the backend's own tests.
    ASSERT_TRUE(Activate(frmKimoro()));
    SetFocus(frmKimoro(), "CoButTest");
    Type(frmKimoro(), u' ');
    EXPECT_NE(Greeting(), u"") << "Space presses the greeting button";
    EXPECT_EQ(FocusedControl(), "CoButTest");
}

TEST_F(Keyboard, AltLettersClickTheButtonsThroughTheirAccessKeys) {
    ASSERT_TRUE(Activate(frmKimoro()));
    // The access key animates a click, which arrives about 100 ms later.
    PressAlt(frmKimoro(), 'p');
    EXPECT_TRUE(WaitFor([] { return !Greeting().empty(); }, 5000)) << "Alt+P";
    EXPECT_EQ(frmKimoro().timKimoro().Interval(), 2500);

    struct Case {
        char letter;
        Form& dialog;
        const char* ok;
    };
    const Case cases[] = {{'a', FormInstance<AboutForm>(), "cmdOK"},
                          {'w', FormInstance<WinDIRForm>(), "cbtOK"}};
    for (const Case& c : cases) {
        ASSERT_TRUE(Activate(frmKimoro()));
        bool shown = false;
        WhenModalAppears([&] {
            shown = true;
            EXPECT_TRUE(CloseExpectedDialog(c.dialog, c.ok)) << "Alt+" << c.letter;
        });
        PressAlt(frmKimoro(), c.letter);
        WaitFor([&] { return shown && !c.dialog.Loaded(); }, 5000);
        EXPECT_TRUE(shown) << "Alt+" << c.letter;
        EXPECT_FALSE(c.dialog.Loaded()) << "Alt+" << c.letter;
    }

    ASSERT_TRUE(Activate(frmKimoro()));
    PressAlt(frmKimoro(), 'x');
    EXPECT_TRUE(WaitFor([] { return !MainLoaded(); }, 5000)) << "Alt+X";
}

}  // namespace
