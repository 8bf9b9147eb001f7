#include "system/modDLL.h"

#include "platform/AnsiCodePage.h"
#include "platform/Win32.h"
#include "system/TextBuffer.h"

namespace {

// The longest directory that fits is 144 bytes and its terminator.
constexpr win32::UINT kBufferSize = 145;

}  // namespace

// No error trap: errors pass to the caller.
std::u16string QueryWindowsDirectory() {
    std::u16string buffer(kBufferSize, u'\0');
    std::string ansi = ToAnsi(buffer);
    win32::GetWindowsDirectoryA(ansi.data(), kBufferSize);
    // All bytes come back, zeros included, so the cut finds the terminator whatever the
    // system wrote (or left untouched).
    buffer = FromAnsi(ansi);
    return CutAtFirstNul(buffer);
}
