#include "forms/FaceNames.h"
#include "forms/frmWinDIR.h"

namespace {

constexpr FontDesign kFormFont{.face = kGothic, .points = 9};
constexpr FontDesign kButtonFont{.face = kGothic, .points = 9.75f};
constexpr FontDesign kLabelFont{.face = kGothic, .points = 12};

// clang-format off
constexpr ControlDesign kControls[] = {
    {.name = "cbtOK", .type = ControlType::Button, .caption = u"cbtOK",
     .left = 120, .top = 540, .width = 615, .height = 315, .tabIndex = 0,
     .font = &kButtonFont, .defaultButton = true},
    {.name = "lblWinDIR", .type = ControlType::Label, .caption = u"lblWinDIR",
     .left = 120, .top = 120, .width = 1140, .height = 300, .tabIndex = 1,
     .font = &kLabelFont, .border = true, .autoSize = true},
};
// clang-format on

}  // namespace

const FormDesign frmWinDIRDesign{
    .name = "frmWinDIR",
    .caption = u"frmWinDIR",
    .borderStyle = BorderStyle::FixedSingle,
    .maxButton = false,
    .minButton = false,
    .keyPreview = false,
    .showInTaskbar = true,
    .startUpPosition = StartUpPosition::CenterOwner,
    .clientWidth = 1290,
    .clientHeight = 945,
    .font = &kFormFont,
    .controls = kControls,
};
