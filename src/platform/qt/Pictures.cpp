#include "platform/qt/Pictures.h"

#include <QCoreApplication>
#include <QImageReader>
#include <QString>

#include <array>

namespace {

// The icon's images, taken out of its .ico file when the program is built. Read as PNG
// without guessing: a reader that may guess loads every image plugin to ask it first.
void AddImage(QIcon& icon, const QString& path) {
    QImageReader reader(path, "png");
    reader.setAutoDetectImageFormat(false);
    icon.addPixmap(QPixmap::fromImage(reader.read()));
}

QIcon Read(Picture picture) {
    QIcon icon;
    switch (picture) {
        case Picture::ApplicationIcon:
            AddImage(icon, QStringLiteral(":/icons/kimoro-32.png"));
            AddImage(icon, QStringLiteral(":/icons/kimoro-16.png"));
            break;
        case Picture::AboutIcon:
            AddImage(icon, QStringLiteral(":/icons/about-32.png"));
            break;
        case Picture::None:
            break;
    }
    return icon;
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
            entry.icon = Read(picture);
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
