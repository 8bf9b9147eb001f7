#include "platform/Runtime.h"

#include <filesystem>
#include <system_error>

std::u16string Dir(std::u16string_view path) {
    if (path.empty()) return u"";
    std::u16string native(path);
    for (char16_t& c : native) {
        if (c == u'\\') c = u'/';  // Windows paths take either separator
    }
    const std::filesystem::path file(native);
    std::error_code error;
    if (!std::filesystem::is_regular_file(file, error)) return u"";
    return file.filename().u16string();
}
