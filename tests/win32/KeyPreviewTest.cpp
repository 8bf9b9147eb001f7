// The key preview on Windows: the main window sees each typed character as its code in the
// system's ANSI code page (932 here) before the focused control, which gets the character
// that comes back; with the input method on, the letters still arrive as keys.
#include "core/modKimoro.h"
#include "forms/frmKimoro.h"
#include "platform/win32/FormWindow.h"
#include "support/Driver.h"
#include "support/Forms.h"

#include <gtest/gtest.h>
#include <imm.h>
#include <windows.h>

#include <string>
#include <vector>

namespace {

std::u16string received;  // the characters the recorded control got
WNDPROC originalProc = nullptr;

LRESULT CALLBACK RecordCharacters(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CHAR) received += static_cast<char16_t>(wParam);
    return CallWindowProcW(originalProc, window, message, wParam, lParam);
}

class KeyPreview : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(GetACP(), 932u) << "the tests run in a Japanese-locale prefix";
        StartApplication();
        ASSERT_TRUE(Activate(frmKimoro()));
        SetFocus(frmKimoro(), "cbtWin");
        ASSERT_EQ(FocusedControl(), "cbtWin");
        button_ = GetFocus();
        received.clear();
        originalProc = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(button_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RecordCharacters)));
    }
    void TearDown() override {
        SetWindowLongPtrW(button_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(originalProc));
        UnloadAllForms();
    }

    // What the focused button gets for one typed character.
    static std::u16string Passed(char16_t typed) {
        received.clear();
        Type(frmKimoro(), typed);
        return received;
    }

    HWND button_ = nullptr;
};

TEST_F(KeyPreview, DoubleByteCharactersPassAsTheCodePageWritesThemBack) {
    // Full-width letters are double-byte codes (0x8291 for q); their upper case (0x8270)
    // comes back and reaches the button as the full-width capital.
    EXPECT_EQ(Passed(u'ｑ'), u"Ｑ");
    EXPECT_EQ(Passed(u'ｐ'), u"Ｐ");
    EXPECT_EQ(frmKimoro().lblKimoro().Caption(), u"") << "a full-width P is no command";
    // Kana and kanji have no case: they pass as they are, once.
    EXPECT_EQ(Passed(u'あ'), u"あ");
    EXPECT_EQ(Passed(u'漢'), u"漢");
    EXPECT_EQ(Passed(u'ｱ'), u"ｱ") << "half-width katakana, a single byte";
    // Single-byte letters take the same path.
    EXPECT_EQ(Passed(u'q'), u"Q");
    EXPECT_EQ(Passed(u'5'), u"5");
}

// The windows of the program's loaded forms, each form and every control on it.
std::vector<HWND> FormWindows() {
    std::vector<HWND> windows;
    for (HWND window : ThreadWindows()) {
        if (Win32FormImpl::Of(window) == nullptr) continue;
        windows.push_back(window);
        EnumChildWindows(
            window,
            [](HWND child, LPARAM list) {
                reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&windows));
    }
    return windows;
}

TEST_F(KeyPreview, LettersStayCommandsWithTheInputMethodOnInHiragana) {
    // The user left the input method on, in hiragana, while typing in another window; since
    // Windows 8 that one mode serves every window. A window with an input context would
    // have its letters composed into Japanese text, so none of the program's has one. (Wine's
    // own input method lets every key through, so only the contexts tell.)
    const HWND elsewhere = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 0, 0, nullptr,
                                           nullptr, nullptr, nullptr);
    const HIMC context = ImmGetContext(elsewhere);
    ASSERT_NE(context, nullptr) << "the thread has no input method";
    constexpr DWORD kHiragana = IME_CMODE_NATIVE | IME_CMODE_FULLSHAPE;
    ImmSetOpenStatus(context, TRUE);
    ImmSetConversionStatus(context, kHiragana, IME_SMODE_PHRASEPREDICT);
    const auto expectNoInputContext = [] {
        const std::vector<HWND> windows = FormWindows();
        EXPECT_GE(windows.size(), 6u);
        for (HWND window : windows) {
            wchar_t text[64] = L"";
            GetWindowTextW(window, text, 64);
            EXPECT_EQ(ImmGetContext(window), nullptr) << "window " << window << " " << text;
        }
    };
    expectNoInputContext();
    WhileDialogOpen<AboutForm>(u"A", "cmdOK", [&](AboutForm&) { expectNoInputContext(); });

    // p, typed on the keyboard, runs its command.
    ASSERT_TRUE(Activate(frmKimoro()));
    INPUT keys[2]{};
    keys[0].type = keys[1].type = INPUT_KEYBOARD;
    keys[0].ki.wVk = keys[1].ki.wVk = 'P';
    keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
    ASSERT_EQ(SendInput(2, keys, sizeof(INPUT)), 2u);
    EXPECT_TRUE(WaitFor([] { return !frmKimoro().lblKimoro().Caption().empty(); }, 2000))
        << "no greeting";

    // The user's mode stays as it was, for the other windows.
    DWORD conversion = 0, sentence = 0;
    EXPECT_TRUE(ImmGetOpenStatus(context));
    ImmGetConversionStatus(context, &conversion, &sentence);
    EXPECT_EQ(conversion, kHiragana);
    ImmSetOpenStatus(context, FALSE);
    ImmReleaseContext(elsewhere, context);
    DestroyWindow(elsewhere);
}

}  // namespace
