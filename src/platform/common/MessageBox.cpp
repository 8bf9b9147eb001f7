#include "platform/Backend.h"
#include "platform/Runtime.h"
#include "platform/common/Modality.h"

// A message box is modal over every form: none takes input until it is closed.
void MsgBox(std::u16string_view prompt, MsgBoxStyle style) {
    const ModalScope scope(nullptr);
    ShowMessageBox(prompt, style);
}
