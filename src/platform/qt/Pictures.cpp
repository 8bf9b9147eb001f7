#include "platform/qt/Pictures.h"

#include <QString>

namespace {

QString PathOf(Picture picture) {
    switch (picture) {
        case Picture::ApplicationIcon:
            return QStringLiteral(":/icons/kimoro.ico");
        case Picture::AboutIcon:
            return QStringLiteral(":/icons/about.ico");
        case Picture::None:
            break;
    }
    return {};
}

}  // namespace

QIcon PictureIcon(Picture picture) { return QIcon(PathOf(picture)); }

QPixmap PicturePixmap(Picture picture) {
    return picture == Picture::None ? QPixmap() : PictureIcon(picture).pixmap(32, 32);
}

QString PictureName(Picture picture) {
    switch (picture) {
        case Picture::ApplicationIcon:
            return QStringLiteral(u"きもろのアイコン");
        case Picture::AboutIcon:
            return QStringLiteral(u"バージョン情報のアイコン");
        case Picture::None:
            break;
    }
    return {};
}
