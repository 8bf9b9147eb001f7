// The process around QApplication: what Qt must not write, the application's settings,
// the event loop, and the environment of started programs.
#include "platform/qt/Host.h"

#include "platform/Backend.h"
#include "platform/Entry.h"
#include "platform/qt/Fonts.h"
#include "platform/qt/KeyboardFilter.h"

#include <QApplication>
#include <QStyleFactory>
#include <QTimer>

#include <cstdlib>
#include <string>

#include <sys/stat.h>
#include <unistd.h>

// The backend is a static library: its resources need a call, from outside any namespace.
static void InitIcons() { Q_INIT_RESOURCE(icons); }

namespace {

std::string borrowedRuntimeDirectory;
bool madeRuntimeDirectory = false;
bool busDisabled = false;

// The user's own runtime directory, or else the home directory when only its owner may
// enter it: the two that Qt accepts as a runtime directory without changing them.
std::string ExistingPrivateDirectory() {
    const std::string candidates[] = {"/run/user/" + std::to_string(getuid()),
                                      std::getenv("HOME") ? std::getenv("HOME") : ""};
    for (const std::string& directory : candidates) {
        struct stat status {};
        if (!directory.empty() && stat(directory.c_str(), &status) == 0 &&
            S_ISDIR(status.st_mode) && status.st_uid == getuid() &&
            (status.st_mode & 07777) == 0700) {
            return directory;
        }
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
    // Without XDG_RUNTIME_DIR, Qt makes /tmp/runtime-$USER while it starts, and leaves it,
    // only to look for a sandbox marker there. A private directory the user already has
    // serves the look-up without writing anything; failing that, an empty one of our own
    // that is removed again at once. The variable is taken back once QApplication is up,
    // so that started programs do not inherit it.
    if (std::getenv("XDG_RUNTIME_DIR") == nullptr) {
        borrowedRuntimeDirectory = ExistingPrivateDirectory();
        if (borrowedRuntimeDirectory.empty()) {
            char pattern[] = "/tmp/kimoro-XXXXXX";
            if (mkdtemp(pattern) != nullptr) {  // mode 0700, as Qt requires
                borrowedRuntimeDirectory = pattern;
                madeRuntimeDirectory = true;
            }
        }
        if (!borrowedRuntimeDirectory.empty()) {
            setenv("XDG_RUNTIME_DIR", borrowedRuntimeDirectory.c_str(), 1);
        }
    }
    InstallFontSubstitutions();
}

// Once QApplication exists: the keyboard filter and the application's settings.
void InstallRuntime(QApplication& application) {
    if (!borrowedRuntimeDirectory.empty()) unsetenv("XDG_RUNTIME_DIR");
    if (madeRuntimeDirectory) rmdir(borrowedRuntimeDirectory.c_str());
    // The classic style: the designs' fixed sizes are made for its frames and margins.
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Windows")));
    InitIcons();
    application.setQuitOnLastWindowClosed(false);  // the program ends when no form is loaded
    application.installEventFilter(new KeyboardFilter(&application));
}

class QtWindowSystem final : public WindowSystem {
public:
    QtWindowSystem(int argc, char** argv) : argc_(argc), application_(argc_, argv) {
        InstallRuntime(application_);
    }

private:
    int argc_;  // QApplication keeps a reference to it
    QApplication application_;
};

}  // namespace

std::unique_ptr<WindowSystem> StartWindowSystem(int argc, char** argv) {
    PrepareHostEnvironment();
    return std::make_unique<QtWindowSystem>(argc, argv);
}

int RunEventLoop() { return QApplication::exec(); }

void QuitEventLoop(int status) { QCoreApplication::exit(status); }

void PostToEventLoop(std::function<void()> task) { QTimer::singleShot(0, qApp, std::move(task)); }

QProcessEnvironment EnvironmentForStartedPrograms() {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    if (busDisabled) environment.remove(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"));
    return environment;
}
