#include "platform/win32/Pictures.h"

#include <map>
#include <utility>

namespace {

// The icon groups of the program's resources.
int ResourceOf(Picture picture) {
    switch (picture) {
        case Picture::ApplicationIcon:
            return 1;
        case Picture::AboutIcon:
            return 2;
        case Picture::None:
            break;
    }
    return 0;
}

}  // namespace

HICON PictureIcon(Picture picture, int size) {
    // Not shared: a shared icon is one handle per resource, whatever size is asked for.
    static std::map<std::pair<Picture, int>, HICON> icons;
    const int resource = ResourceOf(picture);
    if (resource == 0) return nullptr;
    const auto [found, added] = icons.try_emplace({picture, size}, nullptr);
    if (added) {
        found->second =
            static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(resource),
                                          IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
    }
    return found->second;
}
