#include "platform/common/Files.h"

#include <filesystem>
#include <string>
#include <system_error>

bool IsFile(std::u16string_view path) {
    std::u16string native(path);
    for (char16_t& c : native) {
        if (c == u'\\') c = u'/';
    }
    std::error_code error;
    return std::filesystem::is_regular_file(std::filesystem::path(native), error);
}
