// Dir through the file system's own attributes: the standard library's file system support
// would bring its locale machinery along, more than the rest of the program together.
#include "platform/Runtime.h"

#include <windows.h>

#include <string>

std::u16string Dir(std::u16string_view path) {
    if (path.empty()) return u"";
    const std::wstring native(path.begin(), path.end());  // either separator serves
    const DWORD attributes = GetFileAttributesW(native.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        return u"";
    }
    const std::size_t separator = path.find_last_of(u"\\/");
    return std::u16string(separator == path.npos ? path : path.substr(separator + 1));
}
