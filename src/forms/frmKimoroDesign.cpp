#include "forms/FaceNames.h"
#include "forms/frmKimoro.h"

namespace {

constexpr FontDesign kLabelFont{.face = kGothic, .points = 9.75f};

// clang-format off
constexpr ControlDesign kControls[] = {
    {.name = "cbtWin", .type = ControlType::Button, .caption = u"cbtWin",
     .left = 1620, .top = 480, .width = 1515, .height = 375, .tabIndex = 1},
    {.name = "CoButVersion", .type = ControlType::Button, .caption = u"CoButVer",
     .left = 3120, .top = 480, .width = 1155, .height = 375, .tabIndex = 2},
    {.name = "CoButEnd", .type = ControlType::Button, .caption = u"CoButEnd",
     .left = 4260, .top = 480, .width = 1155, .height = 375, .tabIndex = 3},
    {.name = "timKimoro", .type = ControlType::Timer, .timerEnabled = true, .interval = 0},
    {.name = "CoButTest", .type = ControlType::Button, .caption = u"CoButTest",
     .left = 120, .top = 480, .width = 1515, .height = 375, .tabIndex = 0,
     .defaultButton = true},
    {.name = "lblKimoro", .type = ControlType::Label, .caption = u"",
     .left = 150, .top = 60, .width = 5235, .height = 315, .tabIndex = 4,
     .font = &kLabelFont, .border = true, .centred = true, .liveRegion = true},
};
// clang-format on

}  // namespace

const FormDesign frmKimoroDesign{
    .name = "frmKimoro",
    .caption = u"frmKimoro",
    .borderStyle = BorderStyle::FixedSingle,
    .maxButton = false,
    .minButton = true,
    .keyPreview = true,
    .showInTaskbar = true,
    .startUpPosition = StartUpPosition::CenterScreen,
    .clientWidth = 5505,
    .clientHeight = 945,
    .icon = Picture::ApplicationIcon,
    .controls = kControls,
};
