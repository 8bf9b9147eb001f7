// Through the file system's own attributes: the standard library's file system support
// would bring its locale machinery along, more than the rest of the program together.
#include "platform/common/Files.h"

#include <windows.h>

#include <string>

bool IsFile(std::u16string_view path) {
    const std::wstring native(path.begin(), path.end());
    const DWORD attributes = GetFileAttributesW(native.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}
