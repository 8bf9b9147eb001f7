// The About dialog, opened over the main window as its button opens it.
#include "core/modKimoro.h"
#include "forms/frmAbout.h"
#include "forms/frmKimoro.h"
#include "forms/frmWinDIR.h"
#include "platform/Backend.h"
#include "platform/Runtime.h"
#include "platform/RuntimeError.h"
#include "platform/Win32.h"
#include "platform/standins/StandIns.h"
#include "support/Driver.h"
#include "support/Forms.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace {

const double kUnitX = frmAboutDesign.scaleWidth;   // twips per horizontal scale unit
const double kUnitY = frmAboutDesign.scaleHeight;  // twips per vertical scale unit

// A position or size as the window system holds it: the whole pixel nearest to the exact
// value (either neighbour on a tie). Values are in units of `twipsPerUnit` twips.
void ExpectSnapped(float actual, double exact, double twipsPerUnit, const std::string& what) {
    const double pixels = actual * twipsPerUnit / TwipsPerPixel();
    EXPECT_NEAR(pixels, std::round(pixels), 1e-3) << what << " is not in whole pixels";
    EXPECT_LE(std::fabs(pixels - exact * twipsPerUnit / TwipsPerPixel()), 0.5 + 1e-3)
        << what << ": " << actual << " for " << exact;
}

std::string NameOf(const ControlDesign& control) {
    if (control.index < 0) return control.name;
    return std::string(control.name) + "(" + std::to_string(control.index) + ")";
}

// Everything a user sees of the dialog's texts and layout.
struct Snapshot {
    std::vector<std::u16string> texts;
    std::vector<float> geometry;

    bool operator==(const Snapshot&) const = default;
};

Snapshot SnapshotOf(AboutForm& dialog) {
    Snapshot snapshot{{dialog.Caption()}, {dialog.Width(), dialog.Height()}};
    for (const ControlDesign& design : frmAboutDesign.controls) {
        Control& control = dialog.control(design.name, design.index);
        if (design.type != ControlType::PictureBox) snapshot.texts.push_back(control.Caption());
        snapshot.geometry.insert(snapshot.geometry.end(), {control.Left(), control.Top(),
                                                           control.Width(), control.Height()});
    }
    return snapshot;
}

// The dialog comes up active with the focus on `control`: keys typed before that would
// reach the main window instead.
bool FocusArrivesOn(const std::string& control) {
    return WaitFor([&] { return FocusedControl() == control; }, 5000);
}

class AboutDialog : public ::testing::Test {
protected:
    void SetUp() override {
        StartApplication();
        ASSERT_TRUE(FormInstance<KimoroForm>().Loaded());
    }
    void TearDown() override { UnloadAllForms(); }

    static bool DialogLoaded() { return FormInstance<AboutForm>().Loaded(); }

    // Opens the dialog as the main window's command does and runs `inspect` while it is open.
    void WhileOpen(const std::function<void(AboutForm& dialog)>& inspect) {
        WhileDialogOpen<AboutForm>(u"A", "cmdOK", inspect);
    }

    // Only while the main window is loaded: referring to its label would load it.
    static std::u16string Greeting() { return FormInstance<KimoroForm>().lblKimoro().Caption(); }
};

// Expects `action` to bring up the message that system information is unavailable, as it
// is with no tool registered, and closes the message.
void ExpectUnavailableMessageDuring(const std::function<void()>& action) {
    ClearRegistryStandIn();
    bool shown = false;
    WhenModalAppears([&] {
        shown = true;
        const std::optional<MessageBoxView> box = ActiveMessageBox();
        ASSERT_TRUE(box.has_value());
        EXPECT_EQ(box->text, u"現時点ではｼｽﾃﾑ情報を使用できません。");
        EXPECT_EQ(box->title, u"きもろ");
        CloseActiveMessageBox();
    });
    action();
    // An access key animates its click, which arrives about 100 ms later.
    EXPECT_TRUE(WaitFor([&] { return shown; }, 5500)) << "no system-information message";
}

TEST(AboutCentreLine, IsHalfTheWidthRoundedWithTiesToEven) {
    EXPECT_EQ(AboutCentreLine(3450), 1725);
    EXPECT_EQ(AboutCentreLine(3465), 1732);  // 1732.5
    EXPECT_EQ(AboutCentreLine(3495), 1748);  // 1747.5
    EXPECT_EQ(AboutCentreLine(3451), 1726);  // 1725.5
    EXPECT_EQ(AboutCentreLine(3452.2f), 1726);
    EXPECT_EQ(AboutCentreLine(3452.8f), 1726);
    EXPECT_EQ(AboutCentreLine(3453.2f), 1727);
    EXPECT_EQ(AboutCentreLine(-3465), -1732);
    EXPECT_EQ(AboutCentreLine(4.0e9f), 2000000000);
    try {
        AboutCentreLine(5.0e9f);
        ADD_FAILURE() << "half of 5e9 does not fit a Long";
    } catch (const RuntimeError& error) {
        EXPECT_EQ(error.number(), ErrorNumber::Overflow);
    }
}

TEST_F(AboutDialog, ShowsTitleVersionCopyrightAndLinks) {
    WhileOpen([](AboutForm& dialog) {
        EXPECT_TRUE(TraitsOf(dialog).visible);
        EXPECT_EQ(dialog.Caption(), u"ﾊﾞｰｼﾞｮﾝ情報");
        EXPECT_EQ(dialog.lblTitle().Caption(), u"きもろ");
        EXPECT_EQ(dialog.lblVerCaption().Caption(), u"Version 1.04.00");
        EXPECT_EQ(dialog.lblVerSys().Caption(), u"( 1.4.0.53 )");
        EXPECT_EQ(dialog.lblCopyright().Caption(), App::LegalCopyright());
        EXPECT_EQ(dialog.lblURL(0).Caption(), LoadResString(1004));
        EXPECT_EQ(dialog.lblURL(1).Caption(), LoadResString(1006));
        EXPECT_EQ(dialog.cmdOK().Caption(), u"OK");
        EXPECT_EQ(dialog.cmdSysInfo().Caption(), u"ｼｽﾃﾑ情報(&S)...");
        EXPECT_TRUE(ShowsPicture(dialog, "picIcon"));
    });
}

// Widths of controls are in scale units, the dialog's own width in twips; the rules mix
// the two as they stand.
TEST_F(AboutDialog, LaysOutAcrossFromTheWiderLinkLabel) {
    WhileOpen([](AboutForm& d) {
        ExpectSnapped(d.lblURL(0).Left(), 90, kUnitX, "lblURL(0) left");
        ExpectSnapped(d.lblURL(1).Left(), 90, kUnitX, "lblURL(1) left");
        ExpectSnapped(d.lblVerCaption().Left(), d.picIcon().Width() + 2 * d.picIcon().Left(),
                      kUnitX, "lblVerCaption left");

        // The second address is the longer one, so its label sets the width.
        ASSERT_GT(d.lblURL(1).Width(), d.lblURL(0).Width());
        const float W = d.lblURL(1).Width();
        ExpectSnapped(d.Width(), W * 1.15, 1.0, "dialog width");
        ExpectSnapped(d.lblCopyright().Left(), (W - d.lblCopyright().Width()) / 2, kUnitX,
                      "lblCopyright left");

        const std::int32_t C = AboutCentreLine(d.Width());
        ExpectSnapped(d.cmdOK().Left(), C - d.cmdOK().Width() - 180, kUnitX, "cmdOK left");
        ExpectSnapped(d.cmdSysInfo().Left(), C, kUnitX, "cmdSysInfo left");
        ExpectSnapped(d.lblVerSys().Left(),
                      d.lblVerCaption().Left() + d.lblVerCaption().Width() - d.lblVerSys().Width(),
                      kUnitX, "lblVerSys left");
        // Right edges in pixels: the version numbers end where the version caption does.
        const Pixels caption = ControlRect(d, "lblVerCaption");
        const Pixels numbers = ControlRect(d, "lblVerSys");
        EXPECT_NEAR(numbers.left + numbers.width, caption.left + caption.width, 1);
    });
}

// The italic version texts lean out beyond their advance: their labels take that in.
TEST_F(AboutDialog, ItsLabelsShowAllOfTheirTextItalicsIncluded) {
    WhileOpen([](AboutForm& d) {
        for (const char* label : {"lblTitle", "lblVerCaption", "lblVerSys", "lblCopyright"}) {
            EXPECT_LE(TextInkRight(d, label), ControlRect(d, label).width) << label;
        }
    });
}

// Designed values are twips; read back in the dialog's units they are divided by its
// factors, and what the layout leaves alone keeps its designed place and size.
TEST_F(AboutDialog, KeepsDesignedTopsAndButtonSizesInItsOwnUnits) {
    WhileOpen([](AboutForm& d) {
        for (const ControlDesign& design : frmAboutDesign.controls) {
            const std::string name = NameOf(design);
            Control& control = d.control(design.name, design.index);
            ExpectSnapped(control.Top(), design.top / kUnitY, kUnitY, name + " top");
            if (design.type == ControlType::Button) {
                ExpectSnapped(control.Width(), design.width / kUnitX, kUnitX, name + " width");
                ExpectSnapped(control.Height(), design.height / kUnitY, kUnitY, name + " height");
            }
            if (name == "picIcon" || name == "lblTitle") {
                ExpectSnapped(control.Left(), design.left / kUnitX, kUnitX, name + " left");
            }
        }
        EXPECT_EQ(ClientRect(d).height * TwipsPerPixel(), frmAboutDesign.clientHeight);
        EXPECT_FALSE(TraitsOf(d).resizable) << "fixed size";
    });
}

TEST_F(AboutDialog, StartsOnOkWhichEnterAndEscBothPress) {
    WhileOpen([](AboutForm& dialog) {
        ASSERT_TRUE(FocusArrivesOn("cmdOK"));
        Press(dialog, Key::Escape);
        EXPECT_FALSE(DialogLoaded()) << "Esc";
    });
    WhileOpen([](AboutForm& dialog) {
        ASSERT_TRUE(FocusArrivesOn("cmdOK"));
        Press(dialog, Key::Enter);
        EXPECT_FALSE(DialogLoaded()) << "Enter";
    });
    EXPECT_TRUE(FormInstance<KimoroForm>().Loaded());
}

TEST_F(AboutDialog, AltSPressesTheSystemInformationButton) {
    WhileOpen([](AboutForm& dialog) {
        ASSERT_TRUE(FocusArrivesOn("cmdOK"));
        ExpectUnavailableMessageDuring([&] { PressAlt(dialog, 's'); });
        EXPECT_TRUE(DialogLoaded());
        EXPECT_TRUE(IsActiveModal(dialog));
    });
}

// The dialog previews keys and hands them to the main window's commands, S included.
TEST_F(AboutDialog, TypedLettersRunTheCommandsOfTheMainWindow) {
    WhileOpen([](AboutForm& dialog) {
        ASSERT_TRUE(FocusArrivesOn("cmdOK"));

        Type(dialog, u'p');
        EXPECT_NE(Greeting(), u"") << "p shows a greeting behind the dialog";
        EXPECT_EQ(frmKimoro().timKimoro().Interval(), 2500);

        ExpectUnavailableMessageDuring([&] { Type(dialog, u's'); });
        EXPECT_TRUE(IsActiveModal(dialog));

        // Opening the open dialog again fails, and the failure is dropped unseen.
        Type(dialog, u'a');
        ProcessEvents();
        EXPECT_TRUE(DialogLoaded());
        EXPECT_TRUE(TraitsOf(dialog).visible);
        EXPECT_TRUE(IsActiveModal(dialog));
        EXPECT_EQ(VisibleWindowCount(), 2) << "the main window and the one About dialog";
    });
}

TEST_F(AboutDialog, TypedWOpensTheDirectoryDialogOverIt) {
    WhileOpen([](AboutForm& about) {
        ASSERT_TRUE(FocusArrivesOn("cmdOK"));
        WinDIRForm& directory = FormInstance<WinDIRForm>();
        bool opened = false;
        WhenModalAppears([&] {
            opened = true;
            ASSERT_TRUE(directory.Loaded());
            EXPECT_TRUE(IsActiveModal(directory));
            EXPECT_TRUE(TraitsOf(about).visible);
            // Centred over the About dialog, which was active when it opened.
            const Pixels over = ClientRect(about);
            const Pixels opening = ClientRect(directory);
            EXPECT_NEAR(opening.left + opening.width / 2.0, over.left + over.width / 2.0, 4);
            EXPECT_NEAR(opening.top + opening.height / 2.0, over.top + over.height / 2.0, 12);
            Click(directory, "cbtOK");
        });
        Type(about, u'w');
        EXPECT_TRUE(opened);
        EXPECT_FALSE(directory.Loaded());
        EXPECT_TRUE(IsActiveModal(about));
        // A window manager activates it again, here the test; its keys work as before.
        ASSERT_TRUE(Activate(about));
        Press(about, Key::Enter);
        EXPECT_FALSE(DialogLoaded());
    });
}

// Once the main window is gone, the greeting and eXit have nothing to act on: they must
// not bring the main window back, hidden, or the program would never end.
TEST_F(AboutDialog, TypedXUnloadsTheMainWindowBehindItForGood) {
    WhileOpen([](AboutForm& dialog) {
        ASSERT_TRUE(FocusArrivesOn("cmdOK"));
        Type(dialog, u'x');
        ProcessEvents();
        EXPECT_FALSE(FormInstance<KimoroForm>().Loaded());
        EXPECT_TRUE(DialogLoaded());
        EXPECT_TRUE(TraitsOf(dialog).visible);
        for (char16_t typed : {u'p', u'x', u'P'}) {
            Type(dialog, typed);
            ProcessEvents();
            EXPECT_FALSE(FormInstance<KimoroForm>().Loaded()) << char(typed);
        }
        EXPECT_EQ(LoadedFormCount(), 1);
    });
    EXPECT_FALSE(FormInstance<KimoroForm>().Loaded());
    EXPECT_FALSE(FormInstance<AboutForm>().Loaded());
    EXPECT_FALSE(FormInstance<WinDIRForm>().Loaded());
}

TEST_F(AboutDialog, IsAFixedDialogWindowTheTitleBarCannotClose) {
    WhileOpen([](AboutForm& dialog) {
        const WindowTraits traits = TraitsOf(dialog);
        EXPECT_FALSE(traits.taskbarButton) << "a dialog window, no taskbar button of its own";
        EXPECT_FALSE(traits.closeButton);
        EXPECT_FALSE(traits.minimizeButton);
        EXPECT_FALSE(traits.maximizeButton);
        EXPECT_FALSE(traits.resizable);
        EXPECT_TRUE(traits.icon);

        RequestClose(dialog);
        ASSERT_TRUE(DialogLoaded());
        EXPECT_TRUE(TraitsOf(dialog).visible);
        const win32::HMENU menu = win32::GetSystemMenu(dialog.hWnd(), 0);
        EXPECT_EQ(win32::DeleteMenu(menu, win32::SC_CLOSE, win32::MF_BYCOMMAND), 0)
            << "Close was removed while the dialog loaded";
    });
}

TEST_F(AboutDialog, OpensAfreshWithTheSameTextsAndLayout) {
    Snapshot first;
    WindowHandle firstHandle = 0;
    WhileOpen([&](AboutForm& dialog) {
        first = SnapshotOf(dialog);
        firstHandle = dialog.hWnd();
        // Left behind in the unloaded form, none of this may show next time.
        dialog.lblURL(1).SetCaption(u"http://");
        dialog.cmdOK().SetLeft(0);
        dialog.SetWidth(9000);
    });
    WhileOpen([&](AboutForm& dialog) {
        EXPECT_EQ(SnapshotOf(dialog), first);
        EXPECT_NE(dialog.hWnd(), firstHandle);
    });
}

}  // namespace
