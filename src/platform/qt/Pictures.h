#pragma once

#include "platform/FormDesign.h"

#include <QIcon>
#include <QPixmap>

QIcon PictureIcon(Picture picture);      // every size the icon file holds
QPixmap PicturePixmap(Picture picture);  // the 32x32 image
QString PictureName(Picture picture);    // what it shows, for assistive technology
