#include "platform/Backend.h"
#include "platform/qt/Text.h"

#include <QMessageBox>

void ShowMessageBox(std::u16string_view prompt, MsgBoxStyle style) {
    QMessageBox box(
        style == MsgBoxStyle::Information ? QMessageBox::Information : QMessageBox::NoIcon,
        ToQString(App::Title()), ToQString(prompt), QMessageBox::Ok);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}
