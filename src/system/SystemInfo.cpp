#include "system/SystemInfo.h"

#include "platform/Runtime.h"
#include "platform/RuntimeError.h"
#include "system/Registry.h"

#include <string>

namespace {

// Where the tool is, or false; errors of the lookup pass to the caller.
bool FindSystemInfoTool(std::u16string& path) {
    if (ReadRegistryValue(win32::HKEY_LOCAL_MACHINE, u"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO",
                          u"PATH", path)) {
        return true;  // used as read: a missing program shows when it fails to start
    }
    if (!ReadRegistryValue(win32::HKEY_LOCAL_MACHINE, u"SOFTWARE\\Microsoft\\Shared Tools Location",
                           u"MSINFO", path)) {
        return false;
    }
    const std::u16string candidate = path + u"\\MSINFO32.EXE";
    if (Dir(candidate).empty()) return false;
    path = candidate;
    return true;
}

}  // namespace

// Its own error handler: any failure shows the one message, once. An error while showing
// it passes to the caller.
void LaunchSystemInfo() {
    try {
        std::u16string path;
        if (FindSystemInfoTool(path)) {
            // Quoted as one program path, so that a path with spaces cannot start a
            // program named by its first word.
            Shell(u"\"" + path + u"\"", WindowStyle::NormalFocus);
            return;
        }
    } catch (const RuntimeError&) {
        // Falls through to the message.
    }
    MsgBox(LoadResString(1100), MsgBoxStyle::OkOnly);
}
