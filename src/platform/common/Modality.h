// Which form takes input now. While a form runs modally, or a message box is up, every
// window behind it takes none, whatever reaches it: not only the user's mouse and keyboard,
// which the window system holds back, but also messages that other programs (screen
// readers, test robots) send or post straight to a disabled window.
#pragma once

class Form;

// Lasts as long as a modal form's or a message box's nested loop runs.
class ModalScope {
public:
    explicit ModalScope(const Form* form);  // null: a message box, over every form
    ~ModalScope();
    ModalScope(const ModalScope&) = delete;
    ModalScope& operator=(const ModalScope&) = delete;
};

// The form takes clicks, keys and close requests: no modal window runs, or it is the modal
// form on top. Timers tick either way.
bool TakesInput(const Form& form);

// The form runs modally: its nested loop has not ended yet.
bool ShownModally(const Form& form);
