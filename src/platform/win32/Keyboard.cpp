#include "platform/win32/Keyboard.h"

#include "platform/common/FormRules.h"
#include "platform/win32/FormWindow.h"
#include "platform/win32/Text.h"

#include <imm.h>

#include <cwctype>
#include <optional>
#include <string_view>

namespace {

// The button whose caption marks `letter` as its access key ("&P").
std::optional<std::size_t> AccessKeyButton(const Win32FormImpl& form, wchar_t letter) {
    const auto& controls = form.Design().controls;
    for (std::size_t i = 0; i < controls.size(); ++i) {
        if (controls[i].type != ControlType::Button) continue;
        const std::wstring caption = ToWide(WindowText(form.ControlWindow(i)));
        const std::wstring_view text(caption);
        for (std::size_t at = text.find(L'&'); at != text.npos && at + 1 < text.size();
             at = text.find(L'&', at + 2)) {
            if (text[at + 1] != L'&' && std::towupper(text[at + 1]) == std::towupper(letter)) {
                return i;
            }
        }
    }
    return std::nullopt;
}

bool HandleKeyDown(Win32FormImpl& form, const MSG& message) {
    switch (message.wParam) {
        case VK_RETURN: {
            const auto button = EnterButton(form.Design(), form.IndexOf(message.hwnd));
            if (!button) return false;
            form.PressButton(button);
            return true;
        }
        case VK_ESCAPE: {
            const auto button = CancelButton(form.Design());
            if (!button) return false;
            form.PressButton(button);
            return true;
        }
        case VK_TAB:
            form.Tab((GetKeyState(VK_SHIFT) & 0x8000) == 0);
            return true;
        default:
            return false;
    }
}

}  // namespace

bool HandleFormKey(MSG& message) {
    if (message.message != WM_KEYDOWN && message.message != WM_CHAR &&
        message.message != WM_SYSCHAR) {
        return false;
    }
    Win32FormImpl* form = Win32FormImpl::Of(message.hwnd);
    if (form == nullptr) return false;
    if (message.message == WM_KEYDOWN) return HandleKeyDown(*form, message);
    if (message.message == WM_SYSCHAR) {
        const auto button = AccessKeyButton(*form, static_cast<wchar_t>(message.wParam));
        if (!button) return false;
        form->PressButton(button);
        return true;
    }
    // A character, which a form that previews keys sees before its control does.
    const auto typed = static_cast<char16_t>(message.wParam);
    if (!form->Design().keyPreview || typed == u'\t') return false;
    const HWND target = message.hwnd;
    const char16_t passed = form->Events().KeyTyped(typed);  // may unload the form
    if (passed == u'\0' || !IsWindow(target)) return true;
    message.wParam = passed;
    return false;
}

void KeepFromInputMethod(HWND window) { ImmAssociateContext(window, nullptr); }
