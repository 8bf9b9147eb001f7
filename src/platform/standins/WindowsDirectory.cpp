// The Windows-directory stand-in: the system's root directory, written as the real call
// writes it, whole with its terminator or not at all.
#include "platform/standins/StandIns.h"

#include <cstring>

namespace {

std::optional<std::string>& Directory() {
    static std::optional<std::string> directory = std::string("/");
    return directory;
}

}  // namespace

void SetWindowsDirectoryStandIn(std::optional<std::string> directory) {
    Directory() = std::move(directory);
}

namespace win32 {

UINT GetWindowsDirectoryA(char* lpBuffer, UINT uSize) {
    if (!Directory()) return 0;
    const std::string& directory = *Directory();
    const auto length = static_cast<UINT>(directory.size());
    if (lpBuffer == nullptr || length + 1 > uSize) return length + 1;
    std::memcpy(lpBuffer, directory.data(), length);
    lpBuffer[length] = '\0';
    return length;
}

}  // namespace win32
