// Driving the program's real windows from a test, as a user would: every action goes
// through the window system, so modality, focus and the keyboard work as they do for a
// user. One implementation per window-system backend; the tests are the same for each.
#pragma once

#include "platform/Form.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

// Once per test process, before the window system starts: e.g. a platform without a display.
void PrepareTestWindowSystem();

struct Pixels {
    int left = 0, top = 0, width = 0, height = 0;
    bool operator==(const Pixels&) const = default;
};

// A left click on a control. A click on a window behind a modal one does nothing.
void Click(Form& form, std::string_view control, std::int16_t index = -1);

// A character typed into the form's window; a key; a letter with Alt. An access key
// animates its click, which arrives about 100 ms later.
void Type(Form& form, char16_t character);
enum class Key { Enter, Escape, Tab };
void Press(Form& form, Key key);
void PressAlt(Form& form, char letter);

// The title bar's close request, as the window system sends it.
void RequestClose(Form& form);

// Makes the form's window the active one, as a window manager does when a dialog closes;
// false when it does not become active.
bool Activate(Form& form);
// The focused control: its design name ("lblURL(1)" for an array element), or "" for none.
std::string FocusedControl();
void SetFocus(Form& form, std::string_view control, std::int16_t index = -1);

// Runs `action` from inside the nested loop of the next modal window to appear (a form or a
// message box). Fails the test if none appears within 5 s.
void WhenModalAppears(std::function<void()> action);
// The form's window is the modal one that takes input now.
bool IsActiveModal(Form& form);
struct MessageBoxView {
    std::u16string title, text;
    bool informationIcon = false;
    int buttons = 0;
};
// The message box that is the active modal window, if one is.
std::optional<MessageBoxView> ActiveMessageBox();
void CloseActiveMessageBox();  // with its OK button

// What the window system shows of a form's window.
struct WindowTraits {
    bool visible = false;
    bool minimizeButton = false, maximizeButton = false, closeButton = false;
    bool resizable = false;
    bool taskbarButton = false;
    bool icon32And16 = false;  // an icon with a 32 and a 16 pixel image
    bool icon = false;
};
WindowTraits TraitsOf(Form& form);
Pixels ScreenRect();
Pixels ClientRect(Form& form);  // the client area, in screen coordinates
Pixels ControlRect(Form& form, std::string_view control, std::int16_t index = -1);
bool ShowsPicture(Form& form, std::string_view control);
// How far right a label's text draws, in pixels from its left edge, measured with room to
// spare: the label is drawn wider for the measure than it is.
int TextInkRight(Form& form, std::string_view control);
int VisibleWindowCount();

// Lets queued events run for at least `milliseconds`, e.g. a deferred window deletion or
// an animated click; WaitFor until `condition` holds or `milliseconds` pass.
void ProcessEvents(int milliseconds = 0);
bool WaitFor(const std::function<bool()>& condition, int milliseconds);

// Runs `action` every `milliseconds` from whichever event loop runs, the nested loop of a
// modal window included, for as long as the object lives.
class Repeating {
public:
    Repeating(int milliseconds, std::function<void()> action);
    ~Repeating();
    Repeating(const Repeating&) = delete;
    Repeating& operator=(const Repeating&) = delete;

private:
    struct Timer;
    std::unique_ptr<Timer> timer_;
};
