#include "platform/qt/Fonts.h"

#include "platform/common/FormRules.h"
#include "platform/qt/Text.h"

QFont ToQFont(const FontDesign* designed) {
    const FontDesign& font = EffectiveFont(designed);
    QFont qfont(ToQString(font.face));
    qfont.setPointSizeF(font.points);
    qfont.setWeight(font.weight >= 700 ? QFont::Bold : QFont::Normal);
    qfont.setItalic(font.italic);
    qfont.setStyleStrategy(QFont::PreferMatch);
    return qfont;
}

void InstallFontSubstitutions() {
    QFont::insertSubstitution(QStringLiteral(u"ＭＳ ゴシック"), QStringLiteral("IPAGothic"));
    QFont::insertSubstitution(QStringLiteral(u"ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic"));
}
