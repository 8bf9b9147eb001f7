// String resources, compiled in from the program's string table.
#include "platform/Runtime.h"

#include "platform/RuntimeError.h"

#include <algorithm>
#include <iterator>
#include <string>

namespace {

struct Entry {
    std::int16_t id;
    std::u16string_view text;
};

constexpr Entry kTable[] = {
#define KIMORO_STRING(id, text) {id, u"" text},
#include "resources/StringTable.def"
#undef KIMORO_STRING
};

}  // namespace

std::u16string LoadResString(std::int16_t id) {
    const auto entry = std::find_if(std::begin(kTable), std::end(kTable),
                                    [id](const Entry& e) { return e.id == id; });
    if (entry == std::end(kTable)) {
        throw RuntimeError(ErrorNumber::ResourceNotFound,
                           "Resource with identifier " + std::to_string(id) + " not found");
    }
    return std::u16string(entry->text);
}
