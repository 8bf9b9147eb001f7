#include "forms/FaceNames.h"
#include "forms/frmAbout.h"

namespace {

constexpr FontDesign kFormFont{.face = kGothic, .points = 9};
constexpr FontDesign kPictureFont{.face = kPGothic, .points = 9};
constexpr FontDesign kButtonFont{.face = kPGothic, .points = 9};
constexpr FontDesign kVersionFont{.face = kPGothic, .points = 11.25f, .italic = true};
constexpr FontDesign kTitleFont{.face = kGothic, .points = 15.75f, .weight = 700};

// clang-format off
constexpr ControlDesign kControls[] = {
    {.name = "picIcon", .type = ControlType::PictureBox,
     .left = 300, .top = 300, .width = 540, .height = 540, .tabIndex = 1,
     .font = &kPictureFont, .border = true, .autoSize = true, .picture = Picture::AboutIcon},
    {.name = "cmdOK", .type = ControlType::Button, .caption = u"OK",
     .left = 240, .top = 1800, .width = 1395, .height = 345, .tabIndex = 0,
     .font = &kButtonFont, .defaultButton = true, .cancelButton = true},
    {.name = "cmdSysInfo", .type = ControlType::Button, .caption = u"ｼｽﾃﾑ情報(&S)...",
     .left = 2760, .top = 1800, .width = 1365, .height = 345, .tabIndex = 2,
     .font = &kButtonFont},
    {.name = "lblURL", .index = 0, .type = ControlType::Label, .caption = u"http://",
     .left = 3345, .top = 1020, .width = 645, .height = 180, .tabIndex = 5,
     .centred = true, .autoSize = true},
    {.name = "lblURL", .index = 1, .type = ControlType::Label, .caption = u"http://",
     .left = 3360, .top = 1200, .width = 645, .height = 180, .tabIndex = 8,
     .centred = true, .autoSize = true},
    {.name = "lblVerCaption", .type = ControlType::Label, .caption = u"Version",
     .left = 1560, .top = 480, .width = 735, .height = 225, .tabIndex = 7,
     .font = &kVersionFont, .autoSize = true},
    {.name = "lblVerSys", .type = ControlType::Label, .caption = u"Label1",
     .left = 3300, .top = 720, .width = 615, .height = 225, .tabIndex = 6,
     .font = &kVersionFont, .autoSize = true},
    {.name = "lblCopyright", .type = ControlType::Label, .caption = u"Copyright",
     .left = 1320, .top = 1440, .width = 810, .height = 180, .tabIndex = 4,
     .autoSize = true},
    {.name = "lblTitle", .type = ControlType::Label, .caption = u"ﾀｲﾄﾙ",
     .left = 1320, .top = 180, .width = 735, .height = 315, .tabIndex = 3,
     .font = &kTitleFont, .autoSize = true},
};
// clang-format on

}  // namespace

const FormDesign frmAboutDesign{
    .name = "frmAbout",
    .caption = u"ﾊﾞｰｼﾞｮﾝ情報",
    .borderStyle = BorderStyle::FixedDialog,
    .maxButton = false,
    .minButton = false,
    .keyPreview = true,
    .showInTaskbar = false,
    .startUpPosition = StartUpPosition::CenterOwner,
    .clientWidth = 4380,
    .clientHeight = 2220,
    .scaleWidth = 1.0649042f,
    .scaleHeight = 1.4488175f,
    .icon = Picture::ApplicationIcon,
    .font = &kFormFont,
    .controls = kControls,
};
