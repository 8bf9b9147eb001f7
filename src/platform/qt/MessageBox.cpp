#include "platform/Backend.h"
#include "platform/qt/ClosedWindows.h"
#include "platform/qt/Text.h"

#include <QAbstractButton>
#include <QClipboard>
#include <QGuiApplication>
#include <QMessageBox>
#include <QShortcut>

namespace {

// What Ctrl+C in a Windows message box puts on the clipboard: the title, the text and the
// buttons, each closed by a line of dashes. Qt's boxes copy only on Windows.
QString CopiedText(const QMessageBox& box) {
    const QString line = QStringLiteral("---------------------------\n");
    QString buttons;
    for (const QAbstractButton* button : box.buttons()) {
        buttons += QString(button->text()).remove(u'&') + QStringLiteral("   ");
    }
    return line + box.windowTitle() + u'\n' + line + box.text() + u'\n' + line + buttons + u'\n' +
           line;
}

}  // namespace

void ShowMessageBox(std::u16string_view prompt, MsgBoxStyle style) {
    auto* box = new QMessageBox(
        style == MsgBoxStyle::Information ? QMessageBox::Information : QMessageBox::NoIcon,
        ToQString(App::Title()), ToQString(prompt), QMessageBox::Ok);
    box->setTextFormat(Qt::PlainText);
    auto* copy = new QShortcut(QKeySequence::Copy, box);
    QObject::connect(copy, &QShortcut::activated,
                     [box] { QGuiApplication::clipboard()->setText(CopiedText(*box)); });
    box->exec();
    KeepClosedWindow(box);  // also when the program's end, not the user, ended its showing
}
