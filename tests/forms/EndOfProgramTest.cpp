// The end of the program: once no form is loaded, whichever nested loop runs when the last
// one goes, a message box's over a modal form's included.
#include "platform/Backend.h"
#include "platform/Entry.h"
#include "support/Forms.h"

#include <gtest/gtest.h>

#include <utility>

namespace {

TEST(EndOfProgram, ComesWhenTheLastFormGoesWhileAMessageBoxIsUpOverAModalForm) {
    bool started = false, ranOn = false;
    // The user opens the Windows-directory dialog.
    const Repeating start(10, [&] {
        if (std::exchange(started, true)) return;
        WhenModalAppears([] {
            WhenModalAppears([] { UnloadAllForms(); });
            MsgBox(u"over the dialog", MsgBoxStyle::OkOnly);
        });
        Click(frmKimoro(), "cbtWin");
    });
    // A program that runs on is ended all the same, so that the test ends.
    const Repeating watchdog(5000, [&] {
        ranOn = true;
        while (CloseActiveModal()) {
        }
        UnloadAllForms();
        QuitEventLoop(1);
    });
    EXPECT_EQ(RunProgram(StartApplication), 0);
    EXPECT_FALSE(ranOn);
    EXPECT_EQ(LoadedFormCount(), 0);
    EXPECT_FALSE(ActiveMessageBox());
}

}  // namespace
