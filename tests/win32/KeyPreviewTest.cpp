// The key preview on Windows: the main window sees each typed character as its code in the
// system's ANSI code page (932 here) before the focused control, which gets the character
// that comes back.
#include "core/modKimoro.h"
#include "forms/frmKimoro.h"
#include "support/Driver.h"
#include "support/Forms.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

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

}  // namespace
