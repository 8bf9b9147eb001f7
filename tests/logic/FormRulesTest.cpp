// The window-free rules of forms: units, tab order, Enter and Esc, centring.
#include "platform/common/FormRules.h"

#include "platform/RuntimeError.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace {

// clang-format off
constexpr ControlDesign kControls[] = {
    {.name = "cmdB", .type = ControlType::Button, .tabIndex = 2, .cancelButton = true},
    {.name = "lblA", .type = ControlType::Label, .tabIndex = 0},
    {.name = "cmdA", .type = ControlType::Button, .tabIndex = 1, .defaultButton = true},
    {.name = "timA", .type = ControlType::Timer},
    {.name = "picA", .type = ControlType::PictureBox, .tabIndex = 1},
    {.name = "cmdC", .type = ControlType::Button, .tabIndex = 3},
};
// clang-format on
// clang-format off
constexpr FormDesign kDesign{.name = "frm", .caption = u"", .borderStyle = BorderStyle::FixedDialog,
                             .maxButton = false, .minButton = false, .keyPreview = false,
                             .showInTaskbar = false,
                             .startUpPosition = StartUpPosition::CenterOwner,
                             .clientWidth = 0, .clientHeight = 0, .controls = kControls};
// clang-format on
// clang-format off
constexpr FormDesign kNoButtons{.name = "frm", .caption = u"", .borderStyle = BorderStyle::FixedDialog,
                                .maxButton = false, .minButton = false, .keyPreview = false,
                                .showInTaskbar = false,
                                .startUpPosition = StartUpPosition::CenterOwner,
                                .clientWidth = 0, .clientHeight = 0,
                                .controls = std::span(kControls).subspan(1, 1)};
// clang-format on

TEST(FormRules, TabOrderTakesButtonsAndPicturesByTabIndexAndDesignOrderOnATie) {
    EXPECT_EQ(TabOrder(kDesign), (std::vector<std::size_t>{2, 4, 0, 5}));
    EXPECT_TRUE(TabOrder(kNoButtons).empty());
}

TEST(FormRules, EnterPressesTheFocusedButtonElseTheDefaultAndEscTheCancelButton) {
    EXPECT_EQ(DefaultButton(kDesign), 2u);
    EXPECT_EQ(CancelButton(kDesign), 0u);
    EXPECT_EQ(EnterButton(kDesign, 5), 5u);
    EXPECT_EQ(EnterButton(kDesign, 4), 2u) << "a focused picture box";
    EXPECT_EQ(EnterButton(kDesign, std::nullopt), 2u);
    EXPECT_EQ(EnterButton(kNoButtons, std::nullopt), std::nullopt);
    EXPECT_EQ(CancelButton(kNoButtons), std::nullopt);
}

TEST(FormRules, TwipsBecomeTheNearestWholePixelWithinSixteenBits) {
    EXPECT_EQ(TwipsToPixels(1515, 15), 101);
    EXPECT_EQ(TwipsToPixels(22, 15), 1);
    EXPECT_EQ(TwipsToPixels(23, 15), 2);
    EXPECT_EQ(TwipsToPixels(-23, 15), -2);
    EXPECT_EQ(TwipsToPixels(32767 * 15, 15), 32767);
    try {
        TwipsToPixels(32768 * 15, 15);
        ADD_FAILURE() << "beyond 16 bits";
    } catch (const RuntimeError& error) {
        EXPECT_EQ(error.number(), ErrorNumber::Overflow);
    }
    EXPECT_EQ(SizeToPixels(0, 15), 0);
    try {
        SizeToPixels(-1, 15);
        ADD_FAILURE() << "a negative size";
    } catch (const RuntimeError& error) {
        EXPECT_EQ(error.number(), ErrorNumber::InvalidPropertyValue);
    }
}

TEST(FormRules, CentresOnTheAreasCentrePixel) {
    EXPECT_EQ(CentreIn({0, 0, 1024, 768}, 373, 88), (PixelRect{325, 339, 373, 88}));
    EXPECT_EQ(CentreIn({-100, 50, 201, 101}, 50, 50), (PixelRect{-25, 75, 50, 50}));
    EXPECT_EQ(CentreIn({0, 0, 100, 100}, 300, 300), (PixelRect{-101, -101, 300, 300}))
        << "larger than the area: it sticks out on every side";
    // Centred anew at another size, on the pixel it was centred on: where it would have gone.
    const PixelRect screen{0, 0, 1024, 768};
    EXPECT_EQ(CentreIn(CentrePixel(CentreIn(screen, 272, 173)), 266, 185),
              CentreIn(screen, 266, 185));
}

TEST(FormRules, TheClassicFrameIsWholePixelBordersAndCaptionAtEveryDpi) {
    EXPECT_EQ(ClassicFrame(15), (PixelMargins{3, 22, 3, 3}));
    EXPECT_EQ(ClassicFrame(12), (PixelMargins{4, 28, 4, 4}));  // 125 %
    EXPECT_EQ(ClassicFrame(10), (PixelMargins{5, 34, 5, 5}));  // 150 %
}

}  // namespace
