#include "platform/win32/Fonts.h"

#include "platform/common/FormRules.h"
#include "platform/win32/Text.h"

#include <cmath>
#include <map>
#include <utility>

HFONT FontOf(const FontDesign* designed, int dpi) {
    static std::map<std::pair<const FontDesign*, int>, HFONT> fonts;
    const FontDesign* font = &EffectiveFont(designed);
    if (const auto found = fonts.find({font, dpi}); found != fonts.end()) return found->second;
    // By the designed face name and character set: where the face is missing, the system
    // maps it to a Japanese face of the same kind.
    const std::wstring face = ToWide(font->face.substr(0, LF_FACESIZE - 1));
    const int height = -static_cast<int>(std::lround(font->points * dpi / 72.0));
    const HFONT created =
        CreateFontW(height, 0, 0, 0, font->weight, font->italic, FALSE, FALSE,
                    static_cast<DWORD>(font->charset), OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                    DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, face.c_str());
    fonts.emplace(std::pair(font, dpi), created);
    return created;
}
