#include "platform/Backend.h"
#include "platform/qt/Text.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
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

// The boxes whose showing is over, but `kept`.
void DeleteClosedBoxes(const QWidget* kept) {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window != kept && !window->isVisible() && qobject_cast<QMessageBox*>(window)) {
            delete window;
        }
    }
}

void DeleteAllClosedBoxes() { DeleteClosedBoxes(nullptr); }

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
    box->hide();  // also when the program's end, not the user, ended its showing
    // Each box outlives its showing until the next box has been shown and closed, the last
    // until the application goes: Qt gives a new accessible object the number of one gone,
    // and a screen reader takes the parts of a box shown at once after another for those it
    // had, and leaves its text unread.
    DeleteClosedBoxes(box);
    qRemovePostRoutine(DeleteAllClosedBoxes);  // called once, whatever the number of boxes
    qAddPostRoutine(DeleteAllClosedBoxes);
}
