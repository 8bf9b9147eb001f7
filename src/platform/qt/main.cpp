// The process's entry point: the runtime starts the program's start-up procedure and then
// delivers window events until no form is loaded.
#include "core/modKimoro.h"
#include "platform/Runtime.h"
#include "platform/RuntimeError.h"
#include "platform/qt/FormWindow.h"
#include "platform/qt/Host.h"
#include "platform/qt/Text.h"

#include <QApplication>

#include <string>

namespace {

// An error that no procedure handles is reported once, and the program ends.
int ReportUnhandledError(const RuntimeError& error) {
    const std::string number = std::to_string(static_cast<int>(error.number()));
    const QString text = QStringLiteral(u"実行時エラー '%1':\n\n%2")
                             .arg(QString::fromStdString(number), QString::fromUtf8(error.what()));
    MsgBox(ToU16(text), MsgBoxStyle::OkOnly);
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    PrepareHostEnvironment();
    QApplication application(argc, argv);
    InstallRuntime(application);
    try {
        StartApplication();
    } catch (const EndRequested&) {
        return 0;
    } catch (const RuntimeError& error) {
        return ReportUnhandledError(error);
    }
    if (LoadedFormCount() == 0) return 0;
    SetEndWhenNoFormIsLoaded(true);
    return application.exec();
}
