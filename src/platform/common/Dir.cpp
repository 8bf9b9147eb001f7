#include "platform/Runtime.h"

#include "platform/common/Files.h"

// The name of the file `path` names, after its last separator of either kind; empty when
// no such file exists.
std::u16string Dir(std::u16string_view path) {
    if (path.empty() || !IsFile(path)) return u"";
    const std::size_t separator = path.find_last_of(u"\\/");
    return std::u16string(separator == path.npos ? path : path.substr(separator + 1));
}
