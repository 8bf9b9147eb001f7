#include "platform/Backend.h"
#include "platform/win32/Text.h"

#include <windows.h>

void ShowMessageBox(std::u16string_view prompt, MsgBoxStyle style) {
    // Over the active window; with none, every window of the program waits for it.
    const HWND owner = GetActiveWindow();
    UINT type = MB_OK | (style == MsgBoxStyle::Information ? MB_ICONINFORMATION : 0);
    if (owner == nullptr) type |= MB_TASKMODAL;
    MessageBoxW(owner, ToWide(prompt).c_str(), ToWide(App::Title()).c_str(), type);
}
