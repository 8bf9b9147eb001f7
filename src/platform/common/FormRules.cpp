#include "platform/common/FormRules.h"

#include "platform/RuntimeError.h"

#include <algorithm>
#include <cmath>

int TwipsToPixels(double twips, double twipsPerPixel) {
    const double pixels = std::round(twips / twipsPerPixel);
    if (!(std::fabs(pixels) <= 32767)) throw RuntimeError(ErrorNumber::Overflow, "Overflow");
    return static_cast<int>(pixels);
}

int SizeToPixels(double twips, double twipsPerPixel) {
    if (twips < 0) throw RuntimeError(ErrorNumber::InvalidPropertyValue, "Invalid property value");
    return TwipsToPixels(twips, twipsPerPixel);
}

int TextLineWidth(double advance, double lastGlyphOverhang) {
    // A hair above a whole pixel is rounding noise of the measure, not ink.
    return static_cast<int>(std::ceil(advance + std::max(0.0, lastGlyphOverhang) - 1e-3));
}

bool TakesFocus(ControlType type) {
    return type == ControlType::Button || type == ControlType::PictureBox;
}

std::vector<std::size_t> TabOrder(const FormDesign& design) {
    std::vector<std::size_t> order;
    for (std::size_t i = 0; i < design.controls.size(); ++i) {
        if (TakesFocus(design.controls[i].type) && design.controls[i].tabIndex >= 0) {
            order.push_back(i);
        }
    }
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return design.controls[a].tabIndex < design.controls[b].tabIndex;
    });
    return order;
}

namespace {

std::optional<std::size_t> FirstButton(const FormDesign& design, bool ControlDesign::*flag) {
    for (std::size_t i = 0; i < design.controls.size(); ++i) {
        const ControlDesign& control = design.controls[i];
        if (control.type == ControlType::Button && control.*flag) return i;
    }
    return std::nullopt;
}

}  // namespace

std::optional<std::size_t> DefaultButton(const FormDesign& design) {
    return FirstButton(design, &ControlDesign::defaultButton);
}

std::optional<std::size_t> CancelButton(const FormDesign& design) {
    return FirstButton(design, &ControlDesign::cancelButton);
}

std::optional<std::size_t> EnterButton(const FormDesign& design,
                                       std::optional<std::size_t> focused) {
    if (focused && *focused < design.controls.size() &&
        design.controls[*focused].type == ControlType::Button) {
        return focused;
    }
    return DefaultButton(design);
}

PixelRect CentreIn(const PixelRect& area, int width, int height) {
    // The centre pixel of the area, rounding towards its top-left on an even size.
    const int centreX = area.left + (area.width - 1) / 2;
    const int centreY = area.top + (area.height - 1) / 2;
    return {centreX - width / 2, centreY - height / 2, width, height};
}

PixelRect CentrePixel(const PixelRect& window) {
    return {window.left + window.width / 2, window.top + window.height / 2, 1, 1};
}

PixelMargins ClassicFrame(double twipsPerPixel) {
    // 3 and 19 pixels at 96 DPI (15 twips a pixel); each is whole pixels at any DPI.
    const int border = TwipsToPixels(3 * 15, twipsPerPixel);
    const int caption = TwipsToPixels(19 * 15, twipsPerPixel);
    return {border, border + caption, border, border};
}

PixelRect Around(const PixelRect& inner, const PixelMargins& frame) {
    return {inner.left - frame.left, inner.top - frame.top, inner.width + frame.left + frame.right,
            inner.height + frame.top + frame.bottom};
}

PixelRect Within(const PixelRect& outer, const PixelMargins& frame) {
    return {outer.left + frame.left, outer.top + frame.top,
            std::max(0, outer.width - frame.left - frame.right),
            std::max(0, outer.height - frame.top - frame.bottom)};
}

AccessibleRole WindowRoleOf(bool shownModally) {
    return shownModally ? AccessibleRole::Dialog : AccessibleRole::Frame;
}

AccessibleRole ControlRoleOf(const ControlDesign& design, bool clickHandled) {
    if (design.type != ControlType::Label) return AccessibleRole::Standard;
    if (design.liveRegion) return AccessibleRole::LiveRegion;
    return clickHandled ? AccessibleRole::Link : AccessibleRole::Standard;
}

bool AnnouncesCaption(const ControlDesign& design, std::u16string_view caption) {
    return design.liveRegion && !caption.empty();
}

bool ShouldTick(bool enabled, std::int32_t interval) { return enabled && interval > 0; }

const FontDesign& EffectiveFont(const FontDesign* designed) {
    static constexpr FontDesign kDefaultFont{.face = u"ＭＳ Ｐゴシック", .points = 8.25f};
    return designed != nullptr ? *designed : kDefaultFont;
}
