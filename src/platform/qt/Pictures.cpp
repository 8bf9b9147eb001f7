#include "platform/qt/Pictures.h"

#include <QCoreApplication>
#include <QString>

#include <array>

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

// Each picture is read once and shared by every window that shows it. An icon read afresh
// for each opening of a dialog is a new icon to Qt's pixmap cache, which kept the images of
// every earlier one (up to its 10 MB limit): the program grew with every opening.
struct Loaded {
    bool read = false;
    QIcon icon;
    QPixmap pixmap;
};
// Made with the first picture, as a pixmap needs the application object; and gone with that
// object, as a pixmap may not outlive it.
std::array<Loaded, 3>* loaded = nullptr;

void Forget() {
    delete loaded;
    loaded = nullptr;
}

const Loaded& Load(Picture picture) {
    if (loaded == nullptr) {
        loaded = new std::array<Loaded, 3>;
        qAddPostRoutine(Forget);
    }
    Loaded& entry = loaded->at(static_cast<std::size_t>(picture));
    if (!entry.read) {
        entry.read = true;
        if (picture != Picture::None) {
            entry.icon = QIcon(PathOf(picture));
            entry.pixmap = entry.icon.pixmap(32, 32);
        }
    }
    return entry;
}

}  // namespace

QIcon PictureIcon(Picture picture) { return Load(picture).icon; }

QPixmap PicturePixmap(Picture picture) { return Load(picture).pixmap; }

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
