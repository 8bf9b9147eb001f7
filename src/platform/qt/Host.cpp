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
#include <map>
#include <optional>
#include <string>

#include <sys/stat.h>
#include <unistd.h>

// The backend is a static library: its resources need a call, from outside any namespace.
static void InitIcons() { Q_INIT_RESOURCE(icons); }

namespace {

// The environment variables the host set for Qt, each with what it held before (nothing
// where it was unset).
std::map<std::string, std::optional<std::string>> givenVariables;
QtMessageHandler qtMessageHandler = nullptr;  // Qt's own, which the filters below hand on to

void SetForQt(const char* name, const char* value) {  // unsets it for nullptr
    const char* given = std::getenv(name);
    givenVariables.emplace(name, given ? std::optional<std::string>(given) : std::nullopt);
    value ? setenv(name, value, 1) : unsetenv(name);
}

void GiveBack(const char* name) {
    const auto given = givenVariables.extract(name);
    if (given.empty()) return;
    given.mapped() ? setenv(name, given.mapped()->c_str(), 1) : unsetenv(name);
}

// The session bus address was unset: it holds "disabled:" for Qt's whole run.
bool BusDisabled() { return givenVariables.contains("DBUS_SESSION_BUS_ADDRESS"); }

// A warning where nothing is wrong and the user can do nothing: Qt's accessibility bridge
// has no object for a screen reader asking after a window just closed.
void DropHarmlessWarnings(QtMsgType type, const QMessageLogContext& context,
                          const QString& message) {
    if (qstrcmp(context.category, "qt.accessibility.atspi") != 0 ||
        !message.contains(QLatin1String("Could not find accessible on path"))) {
        qtMessageHandler(type, context, message);
    }
}

// Likewise Qt's warnings that it has no runtime directory, while it starts with none on
// purpose.
void DropHarmlessStartWarnings(QtMsgType type, const QMessageLogContext& context,
                               const QString& message) {
    if (!message.startsWith(QLatin1String("QStandardPaths: "))) {
        DropHarmlessWarnings(type, context, message);
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
        SetForQt("DBUS_SESSION_BUS_ADDRESS", "disabled:");
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
    if (!IsPrivateDirectory(std::getenv("XDG_RUNTIME_DIR"))) {
        const std::string borrowed = ExistingPrivateDirectory();
        SetForQt("XDG_RUNTIME_DIR", borrowed.empty() ? nullptr : borrowed.c_str());
        if (borrowed.empty()) SetForQt("TMPDIR", "/proc");
    }
    qtMessageHandler = qInstallMessageHandler(
        givenVariables.contains("TMPDIR") ? DropHarmlessStartWarnings : DropHarmlessWarnings);
    // Whole categories of such warnings: Qt's Wayland text input (6.8) warns of every focus
    // change it cannot place, under mutter at each start; its desktop-settings listener (6.8)
    // of the session bus that the program left out above. QT_LOGGING_RULES still overrides
    // this.
    const QString quiet = QStringLiteral("qt.qpa.wayland.textinput=false");
    QLoggingCategory::setFilterRules(
        BusDisabled() ? quiet + QStringLiteral("\nqt.qpa.theme.dbus=false") : quiet);
    InstallFontSubstitutions();
}

// Once QApplication exists: what was set for its start given back, the keyboard filter,
// what screen readers are told of the forms, and the application's settings.
void InstallRuntime(QApplication& application) {
    for (const char* name : {"QT_QPA_PLATFORM", "XDG_RUNTIME_DIR", "TMPDIR"}) GiveBack(name);
    qInstallMessageHandler(DropHarmlessWarnings);
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
    if (const char* platform = ChooseDisplayOrExit()) SetForQt("QT_QPA_PLATFORM", platform);
    PrepareHostEnvironment();
    static char unnamed[] = "kimoro";
    return std::make_unique<QtWindowSystem>(argc > 0 ? argv[0] : unnamed);
}

int RunEventLoop() { return QApplication::exec(); }

void QuitEventLoop(int status) { QCoreApplication::exit(status); }

void PostToEventLoop(std::function<void()> task) { QTimer::singleShot(0, qApp, std::move(task)); }

QProcessEnvironment EnvironmentForStartedPrograms() {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    if (BusDisabled()) environment.remove(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"));
    return environment;
}
