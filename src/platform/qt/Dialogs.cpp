// Message boxes, program start and the other runtime services that need Qt.
#include "platform/CommandLine.h"
#include "platform/Runtime.h"
#include "platform/RuntimeError.h"
#include "platform/qt/Host.h"
#include "platform/qt/Text.h"

#include <QMessageBox>
#include <QProcess>
#include <QStandardPaths>

void MsgBox(std::u16string_view prompt, MsgBoxStyle style) {
    QMessageBox box(style == MsgBoxStyle::Information ? QMessageBox::Information
                                                      : QMessageBox::NoIcon,
                    ToQString(App::Title()), ToQString(prompt), QMessageBox::Ok);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

// The window style cannot be imposed on another program here; it starts as it likes.
double Shell(std::u16string_view commandLine, WindowStyle) {
    std::vector<std::u16string> arguments = SplitCommandLine(commandLine);
    QString program;
    QStringList programArguments;
    if (!arguments.empty() && ToQString(arguments.front()).compare(u"start", Qt::CaseInsensitive) == 0) {
        // The shell's Start: open the rest of the line with the desktop's default program.
        if (arguments.size() < 2) throw RuntimeError(ErrorNumber::FileNotFound, "File not found");
        program = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
        for (std::size_t i = 1; i < arguments.size(); ++i) programArguments << ToQString(arguments[i]);
    } else if (!arguments.empty()) {
        program = ToQString(arguments.front());
        program.replace(u'\\', u'/');  // Windows paths take either separator, as Dir does
        if (!program.contains(u'/')) program = QStandardPaths::findExecutable(program);
        for (std::size_t i = 1; i < arguments.size(); ++i) programArguments << ToQString(arguments[i]);
    }
    QProcess process;
    process.setProgram(program);
    process.setArguments(programArguments);
    process.setProcessEnvironment(EnvironmentForStartedPrograms());
    qint64 pid = 0;
    if (program.isEmpty() || !process.startDetached(&pid)) {
        throw RuntimeError(ErrorNumber::FileNotFound, "File not found");
    }
    return static_cast<double>(pid);
}

void End() { throw EndRequested{}; }

std::u16string UCase(std::u16string_view text) {
    std::u16string upper(text);
    for (char16_t& c : upper) {
        // One character for one: a character whose upper case is longer keeps its form.
        if (!QChar::isSurrogate(c)) c = QChar(c).toUpper().unicode();
    }
    return upper;
}
