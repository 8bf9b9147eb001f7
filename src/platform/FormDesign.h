// Form designs: plain data that the runtime builds a form's window and controls from.
// Positions and sizes are in twips (1/1440 inch), measured from the top-left corner of the
// form's client area; a design gives the client size of its form.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

enum class BorderStyle : std::uint8_t {
    FixedSingle = 1,  // thin frame, not resizable
    FixedDialog = 3,  // dialog frame, not resizable
};

enum class StartUpPosition : std::uint8_t {
    CenterOwner = 1,  // centred over the window that is active when the form is shown
    CenterScreen = 2,
};

enum class ControlType : std::uint8_t { Button, Label, Timer, PictureBox };

struct FontDesign {
    std::u16string_view face;
    float points;
    int weight = 400;  // 400 normal, 700 bold
    bool italic = false;
    int charset = 128;  // 128 Shift_JIS
};

// Embedded images, named by what they show; each backend knows where its copy lives.
enum class Picture : std::uint8_t { None, ApplicationIcon, AboutIcon };

struct ControlDesign {
    const char* name;
    std::int16_t index = -1;  // element of a control array, or -1 for a single control
    ControlType type;
    std::u16string_view caption = {};
    float left = 0, top = 0, width = 0, height = 0;
    int tabIndex = -1;                 // -1: takes no focus
    const FontDesign* font = nullptr;  // nullptr: the form's font
    bool defaultButton = false;        // Enter presses it unless another button has the focus
    bool cancelButton = false;         // Esc presses it
    bool border = false;               // label: fixed-single frame; picture box: 3-D border
    bool centred = false;              // label: text centred in its width
    bool autoSize = false;             // label: fits its caption; picture box: fits its picture
    bool liveRegion = false;           // label: screen readers speak each new non-empty caption
    bool timerEnabled = false;
    std::int32_t interval = 0;  // timer: milliseconds, 0 does not tick
    Picture picture = Picture::None;
};

struct FormDesign {
    const char* name;
    std::u16string_view caption;
    BorderStyle borderStyle;
    bool maxButton;
    bool minButton;
    bool keyPreview;
    bool showInTaskbar;
    StartUpPosition startUpPosition;
    float clientWidth, clientHeight;  // twips
    // Twips per scale unit, for the Left, Top, Width and Height of the form's controls.
    float scaleWidth = 1.0f, scaleHeight = 1.0f;
    Picture icon = Picture::None;
    const FontDesign* font = nullptr;         // nullptr: the runtime's default font
    std::span<const ControlDesign> controls;  // designer order
};
