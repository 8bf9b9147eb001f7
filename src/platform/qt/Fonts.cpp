#include "platform/qt/Fonts.h"

#include "platform/qt/Text.h"

namespace {

constexpr FontDesign kDefaultFont{.face = u"ＭＳ Ｐゴシック", .points = 8.25f};

}  // namespace

QFont ToQFont(const FontDesign* font) {
    if (font == nullptr) font = &kDefaultFont;
    QFont qfont(ToQString(font->face));
    qfont.setPointSizeF(font->points);
    qfont.setWeight(font->weight >= 700 ? QFont::Bold : QFont::Normal);
    qfont.setItalic(font->italic);
    qfont.setStyleStrategy(QFont::PreferMatch);
    return qfont;
}

void InstallFontSubstitutions() {
    QFont::insertSubstitution(QStringLiteral(u"ＭＳ ゴシック"), QStringLiteral("IPAGothic"));
    QFont::insertSubstitution(QStringLiteral(u"ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic"));
}
