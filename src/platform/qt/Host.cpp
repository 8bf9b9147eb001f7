// The process around QApplication: what Qt must not write, the application's settings,
// the event loop, and the environment of started programs.
#include "platform/qt/Host.h"

#include "platform/Backend.h"
#include "platform/Entry.h"
#include "platform/qt/Accessibility.h"
#include "platform/qt/Display.h"
#include "platform/qt/Fonts.h"
#include "platform/qt/KeyboardFilter.h"

#include <QApplication>
#include <QLoggingCategory>
#include <QStyleFactory>
#include <QTimer>

#include <cstdlib>
#include <optional>
#include <string>

#include <sys/stat.h>
#include <unistd.h>

// The backend is a static library: its resources need a call, from outside any namespace.
static void InitIcons() { Q_INIT_RESOURCE(icons); }

namespace {

std::string borrowedRuntimeDirectory;
std::optional<std::string> givenRuntimeDirectory;  // what the variable held before
bool runtimeLookUpLedNowhere = false;
std::optional<std::string> givenTemporaryDirectory;  // TMPDIR before, in that case
QtMessageHandler qtMessageHandler = nullptr;
bool busDisabled = false;
bool platformChosen = false;  // QT_QPA_PLATFORM set for QApplication alone

// Qt's warnings that it has no runtime directory, while it has none on purpose, tell the
// user nothing.
void DropRuntimeDirectoryWarnings(QtMsgType type, const QMessageLogContext& context,
                                  const QString& message) {
    if (!message.startsWith(QLatin1String("QStandardPaths: "))) {
        qtMessageHandler(type, context, message);
    }
}

// A directory Qt takes as a runtime directory as it is: it changes or replaces any other.
bool IsPrivateDirectory(const char* directory) {
    struct stat status {};
    return directory != nullptr && *directory != '\0' && stat(directory, &status) == 0 &&
           S_ISDIR(status.st_mode) && status.st_uid == getuid() && (status.st_mode & 07777) == 0700;
}

// The user's own runtime directory, or else the home directory when only its owner may
// enter it.
std::string ExistingPrivateDirectory() {
    const std::string candidates[] = {"/run/user/" + std::to_string(getuid()),
                                      std::getenv("HOME") ? std::getenv("HOME") : ""};
    for (const std::string& directory : candidates) {
        if (IsPrivateDirectory(directory.c_str())) return directory;
    }
    return {};
}

// Before QApplication exists: keeps Qt from writing anything of its own and maps the
// designs' font names.
void PrepareHostEnvironment() {
    // Without a session bus, the accessibility bridge would launch a D-Bus daemon that
    // writes into the home directory and outlives the program. Where a bus exists, the
    // bridge uses it and the widgets stay visible to screen readers.
    if (std::getenv("DBUS_SESSION_BUS_ADDRESS") == nullptr) {
        setenv("DBUS_SESSION_BUS_ADDRESS", "disabled:", 1);
        busDisabled = true;
    }
    // While QApplication starts, Qt 6.4 looks for a sandbox marker in the runtime directory
    // (QStandardPaths::RuntimeLocation; Qt 6.8 looks at /.flatpak-info instead, and none of
    // this matters there), and that look-up first makes the directory: the one
    // XDG_RUNTIME_DIR names, and if it is unset or not private, $TMPDIR/runtime-$USER, which
    // stays. A private directory the user already has serves the look-up without writing
    // anything. Failing that, the variable is unset and TMPDIR points at /proc, where no
    // directory can be made: Qt finds no runtime directory, says so, and writes nothing. Both
    // variables are given back once QApplication is up, so that started programs get them as
    // they were.
    if (const char* given = std::getenv("XDG_RUNTIME_DIR"); !IsPrivateDirectory(given)) {
        if (given != nullptr) givenRuntimeDirectory = given;
        borrowedRuntimeDirectory = ExistingPrivateDirectory();
        if (!borrowedRuntimeDirectory.empty()) {
            setenv("XDG_RUNTIME_DIR", borrowedRuntimeDirectory.c_str(), 1);
        } else {
            unsetenv("XDG_RUNTIME_DIR");
            if (const char* temporary = std::getenv("TMPDIR")) givenTemporaryDirectory = temporary;
            setenv("TMPDIR", "/proc", 1);
            runtimeLookUpLedNowhere = true;
            qtMessageHandler = qInstallMessageHandler(DropRuntimeDirectoryWarnings);
        }
    }
    // Warnings where nothing is wrong and the user can do nothing: Qt's Wayland text input
    // (6.8) warns of every focus change it cannot place, under mutter at each start; its
    // accessibility bridge of a screen reader asking after a window just closed; its
    // desktop-settings listener (6.8) of the session bus that the program left out above.
    // QT_LOGGING_RULES still overrides this.
    const QString quiet =
        QStringLiteral("qt.qpa.wayland.textinput=false\nqt.accessibility.atspi=false");
    QLoggingCategory::setFilterRules(
        busDisabled ? quiet + QStringLiteral("\nqt.qpa.theme.dbus=false") : quiet);
    InstallFontSubstitutions();
}

// Once QApplication exists: what was set for its start given back, the keyboard filter,
// what screen readers are told of the forms, and the application's settings.
void InstallRuntime(QApplication& application) {
    if (platformChosen) unsetenv("QT_QPA_PLATFORM");
    if (givenRuntimeDirectory) {
        setenv("XDG_RUNTIME_DIR", givenRuntimeDirectory->c_str(), 1);
    } else if (!borrowedRuntimeDirectory.empty()) {
        unsetenv("XDG_RUNTIME_DIR");
    }
    if (runtimeLookUpLedNowhere) {
        if (givenTemporaryDirectory) {
            setenv("TMPDIR", givenTemporaryDirectory->c_str(), 1);
        } else {
            unsetenv("TMPDIR");
        }
        qInstallMessageHandler(qtMessageHandler);
    }
    // The classic style: the designs' fixed sizes are made for its frames and margins.
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Windows")));
    InitIcons();
    // The name of the installed desktop entry: a desktop matches the program's windows to
    // its menu entry and icon by it (the Wayland app id; on X11 WM_CLASS, see the entry's
    // StartupWMClass).
    QGuiApplication::setDesktopFileName(QStringLiteral("org.kimoro.Kimoro"));
    application.setQuitOnLastWindowClosed(false);  // the program ends when no form is loaded
    application.installEventFilter(new KeyboardFilter(&application));
    InstallAccessibleInterfaces();
}

// The program takes no command line, so Qt gets none either: its own options (-platform,
// -geometry, -stylesheet...) would change what the program does.
class QtWindowSystem final : public WindowSystem {
public:
    explicit QtWindowSystem(char* programName)
        : arguments_{programName, nullptr}, application_(argc_, arguments_) {
        InstallRuntime(application_);
    }

private:
    int argc_ = 1;  // QApplication keeps references to both
    char* arguments_[2];
    QApplication application_;
};

}  // namespace

std::unique_ptr<WindowSystem> StartWindowSystem(int argc, char** argv) {
    platformChosen = ChooseDisplayOrExit();
    PrepareHostEnvironment();
    static char unnamed[] = "kimoro";
    return std::make_unique<QtWindowSystem>(argc > 0 ? argv[0] : unnamed);
}

int RunEventLoop() { return QApplication::exec(); }

void QuitEventLoop(int status) { QCoreApplication::exit(status); }

void PostToEventLoop(std::function<void()> task) { QTimer::singleShot(0, qApp, std::move(task)); }

QProcessEnvironment EnvironmentForStartedPrograms() {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    if (busDisabled) environment.remove(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"));
    return environment;
}
