// The keyboard shortcuts: how typed characters become commands, directly and through the
// window system, and what the focused control gets afterwards.
#include "core/modKimoro.h"
#include "forms/frmAbout.h"
#include "forms/frmKimoro.h"
#include "forms/frmWinDIR.h"
#include "platform/Runtime.h"
#include "platform/qt/FormWindow.h"
#include "platform/standins/StandIns.h"
#include "support/Gui.h"

#include <QApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
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
    UnexpectedModals() {
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            QWidget* modal = QApplication::activeModalWidget();
            if (modal == nullptr || !modal->isVisible()) return;
            ++count_;
            auto* form = dynamic_cast<FormWindow*>(modal);
            if (form && form->impl) {
                form->impl->form.Unload();
            } else {
                modal->close();
            }
        });
        timer_.start(10);
    }
    int count() const { return count_; }

private:
    QTimer timer_;
    int count_ = 0;
};

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

class Keyboard : public ::testing::Test {
protected:
    void SetUp() override {
        ClearRegistryStandIn();  // S shows its message instead of starting a program
        StartApplication();
        window = WindowOf(frmKimoro());
        ASSERT_NE(window, nullptr);
    }
    void TearDown() override { UnloadAllForms(); }

    // Without loading the main window again once it is unloaded.
    static bool MainLoaded() { return FormInstance<KimoroForm>().Loaded(); }
    QPushButton* Button(const char* name) {
        return Widget<QPushButton>(FormInstance<KimoroForm>(), name);
    }
    // Activates the main window, as a window manager does when a dialog closes; the
    // offscreen platform leaves no window active then.
    bool Activate() {
        window->activateWindow();
        return QTest::qWaitForWindowActive(window);
    }
    QString Greeting() { return Widget<QLabel>(FormInstance<KimoroForm>(), "lblKimoro")->text(); }
    void ClearGreeting() { frmKimoro().lblKimoro().SetCaption(u""); }

    // The key after MapKeyToCommand has seen it.
    static std::int16_t Mapped(int code, const std::u16string& context = u"Main") {
        auto key = static_cast<std::int16_t>(code);
        MapKeyToCommand(key, context);
        return key;
    }

    QWidget* window = nullptr;
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
            EXPECT_EQ(!Greeting().isEmpty(), upper == 'P') << typed;
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
        WhenModalAppears([&](QWidget* modal) {
            shown = true;
            EXPECT_EQ(modal, WindowOf(c.dialog)) << c.typed;
            Click(Widget<QPushButton>(c.dialog, c.ok));
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
            QString message;
            WhenModalAppears([&](QWidget* modal) {
                auto* box = qobject_cast<QMessageBox*>(modal);
                if (box) message = box->text();
                modal->close();
            });
            EXPECT_EQ(Mapped(typed, context), 'S');
            EXPECT_EQ(message, QString::fromStdU16String(LoadResString(1100)))
                << QString::fromStdU16String(context).toStdString() << " " << typed;
        }
    }
}

TEST_F(Keyboard, KeysThatAreNoCommandChangeNothing) {
    const UnexpectedModals modals;
    std::vector<int> codes = {13, 27, 8, 32, 9, '!', '@', '[', '`', '{', '~'};
    for (int digit = '0'; digit <= '9'; ++digit) codes.push_back(digit);
    for (int code : codes) {
        EXPECT_EQ(Mapped(code), code) << code;
        EXPECT_EQ(Greeting(), QString()) << code;
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
        EXPECT_EQ(Greeting(), QString()) << c.what;
    }
    ProcessEvents(50);
    EXPECT_EQ(modals.count(), 0);
    EXPECT_TRUE(MainLoaded());
}

TEST_F(Keyboard, RunCommandTakesOnlyTheExactUpperCaseLetter) {
    const UnexpectedModals modals;
    const std::u16string notCommands[] = {u"p", u"",  u" ",  u"PX", u"P ", u" P",
                                          u"PP", u"a", u"s",  u"w",  u"x",  u"Ｐ",
                                          u"XP", std::u16string(u"P\0", 2)};
    for (const std::u16string& command : notCommands) {
        RunCommand(command);
        EXPECT_EQ(Greeting(), QString()) << QString::fromStdU16String(command).toStdString();
    }
    ProcessEvents(50);
    EXPECT_EQ(modals.count(), 0);
    EXPECT_TRUE(MainLoaded());
    EXPECT_EQ(frmKimoro().timKimoro().Interval(), 0);
}

TEST_F(Keyboard, TypedPShowsAGreetingAndSNothingWhicheverButtonHasTheFocus) {
    ASSERT_TRUE(Activate());
    const UnexpectedModals modals;
    for (const char* name : kButtons) {
        ASSERT_EQ(QApplication::focusWidget(), Button(name));
        for (char typed : {'p', 'P'}) {
            ClearGreeting();
            Type(window, typed);
            EXPECT_FALSE(Greeting().isEmpty()) << name << " " << typed;
        }
        for (char typed : {'s', 'S'}) {
            ClearGreeting();
            Type(window, typed);
            EXPECT_EQ(Greeting(), QString()) << name << " " << typed;
        }
        EXPECT_EQ(QApplication::focusWidget(), Button(name)) << "typing moves no focus";
        Press(window, Qt::Key_Tab);
    }
    ProcessEvents(50);
    EXPECT_EQ(modals.count(), 0);
}

TEST_F(Keyboard, TypedXUnloadsTheMainWindow) {
    ASSERT_TRUE(Activate());
    Button("CoButVersion")->setFocus();
    Type(window, 'x');
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
        ASSERT_TRUE(Activate());
        Button(c.focus)->setFocus();
        bool shown = false;
        std::optional<UnexpectedModals> again;
        WhenModalAppears([&](QWidget* modal) {
            shown = true;
            EXPECT_EQ(modal, WindowOf(c.dialog)) << c.typed;
            EXPECT_EQ(modal->windowModality(), Qt::ApplicationModal) << c.typed;
            Click(Widget<QPushButton>(c.dialog, c.ok));
            again.emplace();
        });
        Type(window, c.typed);
        // The typed key returns only once the dialog is closed: it was shown modally.
        EXPECT_TRUE(shown) << c.typed;
        EXPECT_FALSE(c.dialog.Loaded()) << c.typed;
        EXPECT_TRUE(MainLoaded()) << c.typed;
        ProcessEvents(50);
        // Closing the dialog leaves no window active here: the key must not reach the form
        // again on its way up from the button.
        ASSERT_TRUE(again.has_value());
        EXPECT_EQ(again->count(), 0) << c.typed << " opened its dialog twice";
    }
}

TEST_F(Keyboard, TheFocusedControlGetsTheCodeWrittenBack) {
    ASSERT_TRUE(Activate());
    QPushButton* focused = Button("cbtWin");
    focused->setFocus();
    KeyRecorder recorder;
    focused->installEventFilter(&recorder);

    Type(window, 'q');
    ASSERT_EQ(recorder.presses.size(), 1u) << "the control gets the key once, changed";
    EXPECT_EQ(recorder.presses[0].text, QStringLiteral("Q"));
    EXPECT_EQ(recorder.presses[0].key, Qt::Key_Q);

    recorder.presses.clear();
    Type(window, '5');
    ASSERT_EQ(recorder.presses.size(), 1u);
    EXPECT_EQ(recorder.presses[0].text, QStringLiteral("5"));

    // A full-width letter reaches the control as its full-width upper case.
    recorder.presses.clear();
    QTest::sendKeyEvent(QTest::Click, window->windowHandle(), Qt::Key_unknown,
                        QStringLiteral(u"ｑ"), Qt::NoModifier);
    ASSERT_EQ(recorder.presses.size(), 1u);
    EXPECT_EQ(recorder.presses[0].text, QStringLiteral(u"Ｑ"));
    focused->removeEventFilter(&recorder);

    // A key the form leaves as it is still works the control: Space presses the button.
    Button("CoButTest")->setFocus();
    Type(window, ' ');
    EXPECT_FALSE(Greeting().isEmpty());
}

TEST_F(Keyboard, AltLettersClickTheButtonsThroughTheirAccessKeys) {
    ASSERT_TRUE(Activate());
    // The access key animates a click, which arrives about 100 ms later.
    Press(window, Qt::Key_P, Qt::AltModifier);
    ProcessEvents(300);
    EXPECT_FALSE(Greeting().isEmpty()) << "Alt+P";
    EXPECT_EQ(frmKimoro().timKimoro().Interval(), 2500);

    struct Case {
        Qt::Key key;
        Form& dialog;
        const char* ok;
    };
    const Case cases[] = {{Qt::Key_A, FormInstance<AboutForm>(), "cmdOK"},
                          {Qt::Key_W, FormInstance<WinDIRForm>(), "cbtOK"}};
    for (const Case& c : cases) {
        ASSERT_TRUE(Activate());
        bool shown = false;
        WhenModalAppears([&](QWidget* modal) {
            shown = true;
            EXPECT_EQ(modal, WindowOf(c.dialog));
            Click(Widget<QPushButton>(c.dialog, c.ok));
        });
        Press(window, c.key, Qt::AltModifier);
        ProcessEvents(300);
        EXPECT_TRUE(shown) << QKeySequence(c.key).toString().toStdString();
        EXPECT_FALSE(c.dialog.Loaded());
    }

    ASSERT_TRUE(Activate());
    Press(window, Qt::Key_X, Qt::AltModifier);
    ProcessEvents(300);
    EXPECT_FALSE(MainLoaded()) << "Alt+X";
}

}  // namespace
