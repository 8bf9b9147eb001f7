// The form engine on an in-memory window system: loading and the end of the program, modal
// Show, control lookup and properties, scale units, timers, the key preview and what screen
// readers are told.
#include "platform/Entry.h"
#include "platform/Form.h"
#include "platform/Runtime.h"
#include "platform/RuntimeError.h"
#include "support/FakeBackend.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

// clang-format off
constexpr ControlDesign kControls[] = {
    {.name = "cmdGo", .type = ControlType::Button, .caption = u"&Go",
     .left = 150, .top = 300, .width = 600, .height = 300, .tabIndex = 0, .defaultButton = true},
    {.name = "lblFit", .type = ControlType::Label, .caption = u"abc",
     .left = 30, .top = 45, .width = 900, .height = 300, .autoSize = true, .liveRegion = true},
    {.name = "lblFixed", .type = ControlType::Label, .caption = u"fixed",
     .left = 0, .top = 0, .width = 900, .height = 300},
    {.name = "lblItem", .index = 0, .type = ControlType::Label, .caption = u"0"},
    {.name = "lblItem", .index = 1, .type = ControlType::Label, .caption = u"1"},
    {.name = "picArt", .type = ControlType::PictureBox, .width = 300, .height = 300,
     .picture = Picture::AboutIcon},
    {.name = "timTick", .type = ControlType::Timer, .timerEnabled = true, .interval = 0},
    {.name = "timOff", .type = ControlType::Timer, .timerEnabled = false, .interval = 500},
};
// clang-format on

// clang-format off
constexpr FormDesign kDesign{
    .name = "frmTest", .caption = u"Test", .borderStyle = BorderStyle::FixedSingle,
    .maxButton = false, .minButton = true, .keyPreview = true, .showInTaskbar = true,
    .startUpPosition = StartUpPosition::CenterScreen, .clientWidth = 3000, .clientHeight = 1500,
    .scaleWidth = 2.0f, .scaleHeight = 3.0f, .controls = kControls};
// clang-format on

// A form whose key handler and events the test sets.
class TestForm : public Form {
public:
    explicit TestForm(const FormDesign& design = kDesign) : Form(design) {
        OnClick("cmdGo", [this](std::int16_t) { clicks.push_back(-1); });
        OnClick("lblItem", [this](std::int16_t index) { clicks.push_back(index); });
        OnTimer("timTick", [this] { ++ticks; });
    }
    std::function<void(std::int16_t&)> onKey;
    std::vector<int> clicks;
    int ticks = 0;
    int loads = 0;

protected:
    void Form_Load() override { ++loads; }
    void Form_KeyPress(std::int16_t& KeyAscii) override {
        if (onKey) onKey(KeyAscii);
    }
};

std::size_t IndexOf(const char* name, std::int16_t index = -1) {
    for (std::size_t i = 0; i < std::size(kControls); ++i) {
        if (kControls[i].name == std::string_view(name) && kControls[i].index == index) return i;
    }
    throw std::logic_error("no such control");
}

FakeControl& FakeOf(Form& form, const char* name, std::int16_t index = -1) {
    form.Load();
    return WindowOf(form).controls[IndexOf(name, index)];
}

ErrorNumber ErrorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const RuntimeError& error) {
        return error.number();
    }
    return ErrorNumber{0};
}

TestForm* started = nullptr;

TEST(FormEngine, CountsLoadedFormsAndLoadsEachOnceUntilUnloaded) {
    TestForm a, b;
    const int before = LoadedFormCount();
    a.Load();
    a.Load();
    b.control("cmdGo");  // a reference to a control loads its form
    EXPECT_EQ(LoadedFormCount(), before + 2);
    EXPECT_EQ(a.loads, 1);
    const WindowHandle first = a.hWnd();
    a.Unload();
    a.Unload();
    EXPECT_EQ(LoadedFormCount(), before + 1);
    a.Load();
    EXPECT_EQ(a.loads, 2);
    EXPECT_NE(a.hWnd(), first) << "a new window each time";
    a.Unload();
    b.Unload();
    EXPECT_EQ(LoadedFormCount(), before);
}

TEST(FormEngine, TheProgramEndsOnceNoFormIsLoadedAfterTheEventThatUnloadedIt) {
    // Nothing loaded by the start-up procedure: no event loop at all.
    EXPECT_EQ(RunProgram([] {}), 0);

    // The last form unloaded and loaded again in the same event keeps the program running:
    // the event loop then has nothing left to do (-1 here), where a real one would wait.
    static TestForm form;
    started = &form;
    EXPECT_EQ(RunProgram([] {
                  started->Show();
                  PostToEventLoop([] {
                      started->Unload();
                      started->Load();
                  });
              }),
              -1);
    EXPECT_TRUE(form.Loaded());
    form.Unload();

    EXPECT_EQ(RunProgram([] {
                  started->Show();
                  PostToEventLoop([] {
                      started->Unload();
                      PostToEventLoop([] { ADD_FAILURE() << "the program ran on after its end"; });
                  });
              }),
              0);
}

TEST(FormEngine, EndAndUnhandledErrorsEndTheStartUpProcedure) {
    MessageBoxes().clear();
    EXPECT_EQ(RunProgram([] { End(); }), 0);
    EXPECT_TRUE(MessageBoxes().empty());
    EXPECT_EQ(RunProgram([] { throw RuntimeError(ErrorNumber::Overflow, "Overflow"); }), 1);
    EXPECT_EQ(MessageBoxes(), std::vector<std::u16string>{u"実行時エラー '6':\n\nOverflow"});
}

TEST(FormEngine, AModalShowRunsUntilUnloadAndRefusesAFormAlreadyShown) {
    TestForm form;
    bool ran = false;
    WhenModal([&](FakeForm& window) {
        ran = true;
        EXPECT_TRUE(window.visible);
        EXPECT_EQ(ErrorOf([&] { form.Show(ShowStyle::Modal); }), ErrorNumber::FormAlreadyDisplayed);
        form.Show();  // modeless on a shown form is harmless
        form.Unload();
    });
    form.Show(ShowStyle::Modal);
    EXPECT_TRUE(ran);
    EXPECT_FALSE(form.Loaded());

    form.Show();
    EXPECT_EQ(ErrorOf([&] { form.Show(ShowStyle::Modal); }), ErrorNumber::FormAlreadyDisplayed);
    form.Unload();
}

TEST(FormEngine, CentresOnTheFirstShowOnly) {
    TestForm form;
    SetStartUpArea({100, 50, 401, 300});
    form.Load();
    const PixelRect client = WindowOf(form).client;
    EXPECT_EQ(client.width, 200);
    form.Show();
    // The frame drawn, 4 pixels on each side and 26 on top, is centred.
    EXPECT_EQ(WindowOf(form).client,
              (PixelRect{300 - 104 + 4, 199 - (client.height + 30) / 2 + 26, 200, client.height}));
    form.SetLeft(0);
    form.Show();
    EXPECT_EQ(form.Left(), 0);
    form.Unload();
}

TEST(FormEngine, ControlsSupportOnlyTheirKindsProperties) {
    TestForm form;
    EXPECT_EQ(ErrorOf([&] { form.control("picArt").Caption(); }),
              ErrorNumber::InvalidPropertyValue);
    EXPECT_EQ(ErrorOf([&] { form.control("timTick").SetCaption(u"x"); }),
              ErrorNumber::InvalidPropertyValue);
    EXPECT_EQ(ErrorOf([&] { form.control("timTick").Left(); }), ErrorNumber::InvalidPropertyValue);
    EXPECT_EQ(ErrorOf([&] { form.control("timTick").SetWidth(10); }),
              ErrorNumber::InvalidPropertyValue);
    EXPECT_EQ(ErrorOf([&] { form.control("cmdGo").Interval(); }),
              ErrorNumber::InvalidPropertyValue);
    EXPECT_EQ(ErrorOf([&] { form.control("timTick").SetInterval(-1); }),
              ErrorNumber::InvalidPropertyValue);
    EXPECT_EQ(form.control("cmdGo").Caption(), u"&Go");
    EXPECT_EQ(form.control("lblItem", 1).Caption(), u"1");
    form.Unload();
}

TEST(FormEngine, AMissingControlIsAnError) {
#ifndef NDEBUG
    GTEST_SKIP() << "a debug build stops at the assertion instead";
#endif
    TestForm form;
    EXPECT_EQ(ErrorOf([&] { form.control("lblItem", 2); }), ErrorNumber::InvalidProcedureCall);
    EXPECT_EQ(ErrorOf([&] { form.control("lblItem"); }), ErrorNumber::InvalidProcedureCall);
    EXPECT_EQ(ErrorOf([&] { form.control("cmdGone"); }), ErrorNumber::InvalidProcedureCall);
    form.Unload();
}

TEST(FormEngine, ControlsMeasureInTheFormsScaleUnitsAndTheFormInTwips) {
    TestForm form;
    Control& button = form.control("cmdGo");
    // Designed in twips: 150 twips is 10 pixels, read back as 75 units of 2 twips.
    EXPECT_EQ(FakeOf(form, "cmdGo").rect, (PixelRect{10, 20, 40, 20}));
    EXPECT_FLOAT_EQ(button.Left(), 75);
    EXPECT_FLOAT_EQ(button.Top(), 100);
    button.SetLeft(-30);   // -60 twips: -4 pixels
    button.SetHeight(31);  // 93 twips: 6.2 pixels, snapped to 6
    EXPECT_FLOAT_EQ(button.Left(), -30);
    EXPECT_FLOAT_EQ(button.Height(), 30);
    EXPECT_EQ(ErrorOf([&] { button.SetWidth(-1); }), ErrorNumber::InvalidPropertyValue);
    EXPECT_EQ(ErrorOf([&] { button.SetLeft(300000); }), ErrorNumber::Overflow);
    EXPECT_FLOAT_EQ(button.Left(), -30) << "a failed assignment changes nothing";

    // The form's size is reckoned on the classic frame, 3 pixels on each side and 22 on top,
    // and its place on the frame drawn.
    form.SetWidth(4500);
    form.SetLeft(150);
    EXPECT_EQ(WindowOf(form).client.width, 300 - 6);
    EXPECT_EQ(WindowOf(form).client.left, 10 + 4);
    EXPECT_FLOAT_EQ(form.Width(), 4500);
    EXPECT_FLOAT_EQ(form.Height(), (100 + 25) * 15);
    EXPECT_FLOAT_EQ(form.Left(), 150);
    EXPECT_EQ(ErrorOf([&] { form.SetHeight(-15); }), ErrorNumber::InvalidPropertyValue);
    EXPECT_EQ(ErrorOf([&] { form.SetTop(-600000); }), ErrorNumber::Overflow);
    form.Unload();
}

// A monitor of another scale: 15 twips per pixel becomes 10 (96 to 144 DPI).
TEST(FormEngine, ADpiChangeLaysTheFormOutAgainAndKeepsEveryLengthInTwips) {
    TestForm form;
    Control& button = form.control("cmdGo");
    form.SetWidth(4500);
    const float width = form.Width(), height = form.Height();
    const int fits = FakeOf(form, "lblFit").fits;
    WindowOf(form).events.DpiChanged(10, {700, 500, 999, 999});
    EXPECT_EQ(FakeOf(form, "cmdGo").rect, (PixelRect{15, 30, 60, 30}));
    EXPECT_FLOAT_EQ(button.Left(), 75) << "in the form's scale units, as before";
    EXPECT_FLOAT_EQ(button.Width(), 300);
    EXPECT_EQ(FakeOf(form, "lblFixed").rect, (PixelRect{0, 0, 90, 30}));
    EXPECT_EQ(FakeOf(form, "lblFit").rect.left, 3);
    EXPECT_EQ(FakeOf(form, "lblFit").fits, fits + 1) << "measured again in its new font";
    // 5-pixel borders under a 29-pixel caption at this DPI.
    EXPECT_EQ(WindowOf(form).client,
              (PixelRect{700 + 4, 500 + 26, 450 - 10, WindowOf(form).client.height}));
    EXPECT_FLOAT_EQ(form.Left(), 7000);
    EXPECT_FLOAT_EQ(form.Width(), width);
    EXPECT_NEAR(form.Height(), height, 10);
    button.SetLeft(30);  // 60 twips: 6 pixels now
    EXPECT_EQ(FakeOf(form, "cmdGo").rect.left, 6);
    form.Unload();
}

TEST(FormEngine, AutoSizeLabelsFitTheirCaptionWhenLoadedAndWhenItIsSet) {
    TestForm form;
    EXPECT_EQ(FakeOf(form, "lblFit").rect, (PixelRect{2, 3, 24, 16}));
    form.control("lblFit").SetCaption(u"abcdef");
    EXPECT_EQ(FakeOf(form, "lblFit").rect, (PixelRect{2, 3, 48, 16}));
    form.control("lblFixed").SetCaption(u"a much longer caption");
    form.control("cmdGo").SetCaption(u"a much longer caption");
    EXPECT_EQ(FakeOf(form, "lblFixed").fits + FakeOf(form, "cmdGo").fits, 0);
    EXPECT_EQ(FakeOf(form, "lblFixed").rect.width, 60);
    form.Unload();
}

TEST(FormEngine, TimersTickWhileEnabledWithAnIntervalAboveZero) {
    TestForm form;
    Control& timer = form.control("timTick");
    EXPECT_FALSE(FakeOf(form, "timTick").ticking) << "interval 0";
    EXPECT_FALSE(FakeOf(form, "timOff").ticking) << "disabled";
    timer.SetInterval(2500);
    EXPECT_TRUE(FakeOf(form, "timTick").ticking);
    EXPECT_EQ(FakeOf(form, "timTick").interval, 2500);
    EXPECT_EQ(timer.Interval(), 2500);
    form.control("timOff").SetInterval(100);
    EXPECT_FALSE(FakeOf(form, "timOff").ticking);
    WindowOf(form).events.Ticked(IndexOf("timTick"));
    EXPECT_EQ(form.ticks, 1);
    timer.SetInterval(0);
    EXPECT_FALSE(FakeOf(form, "timTick").ticking);
    form.Unload();
    EXPECT_EQ(form.control("timTick").Interval(), 0) << "a reloaded form starts as designed";
    form.Unload();
}

TEST(FormEngine, ClicksReachTheBindingWithTheArrayIndexAndCloseUnloads) {
    TestForm form;
    form.Load();
    FormEvents& events = WindowOf(form).events;
    events.Clicked(IndexOf("lblItem", 1));
    events.Clicked(IndexOf("cmdGo"));
    events.Clicked(IndexOf("lblItem", 0));
    events.Clicked(IndexOf("lblFixed"));  // no binding
    EXPECT_EQ(form.clicks, (std::vector<int>{1, -1, 0}));
    events.CloseRequested();
    EXPECT_FALSE(form.Loaded());
}

TEST(FormEngine, ScreenReadersAreToldTheRolesAndEachNewCaptionOfALiveLabel) {
    TestForm behind, dialog;
    behind.Show();
    const FormEvents& events = WindowOf(behind).events;
    EXPECT_EQ(events.WindowRole(), AccessibleRole::Frame);
    EXPECT_EQ(events.ControlRole(IndexOf("lblItem", 1)), AccessibleRole::Link) << "clicks bound";
    EXPECT_EQ(events.ControlRole(IndexOf("lblFixed")), AccessibleRole::Standard);
    EXPECT_EQ(events.ControlRole(IndexOf("lblFit")), AccessibleRole::LiveRegion);
    EXPECT_EQ(events.ControlRole(IndexOf("cmdGo")), AccessibleRole::Standard);
    WhenModal([&](FakeForm& window) {
        EXPECT_EQ(window.events.WindowRole(), AccessibleRole::Dialog);
        EXPECT_EQ(events.WindowRole(), AccessibleRole::Frame);
        dialog.Unload();
    });
    dialog.Show(ShowStyle::Modal);
    for (const char16_t* caption : {u"news", u"", u"news"})
        behind.control("lblFit").SetCaption(caption);
    behind.control("lblFixed").SetCaption(u"no news");
    EXPECT_EQ(FakeOf(behind, "lblFit").announced, (std::vector<std::u16string>{u"news", u"news"}));
    EXPECT_TRUE(FakeOf(behind, "lblFixed").announced.empty());
    behind.Unload();
}

TEST(FormEngine, FormsBehindAModalFormOrAMessageBoxTakeNoInputButTheirTimersTick) {
    TestForm behind, dialog;
    behind.Show();
    FormEvents& events = WindowOf(behind).events;
    bool keySeen = false;
    behind.onKey = [&](std::int16_t&) { keySeen = true; };
    WhenModal([&](FakeForm& window) {
        // Posted to the disabled window by another program: dropped all the same.
        events.Clicked(IndexOf("cmdGo"));
        EXPECT_EQ(events.KeyTyped(u'q'), u'\0');
        events.CloseRequested();
        events.Ticked(IndexOf("timTick"));
        // A message box is over the modal form too.
        WhenMessageBox([&] {
            window.events.Clicked(IndexOf("cmdGo"));
            window.events.CloseRequested();
            events.Clicked(IndexOf("cmdGo"));
            EXPECT_TRUE(dialog.Loaded());
        });
        MsgBox(u"over every form", MsgBoxStyle::OkOnly);
        window.events.Clicked(IndexOf("cmdGo"));
        window.events.CloseRequested();
    });
    dialog.Show(ShowStyle::Modal);
    EXPECT_FALSE(dialog.Loaded()) << "closed once the message box was gone";
    EXPECT_EQ(dialog.clicks, std::vector<int>{-1});
    EXPECT_TRUE(behind.Loaded());
    EXPECT_TRUE(behind.clicks.empty());
    EXPECT_FALSE(keySeen);
    EXPECT_EQ(behind.ticks, 1);
    events.Clicked(IndexOf("cmdGo"));
    EXPECT_EQ(events.KeyTyped(u'q'), u'q');
    EXPECT_EQ(behind.clicks, std::vector<int>{-1}) << "input again once the dialog is gone";
    behind.Unload();
}

TEST(FormEngine, TheKeyPreviewSeesTheAnsiCodeAndItsWrittenBackCodeReachesTheControl) {
    TestForm form;
    form.Load();
    FormEvents& events = WindowOf(form).events;
    std::vector<std::int16_t> seen;
    std::int16_t replacement = 0;
    form.onKey = [&](std::int16_t& code) {
        seen.push_back(code);
        if (replacement != -1) code = replacement;
    };
    replacement = -1;  // left as it is
    EXPECT_EQ(events.KeyTyped(u'q'), u'q');
    EXPECT_EQ(events.KeyTyped(u'あ'), u'あ');
    EXPECT_EQ(events.KeyTyped(u'ｱ'), u'ｱ');
    EXPECT_EQ(seen, (std::vector<std::int16_t>{113, static_cast<std::int16_t>(0x82A0), 0xB1}));
    replacement = 'Q';
    EXPECT_EQ(events.KeyTyped(u'q'), u'Q');
    replacement = static_cast<std::int16_t>(0x8260);  // full-width A
    EXPECT_EQ(events.KeyTyped(u'ａ'), u'Ａ');
    replacement = 0;
    EXPECT_EQ(events.KeyTyped(u'x'), u'\0') << "0 swallows the key";

    constexpr FormDesign kNoPreview = [] {
        FormDesign design = kDesign;
        design.keyPreview = false;
        return design;
    }();
    TestForm plain(kNoPreview);
    plain.Load();
    bool called = false;
    plain.onKey = [&](std::int16_t&) { called = true; };
    EXPECT_EQ(WindowOf(plain).events.KeyTyped(u'q'), u'q');
    EXPECT_FALSE(called);
    form.Unload();
    plain.Unload();
}

}  // namespace
