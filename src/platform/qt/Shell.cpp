// Starting programs on Linux: the shell's Start through xdg-open, anything else directly,
// without a shell in between.
#include "platform/CommandLine.h"
#include "platform/Runtime.h"
#include "platform/RuntimeError.h"
#include "platform/qt/Host.h"
#include "platform/qt/Text.h"

#include <QProcess>
#include <QStandardPaths>

// The window style cannot be imposed on another program here; it starts as it likes.
double Shell(std::u16string_view commandLine, WindowStyle) {
    const ShellCommand command = ParseShellCommand(commandLine);
    QString program;
    QStringList arguments;
    for (const std::u16string& argument : command.arguments) arguments << ToQString(argument);
    if (command.opensWithDesktop) {
        program = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    } else {
        program = arguments.takeFirst();
        program.replace(u'\\', u'/');  // Windows paths take either separator, as Dir does
        if (!program.contains(u'/')) program = QStandardPaths::findExecutable(program);
    }
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    process.setProcessEnvironment(EnvironmentForStartedPrograms());
    qint64 pid = 0;
    if (program.isEmpty() || !process.startDetached(&pid)) {
        throw RuntimeError(ErrorNumber::FileNotFound, "File not found");
    }
    return static_cast<double>(pid);
}
