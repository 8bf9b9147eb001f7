// The program started as a process on the X display and driven as a user drives it: the
// window manager activates and closes its windows, keys arrive from the keyboard.
#include "sessions/Screenshot.h"
#include "support/ProcessUnderTest.h"
#include "support/X11Windows.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <cerrno>
#include <cmath>
#include <cstring>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include <pwd.h>
#include <signal.h>
#include <sys/inotify.h>
#include <unistd.h>

namespace {

// The string table's text of `id`.
QString StringTableText(int id) {
    static const std::map<int, const char*> table = {
#define KIMORO_STRING(number, text) {number, text},
#include "resources/StringTable.def"
#undef KIMORO_STRING
    };
    return QString::fromUtf8(table.at(id));
}

// The name the single-instance guard holds, as the kernel lists it while a copy runs.
bool AnotherCopyRuns() {
    QFile sockets(QStringLiteral("/proc/net/unix"));
    if (!sockets.open(QIODevice::ReadOnly)) return false;
    const QByteArray name = "@kimoro-" + QByteArray::number(getuid());
    for (const QByteArray& line : sockets.readAll().split('\n')) {
        if (line.endsWith(" " + name)) return true;
    }
    return false;
}

std::vector<std::string> EntriesUnder(const QString& directory) {
    std::vector<std::string> entries;
    QDirIterator it(directory,
                    QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) entries.push_back(it.next().toStdString());
    return entries;
}

// The names of the entries made in `directory` while `run` runs, even those removed again.
std::vector<std::string> EntriesMadeIn(const QString& directory, const std::function<void()>& run) {
    const int queue = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (queue < 0 || inotify_add_watch(queue, directory.toLocal8Bit().constData(),
                                       IN_CREATE | IN_MOVED_TO) < 0) {
        ADD_FAILURE() << "inotify: " << std::strerror(errno);
        if (queue >= 0) close(queue);
        return {};
    }
    run();
    std::vector<std::string> names;
    alignas(inotify_event) char events[64 * 1024];
    for (ssize_t length; (length = read(queue, events, sizeof events)) > 0;) {
        for (char* at = events; at < events + length;) {
            const auto* event = reinterpret_cast<const inotify_event*>(at);
            if (event->len > 0) names.emplace_back(event->name);
            at += sizeof(inotify_event) + event->len;
        }
    }
    close(queue);
    return names;
}

QStringList Processes() {
    return QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
}

std::set<std::string> DBusDaemons() {
    std::set<std::string> pids;
    for (const QString& pid : Processes()) {
        QFile name(QStringLiteral("/proc/%1/comm").arg(pid));
        if (name.open(QIODevice::ReadOnly) && name.readAll().trimmed() == "dbus-daemon") {
            pids.insert(pid.toStdString());
        }
    }
    return pids;
}

std::vector<std::string> ChildrenOf(qint64 pid) {
    std::vector<std::string> children;
    for (const QString& child : Processes()) {
        QFile stat(QStringLiteral("/proc/%1/stat").arg(child));
        if (!stat.open(QIODevice::ReadOnly)) continue;
        // "pid (name) state ppid ...": the name may hold spaces, so count from its end.
        const QByteArray line = stat.readAll();
        const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
        if (fields.size() > 1 && fields[1].toLongLong() == pid) {
            children.push_back(child.toStdString());
        }
    }
    return children;
}

class ProgramProcess : public ::testing::Test {
protected:
    void SetUp() override {
        if (qEnvironmentVariableIsEmpty("DISPLAY")) {
            GTEST_SKIP() << "DISPLAY is not set: these tests start the program on an X display "
                            "with a window manager (scripts/test.sh provides one)";
        }
        for (const char* tool : {"xdotool", "wmctrl", "xprop", "xclip"}) {
            ASSERT_FALSE(QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty())
                << tool << " is needed to drive the program's windows";
        }
        ASSERT_FALSE(Tool("wmctrl", {"-m"}).isEmpty())
            << "no window manager runs on " << qgetenv("DISPLAY").constData();
        ASSERT_TRUE(home_.isValid());
        // A copy running elsewhere would make every copy started here a second one.
        ASSERT_TRUE(Eventually([] { return !AnotherCopyRuns(); }, 3000))
            << "another copy of the program runs for this user; end it before these tests";
    }
    void TearDown() override {
        for (const auto& program : programs_) {
            program->WaitForExit(200);
            EXPECT_EQ(program->Said().toStdString(), "") << "printed on its error output";
        }
        programs_.clear();  // kills what is still running
    }

    QProcessEnvironment Environment() const {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("HOME"), home_.path());
        environment.remove(QStringLiteral("QT_QPA_PLATFORM"));  // the program chooses
        return environment;
    }
    Program& Start() { return Start(Environment()); }
    Program& Start(const QProcessEnvironment& environment, const QStringList& arguments = {}) {
        programs_.push_back(std::make_unique<Program>(environment, arguments));
        return *programs_.back();
    }

    QTemporaryDir home_;
    std::vector<std::unique_ptr<Program>> programs_;
};

TEST_F(ProgramProcess, ASecondCopyShowsTwoMessagesInTurnAndEndsWithoutAMainWindow) {
    Program& first = Start();
    const auto firstMain = first.WaitForWindow(&Window::IsMainWindow);
    ASSERT_TRUE(firstMain) << "the first copy shows no main window";

    Program& second = Start();
    const auto box = second.WaitForWindow(&Window::IsMessageBox);
    ASSERT_TRUE(box) << "the second copy shows no message box";
    EXPECT_EQ(MessageBoxText(*box).toStdString(), StringTableText(1101).toStdString());
    ASSERT_TRUE(Press(*box, "Return"));
    const auto nextBox = second.WaitForWindow(&Window::IsMessageBox, box->id);
    ASSERT_TRUE(nextBox) << "no second message box follows the first";
    EXPECT_FALSE(second.Shows(*box));
    EXPECT_EQ(MessageBoxText(*nextBox).toStdString(), StringTableText(1102).toStdString());
    ASSERT_TRUE(Press(*nextBox, "Return"));

    ASSERT_TRUE(second.WaitForExit());
    EXPECT_TRUE(second.EndedWithCodeZero());
    EXPECT_EQ(second.WindowsSeen().size(), 2u);
    EXPECT_EQ(second.MostWindowsAtOnce(), 1u);
    for (const auto& [id, window] : second.WindowsSeen()) {
        EXPECT_TRUE(window.IsMessageBox()) << window.title.toStdString() << " " << id.toStdString();
    }

    EXPECT_TRUE(first.Running());
    EXPECT_TRUE(first.Shows(*firstMain));
}

TEST_F(ProgramProcess, AKilledCopyDoesNotHoldBackTheNextStart) {
    Program& first = Start();
    ASSERT_TRUE(first.WaitForWindow(&Window::IsMainWindow));
    first.Kill(SIGKILL);

    Program& next = Start();
    ASSERT_TRUE(next.WaitForWindow(&Window::IsMainWindow)) << "the next copy shows no main window";
    for (const Window& window : next.Windows()) EXPECT_FALSE(window.IsMessageBox());
}

TEST_F(ProgramProcess, EndsWithCodeZeroOnXAndOnCloseFromTheTitleBar) {
    {
        Program& program = Start();
        const auto main = program.WaitForWindow(&Window::IsMainWindow);
        ASSERT_TRUE(main);
        ASSERT_TRUE(Press(*main, "x"));
        ASSERT_TRUE(program.WaitForExit()) << "x leaves the program running";
        EXPECT_TRUE(program.EndedWithCodeZero());
    }
    {
        Program& program = Start();
        const auto main = program.WaitForWindow(&Window::IsMainWindow);
        ASSERT_TRUE(main);
        RequestClose(*main);
        ASSERT_TRUE(program.WaitForExit()) << "closing the main window leaves the program running";
        EXPECT_TRUE(program.EndedWithCodeZero());
    }
}

TEST_F(ProgramProcess, DialogsRefuseTheTitleBarAndCloseThroughTheirButtons) {
    Program& program = Start();
    const auto main = program.WaitForWindow(&Window::IsMainWindow);
    ASSERT_TRUE(main);

    ASSERT_TRUE(Press(*main, "a"));
    const auto about = program.WaitForWindow(&Window::IsAbout);
    ASSERT_TRUE(about) << "a shows no About dialog";
    RequestClose(*about);
    ASSERT_TRUE(program.StaysShown(*about)) << "the About dialog closes from its title bar";
    ASSERT_TRUE(Press(*about, "Escape"));
    EXPECT_TRUE(program.WaitUntilGone(*about)) << "Escape leaves the About dialog open";

    ASSERT_TRUE(Press(*main, "w"));
    const auto directory = program.WaitForWindow(&Window::IsWinDir);
    ASSERT_TRUE(directory) << "w shows no directory dialog";
    RequestClose(*directory);
    ASSERT_TRUE(program.StaysShown(*directory)) << "the directory dialog closes from its title bar";
    ASSERT_TRUE(Press(*directory, "Return"));
    EXPECT_TRUE(program.WaitUntilGone(*directory)) << "Return leaves the directory dialog open";

    EXPECT_TRUE(program.Running());
    EXPECT_TRUE(program.Shows(*main));
}

TEST_F(ProgramProcess, XInTheAboutDialogTakesTheMainWindowAndTheDialogEndsTheProgram) {
    Program& program = Start();
    const auto main = program.WaitForWindow(&Window::IsMainWindow);
    ASSERT_TRUE(main);
    ASSERT_TRUE(Press(*main, "a"));
    const auto about = program.WaitForWindow(&Window::IsAbout);
    ASSERT_TRUE(about);

    ASSERT_TRUE(Press(*about, "x"));
    EXPECT_TRUE(program.WaitUntilGone(*main)) << "x in the About dialog leaves the main window";
    EXPECT_TRUE(program.Shows(*about));
    EXPECT_TRUE(program.Running());
    ASSERT_TRUE(Press(*about, "p"));  // the greeting has no window to go to any more

    ASSERT_TRUE(Press(*about, "Escape"));
    ASSERT_TRUE(program.WaitForExit()) << "the program outlives its last window";
    EXPECT_TRUE(program.EndedWithCodeZero());
}

// Window managers that ignore the hints (openbox) offer both dialogs a minimize button. A
// form designed without one comes straight back; minimized, the About dialog would leave the
// main window blocked with no window on screen to answer.
TEST_F(ProgramProcess, DialogsDesignedWithoutAMinimizeButtonComeBackWhenMinimized) {
    Program& program = Start();
    const auto main = program.WaitForWindow(&Window::IsMainWindow);
    ASSERT_TRUE(main);

    ASSERT_TRUE(Press(*main, "a"));
    const auto about = program.WaitForWindow(&Window::IsAbout);
    ASSERT_TRUE(about);
    Tool("xdotool", {"windowminimize", about->id});
    EXPECT_TRUE(Eventually([&] { return program.Shows(*about) && !Minimized(*about); }, 3000))
        << "the About dialog stays minimized";
    EXPECT_TRUE(program.StaysShown(*about)) << "the About dialog does not stay on screen";
    EXPECT_TRUE(Eventually([&] { return program.Shows(*main); }, 3000))
        << "the main window does not come back with its dialog";
    ASSERT_TRUE(Press(*about, "Escape"));
    ASSERT_TRUE(program.WaitUntilGone(*about)) << "the About dialog takes no keys any more";

    ASSERT_TRUE(Press(*main, "w"));
    const auto directory = program.WaitForWindow(&Window::IsWinDir);
    ASSERT_TRUE(directory);
    Tool("xdotool", {"windowminimize", directory->id});
    EXPECT_TRUE(
        Eventually([&] { return program.Shows(*directory) && !Minimized(*directory); }, 3000))
        << "the directory dialog stays minimized";
    EXPECT_TRUE(program.StaysShown(*directory));
    ASSERT_TRUE(Press(*directory, "Return"));
    ASSERT_TRUE(program.WaitUntilGone(*directory));

    // The main window is designed with a minimize button: it stays minimized.
    Tool("xdotool", {"windowminimize", main->id});
    EXPECT_TRUE(Eventually([&] { return Minimized(*main); }, 3000));
    Pause(500);
    EXPECT_TRUE(Minimized(*main)) << "the main window does not stay minimized";

    ASSERT_TRUE(Press(*main, "x"));  // activating it restores it
    ASSERT_TRUE(program.WaitForExit());
    EXPECT_TRUE(program.EndedWithCodeZero());
}

// The About dialog is designed off the taskbar (ShowInTaskbar False): taskbars that follow
// the skip-taskbar state leave it out, and those that list a transient window under its
// owner find the main window, a managed window, as its owner. The main window and the
// directory dialog are designed on the taskbar.
TEST_F(ProgramProcess, OnlyTheAboutDialogStaysOffTheTaskbar) {
    Program& program = Start();
    const auto main = program.WaitForWindow(&Window::IsMainWindow);
    ASSERT_TRUE(main);
    const QString skip = QStringLiteral("_NET_WM_STATE_SKIP_TASKBAR");
    EXPECT_FALSE(PropertyValues(main->id, "_NET_WM_STATE").contains(skip));

    ASSERT_TRUE(Press(*main, "a"));
    const auto about = program.WaitForWindow(&Window::IsAbout);
    ASSERT_TRUE(about);
    EXPECT_TRUE(PropertyValues(about->id, "_NET_WM_STATE").contains(skip))
        << Tool("xprop", {"-id", about->id, "_NET_WM_STATE"}).toStdString();
    const QStringList owner = PropertyValues(about->id, "WM_TRANSIENT_FOR");
    ASSERT_EQ(owner.size(), 1) << "the About dialog has no owner";
    EXPECT_EQ(IdNumber(owner[0]), IdNumber(main->id)) << "owned by " << owner[0].toStdString();
    const QString clients = Tool("xprop", {"-root", "_NET_CLIENT_LIST"});
    std::set<unsigned long> managed;
    for (const QString& id : clients.mid(clients.indexOf(u'#') + 1).split(u',')) {
        managed.insert(IdNumber(id));
    }
    EXPECT_TRUE(managed.count(IdNumber(owner[0]))) << "its owner is not a managed window";
    ASSERT_TRUE(Press(*about, "Escape"));
    ASSERT_TRUE(program.WaitUntilGone(*about));

    ASSERT_TRUE(Press(*main, "w"));
    const auto directory = program.WaitForWindow(&Window::IsWinDir);
    ASSERT_TRUE(directory);
    EXPECT_FALSE(PropertyValues(directory->id, "_NET_WM_STATE").contains(skip));
    ASSERT_TRUE(Press(*directory, "Return"));
    ASSERT_TRUE(program.WaitUntilGone(*directory));
}

// The client area as designed, whatever frame the window manager draws around it: the main
// window's whole design (5505 x 945 twips); the dialogs as they are laid out on the classic
// frame (at 96 DPI), under thin frames and thick ones alike.
TEST_F(ProgramProcess, WindowsKeepTheirDesignedClientSizesInTheFramesDrawn) {
    auto clientSize = [](const Window& window) {
        const std::optional<ScreenRect> client = ClientArea(window);
        return client ? std::pair{client->width, client->height} : std::pair{0, 0};
    };
    Program& program = Start();
    const auto main = program.WaitForWindow(&Window::IsMainWindow);
    ASSERT_TRUE(main);
    EXPECT_EQ(clientSize(*main), std::pair(367, 63));
    EXPECT_TRUE(Screenshot("main-window", main->id));
    ASSERT_TRUE(Press(*main, "a"));
    const auto about = program.WaitForWindow(&Window::IsAbout);
    ASSERT_TRUE(about);
    ASSERT_TRUE(OuterOf(*about)) << "the window manager does not frame it";
    EXPECT_EQ(clientSize(*about), std::pair(266, 148));
    EXPECT_TRUE(Screenshot("about-dialog", about->id));
    ASSERT_TRUE(Press(*about, "Escape"));
    ASSERT_TRUE(program.WaitUntilGone(*about));
    ASSERT_TRUE(Press(*main, "w"));
    const auto directory = program.WaitForWindow(&Window::IsWinDir);
    ASSERT_TRUE(directory);
    ASSERT_TRUE(OuterOf(*directory)) << "the window manager does not frame it";
    EXPECT_EQ(clientSize(*directory), std::pair(70, 56));
    EXPECT_TRUE(Screenshot("windows-directory-dialog", directory->id));
    ASSERT_TRUE(Press(*directory, "Return"));
    ASSERT_TRUE(program.WaitUntilGone(*directory));
}

// The dialogs open centred over the main window, as the window manager frames both: their
// outer sizes are reckoned with the frame it draws, not a nominal one.
TEST_F(ProgramProcess, DialogsOpenCentredOverTheMainWindowInTheFramesDrawn) {
    Program& program = Start();
    const auto main = program.WaitForWindow(&Window::IsMainWindow);
    ASSERT_TRUE(main);
    const std::optional<ScreenRect> owner = OuterOf(*main);
    ASSERT_TRUE(owner);
    // mutter 48 (GNOME 48) places a dialog that has an owner itself: across, it centres it as
    // the program does; down, only somewhere over its owner.
    const bool placesDialogsItself = Tool("wmctrl", {"-m"}).contains(QLatin1String("Mutter"));
    // Twice the centre, to stay in whole pixels; an odd size leaves half a pixel either way.
    // On a scaled display Qt places windows in its own pixels, Xft.dpi / 96 of the display's
    // each, and every edge lands on the nearest pixel of the display.
    const double scale = QRegularExpression(QStringLiteral("Xft.dpi:\\s*(\\d+)"))
                             .match(Tool("xrdb", {"-query"}))
                             .captured(1)
                             .toDouble() /
                         96;
    const double slack = scale > 1 ? std::ceil(scale) + 1 : 1;
    auto expectCentredOverOwner = [&](const Window& dialog, const char* name) {
        const std::optional<ScreenRect> outer = OuterOf(dialog);
        ASSERT_TRUE(outer);
        EXPECT_NEAR(2 * outer->left + outer->width, 2 * owner->left + owner->width, slack) << name;
        if (placesDialogsItself) {
            EXPECT_GT(outer->top + outer->height / 2, owner->top) << name;
            EXPECT_LT(outer->top + outer->height / 2, owner->top + owner->height) << name;
        } else {
            EXPECT_NEAR(2 * outer->top + outer->height, 2 * owner->top + owner->height, slack)
                << name;
        }
    };

    ASSERT_TRUE(Press(*main, "a"));
    const auto about = program.WaitForWindow(&Window::IsAbout);
    ASSERT_TRUE(about);
    expectCentredOverOwner(*about, "About");
    ASSERT_TRUE(Press(*about, "Escape"));
    ASSERT_TRUE(program.WaitUntilGone(*about));

    ASSERT_TRUE(Press(*main, "w"));
    const auto directory = program.WaitForWindow(&Window::IsWinDir);
    ASSERT_TRUE(directory);
    expectCentredOverOwner(*directory, "WindowsDirectory");
    ASSERT_TRUE(Press(*directory, "Return"));
    ASSERT_TRUE(program.WaitUntilGone(*directory));
}

// Neither a Wayland nor an X display: unset, or naming one that does not answer.
TEST_F(ProgramProcess, WithoutADisplayItSaysWhatItTriedInOneLineAndEndsWithStatusOne) {
    for (const auto& [wayland, x] :
         {std::pair{QString(), QString()},
          std::pair{QStringLiteral("wayland-none"), QStringLiteral(":999")}}) {
        SCOPED_TRACE(x.toStdString());
        QProcessEnvironment environment = Environment();
        for (const auto& [variable, value] : {std::pair{QStringLiteral("WAYLAND_DISPLAY"), wayland},
                                              std::pair{QStringLiteral("DISPLAY"), x}}) {
            environment.remove(variable);
            if (!value.isEmpty()) environment.insert(variable, value);
        }
        QProcess program;
        program.setProcessEnvironment(environment);
        program.start(ProgramUnderTest(), {});
        ASSERT_TRUE(program.waitForFinished(kDeadlineMs));
        EXPECT_EQ(program.exitStatus(), QProcess::NormalExit) << "no abort, no core dump";
        EXPECT_EQ(program.exitCode(), 1);
        const QString said = QString::fromLocal8Bit(program.readAllStandardError());
        EXPECT_EQ(said.count(u'\n'), 1) << said.toStdString();
        // What it tried: the variables when unset, else the displays they name.
        for (const QString& tried : wayland.isEmpty() ? QStringList{"WAYLAND_DISPLAY", "DISPLAY"}
                                                      : QStringList{wayland, x}) {
            EXPECT_TRUE(said.contains(tried)) << said.toStdString();
        }
    }
}

TEST_F(ProgramProcess, NothingOnTheCommandLineChangesAnything) {
    // The toolkit's own options would put the window elsewhere, or on no display at all.
    Program& program = Start(Environment(), {"-platform", "offscreen", "-geometry", "+0+0",
                                             "-stylesheet", "/nonexistent.qss"});
    const auto main = program.WaitForWindow(&Window::IsMainWindow);
    ASSERT_TRUE(main) << "the main window is not on the display";
    const QString geometry = Tool("xdotool", {"getwindowgeometry", main->id});
    EXPECT_FALSE(geometry.contains(QLatin1String("Position: 0,0"))) << geometry.toStdString();
}

TEST_F(ProgramProcess, WritesNothingWithoutARuntimeDirectoryOrSessionBus) {
    const passwd* user = getpwuid(getuid());
    ASSERT_NE(user, nullptr);
    // Where Qt would make a runtime directory of its own when none is given.
    const QString runtimeDirectory =
        QDir::tempPath() + "/runtime-" + QString::fromLocal8Bit(user->pw_name);
    QDir(runtimeDirectory).removeRecursively();
    ASSERT_FALSE(QFileInfo::exists(runtimeDirectory));
    const std::set<std::string> busesBefore = DBusDaemons();

    QProcessEnvironment environment = Environment();
    environment.remove(QStringLiteral("XDG_RUNTIME_DIR"));
    environment.remove(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"));
    Program& program = Start(environment);
    const auto main = program.WaitForWindow(&Window::IsMainWindow);
    ASSERT_TRUE(main);
    ASSERT_TRUE(Press(*main, "p"));
    ASSERT_TRUE(Press(*main, "a"));
    const auto about = program.WaitForWindow(&Window::IsAbout);
    ASSERT_TRUE(about);
    EXPECT_EQ(ChildrenOf(program.Pid()), std::vector<std::string>{});
    ASSERT_TRUE(Press(*about, "Escape"));
    ASSERT_TRUE(program.WaitUntilGone(*about));
    ASSERT_TRUE(Press(*main, "w"));
    const auto directory = program.WaitForWindow(&Window::IsWinDir);
    ASSERT_TRUE(directory);
    ASSERT_TRUE(Press(*directory, "Return"));
    ASSERT_TRUE(program.WaitUntilGone(*directory));
    ASSERT_TRUE(Press(*main, "x"));
    ASSERT_TRUE(program.WaitForExit());
    EXPECT_TRUE(program.EndedWithCodeZero());

    EXPECT_EQ(EntriesUnder(home_.path()), std::vector<std::string>{});
    EXPECT_FALSE(QFileInfo::exists(runtimeDirectory));
    std::vector<std::string> newBuses;
    for (const std::string& pid : DBusDaemons()) {
        if (!busesBefore.count(pid)) newBuses.push_back(pid);
    }
    EXPECT_EQ(newBuses, std::vector<std::string>{}) << "a D-Bus daemon was started";
}

// With no private directory at all to offer Qt, not even one made and removed again at once.
TEST_F(ProgramProcess, WritesNothingWithoutAHomeOrARuntimeDirectory) {
    QProcessEnvironment environment = Environment();
    for (const char* name : {"HOME", "XDG_RUNTIME_DIR", "TMPDIR"}) {
        environment.remove(QString::fromLatin1(name));
    }
    const std::vector<std::string> made = EntriesMadeIn(QDir::tempPath(), [&] {
        Program& program = Start(environment);
        const auto main = program.WaitForWindow(&Window::IsMainWindow);
        ASSERT_TRUE(main);
        ASSERT_TRUE(Press(*main, "x"));
        ASSERT_TRUE(program.WaitForExit());
        EXPECT_TRUE(program.EndedWithCodeZero());
    });
    std::vector<std::string> ours;  // others share the directory
    for (const std::string& name : made) {
        if (name.rfind("kimoro", 0) == 0 || name.rfind("runtime-", 0) == 0) ours.push_back(name);
    }
    EXPECT_EQ(ours, std::vector<std::string>{});
}

TEST_F(ProgramProcess, WritesNothingUnderARuntimeDirectoryQtWouldNotTake) {
    const passwd* user = getpwuid(getuid());
    ASSERT_NE(user, nullptr);
    const QString fallback = QDir::tempPath() + "/runtime-" + QString::fromLocal8Bit(user->pw_name);
    QDir(fallback).removeRecursively();
    QTemporaryDir scratch;
    ASSERT_TRUE(scratch.isValid());
    const QString missing = scratch.filePath(QStringLiteral("missing"));
    const QString open = scratch.filePath(QStringLiteral("open"));
    ASSERT_TRUE(QDir().mkdir(open));
    ASSERT_TRUE(QFile::setPermissions(open, QFileDevice::Permissions(0x7777)));  // 0777

    for (const QString& runtimeDirectory : {missing, open}) {
        SCOPED_TRACE(runtimeDirectory.toStdString());
        QProcessEnvironment environment = Environment();
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtimeDirectory);
        Program& program = Start(environment);
        const auto main = program.WaitForWindow(&Window::IsMainWindow);
        ASSERT_TRUE(main);
        ASSERT_TRUE(Press(*main, "x"));
        ASSERT_TRUE(program.WaitForExit());
        EXPECT_TRUE(program.EndedWithCodeZero());
        EXPECT_FALSE(QFileInfo::exists(fallback));
    }
    EXPECT_FALSE(QFileInfo::exists(missing));
    EXPECT_EQ(EntriesUnder(open), std::vector<std::string>{});
    EXPECT_EQ(QFileInfo(open).permissions(), QFileDevice::Permissions(0x7777)) << "changed";
}

// A desktop matches a window to its menu entry by the window's class on X11: the entry
// names it in StartupWMClass (on Wayland the program's desktop file name does the same).
TEST_F(ProgramProcess, TheMainWindowsClassIsTheOneTheDesktopEntryNames) {
    QFile entry(QStringLiteral(KIMORO_DESKTOP_ENTRY));
    ASSERT_TRUE(entry.open(QIODevice::ReadOnly));
    QString startupClass;
    for (const QByteArray& line : entry.readAll().split('\n')) {
        if (line.startsWith("StartupWMClass=")) startupClass = QString::fromUtf8(line.mid(15));
    }
    ASSERT_FALSE(startupClass.isEmpty()) << "the desktop entry names no StartupWMClass";

    Program& program = Start();
    const auto main = program.WaitForWindow(&Window::IsMainWindow);
    ASSERT_TRUE(main);
    // WM_CLASS(STRING) = "instance", "class"
    const QString wmClass = Tool("xprop", {"-id", main->id, "WM_CLASS"});
    EXPECT_TRUE(wmClass.endsWith(QStringLiteral(", \"%1\"").arg(startupClass)))
        << wmClass.toStdString();
    ASSERT_TRUE(Press(*main, "x"));
    ASSERT_TRUE(program.WaitForExit());
}

}  // namespace
