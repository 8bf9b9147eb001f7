// The About dialog's link labels and the system-information launcher, observed through the
// programs they really start and the message boxes they really show.
#include "core/modKimoro.h"
#include "forms/frmAbout.h"
#include "platform/Runtime.h"
#include "platform/standins/StandIns.h"
#include "support/Driver.h"
#include "support/Forms.h"
#include "system/SystemInfo.h"

#include <gtest/gtest.h>
#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>

#include <filesystem>
#include <vector>

namespace {

QString Q(const std::u16string& text) { return QString::fromStdU16String(text); }

// Closes every message box as soon as it shows and notes what it showed, so that a test
// can count them and no unexpected box blocks it.
class MessageBoxWatcher {
public:
    struct Seen {
        QString title, text;
        QMessageBox::Icon icon;
        int buttons;
        QMessageBox::StandardButtons standardButtons;
        QAccessible::Role role;
        QString readText;  // what a screen reader reads as the box's text
    };

    MessageBoxWatcher() {
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box == nullptr || !box->isVisible() || box->buttons().isEmpty()) return;
            QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(box);
            QAccessibleTextInterface* text = accessible->textInterface();
            seen.push_back({box->windowTitle(), box->text(), box->icon(),
                            static_cast<int>(box->buttons().size()), box->standardButtons(),
                            accessible->role(), text ? text->text(0, text->characterCount()) : ""});
            box->buttons().front()->click();  // hides it at once: the next tick sees the next box
        });
        timer_.start(10);
    }

    std::vector<Seen> seen;

private:
    QTimer timer_;
};

constexpr const char* kToolKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
constexpr const char* kToolLocationKey = "SOFTWARE\\Microsoft\\Shared Tools Location";

class LinkAndSystemInfo : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(temp.isValid());
        ClearRegistryStandIn();
        savedPath = qgetenv("PATH");
    }
    void TearDown() override {
        UnloadAllForms();
        qputenv("PATH", savedPath);
    }

    QString Path(const QString& relative) const { return temp.filePath(relative); }

    // A shell script at `relative` that appends `line` (expanded by the shell) to `log`.
    QString Script(const QString& relative, const QString& line, const QString& log,
                   bool executable = true) {
        const QString path = Path(relative);
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        const QString script = QStringLiteral("#!/bin/sh\nprintf '%s\\n' \"%1\" >> '%2'\n");
        file.write(script.arg(line, log).toUtf8());
        file.close();
        QFile::Permissions permissions = QFile::ReadOwner | QFile::WriteOwner;
        if (executable) permissions |= QFile::ExeOwner;
        file.setPermissions(permissions);
        return path;
    }

    // A browser opener first on PATH that notes the addresses it is given.
    void InstallFakeBrowser(const QString& log) {
        Script(QStringLiteral("bin/xdg-open"), QStringLiteral("$*"), log);
        qputenv("PATH", Path(QStringLiteral("bin")).toUtf8() + ':' + savedPath);
    }

    // The lines of `log` once it has `count` of them, or what it has after 5 s.
    static QStringList WaitForLines(const QString& log, int count) {
        QElapsedTimer clock;
        clock.start();
        QStringList lines;
        do {
            QFile file(log);
            if (file.open(QIODevice::ReadOnly)) {
                lines = QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts);
            }
            if (lines.size() >= count) break;
            ProcessEvents(20);
        } while (clock.elapsed() < 5000);
        return lines;
    }

    static void SetTool(const QString& path) {
        SetRegistryValueStandIn(win32::HKEY_LOCAL_MACHINE, kToolKey, "PATH", win32::REG_SZ,
                                path.toStdString());
    }
    static void SetToolLocation(const QString& directory) {
        SetRegistryValueStandIn(win32::HKEY_LOCAL_MACHINE, kToolLocationKey, "MSINFO",
                                win32::REG_SZ, directory.toStdString());
    }

    // Launches and expects exactly one "system information cannot be used" message.
    void ExpectTheUnavailableMessageOnce(const char* situation) {
        SCOPED_TRACE(situation);
        MessageBoxWatcher boxes;
        LaunchSystemInfo();
        ProcessEvents(50);  // a second box would be shown and closed by now
        ASSERT_EQ(boxes.seen.size(), 1u);
        ExpectTheUnavailableMessage(boxes.seen[0]);
    }

    static void ExpectTheUnavailableMessage(const MessageBoxWatcher::Seen& box) {
        EXPECT_EQ(box.text, Q(LoadResString(1100)));
        EXPECT_EQ(box.title, QStringLiteral(u"きもろ"));
        EXPECT_EQ(box.icon, QMessageBox::NoIcon);
        EXPECT_EQ(box.buttons, 1);
        EXPECT_EQ(box.standardButtons, QMessageBox::Ok);
        EXPECT_EQ(box.role, QAccessible::AlertMessage);
        EXPECT_EQ(box.readText, box.text);
    }

    QTemporaryDir temp;
    QByteArray savedPath;
};

// ---- Link labels ----

class LinkLabels : public LinkAndSystemInfo {
protected:
    void ClickLinksInTheOpenDialog() {
        AboutForm& about = FormInstance<AboutForm>();
        ASSERT_TRUE(IsActiveModal(about));
        const QString log = Path(QStringLiteral("browser.log"));
        const QString first = Q(LoadResString(1004));
        const QString second = Q(LoadResString(1006));

        Click(about, "lblURL", 0);
        EXPECT_EQ(WaitForLines(log, 1), QStringList({first}));
        Click(about, "lblURL", 1);
        EXPECT_EQ(WaitForLines(log, 2), QStringList({first, second}));
        Click(about, "lblURL", 1);
        EXPECT_EQ(WaitForLines(log, 3), QStringList({first, second, second}))
            << "every click starts the browser again";

        // The address comes from the string table, not from what the label shows.
        about.lblURL(0).SetCaption(u"somewhere else");
        Click(about, "lblURL", 0);
        EXPECT_EQ(WaitForLines(log, 4), QStringList({first, second, second, first}));

        EXPECT_TRUE(IsActiveModal(about)) << "the dialog stays modal";
        EXPECT_TRUE(TraitsOf(about).visible);
    }
};

TEST_F(LinkLabels, OpenTheirAddressesFromTheStringTableOnEveryClick) {
    InstallFakeBrowser(Path(QStringLiteral("browser.log")));
    StartApplication();
    bool shown = false;
    WhenModalAppears([&] {
        shown = true;
        ClickLinksInTheOpenDialog();
        FormInstance<AboutForm>().Unload();
    });
    RunCommand(u"A");
    EXPECT_TRUE(shown);
}

// A screen reader's press action on a link label is a click.
TEST_F(LinkLabels, OpenTheirAddressesOnAnAssistiveTechnologysPress) {
    const QString log = Path(QStringLiteral("browser.log"));
    InstallFakeBrowser(log);
    StartApplication();
    bool shown = false;
    WhenModalAppears([&] {
        shown = true;
        QWidget* window = QApplication::activeModalWidget();
        ASSERT_NE(window, nullptr);
        const char* names[] = {"lblURL(1)", "lblURL(0)"};
        const QStringList addresses = {Q(LoadResString(1006)), Q(LoadResString(1004))};
        for (int pressed = 1; pressed <= 2; ++pressed) {
            auto* label = window->findChild<QWidget*>(QLatin1String(names[pressed - 1]));
            ASSERT_NE(label, nullptr) << names[pressed - 1];
            QAccessibleInterface* link = QAccessible::queryAccessibleInterface(label);
            ASSERT_NE(link, nullptr);
            ASSERT_NE(link->actionInterface(), nullptr);
            link->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
            // One browser at a time: two started together write their lines in either order.
            EXPECT_EQ(WaitForLines(log, pressed), addresses.mid(0, pressed));
        }
        EXPECT_TRUE(IsActiveModal(FormInstance<AboutForm>()));
        FormInstance<AboutForm>().Unload();
    });
    RunCommand(u"A");
    EXPECT_TRUE(shown);
}

// ---- The system-information launcher ----

TEST_F(LinkAndSystemInfo, StartsTheToolTheRegistryNamesEvenInAFolderWithSpaces) {
    const QString log = Path(QStringLiteral("tool.log"));
    SetTool(Script(QStringLiteral("System Tools/system info"), QStringLiteral("ran"), log));
    MessageBoxWatcher boxes;
    LaunchSystemInfo();
    EXPECT_EQ(WaitForLines(log, 1), QStringList({QStringLiteral("ran")}));
    EXPECT_TRUE(boxes.seen.empty());
}

TEST_F(LinkAndSystemInfo, ANamedToolThatIsMissingIsNotReplacedByTheToolLocation) {
    const QString log = Path(QStringLiteral("tool.log"));
    SetTool(Path(QStringLiteral("gone/system info")));
    Script(QStringLiteral("Shared Tools/MSINFO32.EXE"), QStringLiteral("ran"), log);
    SetToolLocation(Path(QStringLiteral("Shared Tools")));
    ExpectTheUnavailableMessageOnce("named tool missing");
    ProcessEvents(200);  // time for a wrongly started tool to write its log
    EXPECT_FALSE(QFile::exists(log)) << "the tool location was used";
}

TEST_F(LinkAndSystemInfo, FindsTheToolInTheToolLocationByItsFullPath) {
    const QString log = Path(QStringLiteral("tool.log"));
    const QString tool =
        Script(QStringLiteral("Shared Tools/MSINFO32.EXE"), QStringLiteral("$0"), log);
    const QString directory = Path(QStringLiteral("Shared Tools"));
    for (const QString& location : {directory, directory + u'\\'}) {
        SCOPED_TRACE(location.toStdString());
        QFile::remove(log);
        SetToolLocation(location);
        MessageBoxWatcher boxes;
        LaunchSystemInfo();
        const QStringList lines = WaitForLines(log, 1);
        ASSERT_EQ(lines.size(), 1);
        const std::filesystem::path started(lines[0].toStdString());
        EXPECT_TRUE(started.is_absolute()) << started;
        std::error_code error;
        EXPECT_TRUE(std::filesystem::equivalent(started, tool.toStdString(), error)) << started;
        EXPECT_TRUE(boxes.seen.empty());
    }
}

TEST_F(LinkAndSystemInfo, SaysSystemInformationIsUnavailableWhenItFindsNoTool) {
    ExpectTheUnavailableMessageOnce("nothing in the registry");

    QDir().mkpath(Path(QStringLiteral("Empty Tools")));
    SetToolLocation(Path(QStringLiteral("Empty Tools")));
    ExpectTheUnavailableMessageOnce("tool location without the tool");

    QDir().mkpath(Path(QStringLiteral("Odd Tools/MSINFO32.EXE")));
    SetToolLocation(Path(QStringLiteral("Odd Tools")));
    ExpectTheUnavailableMessageOnce("the tool's name is a folder");
}

TEST_F(LinkAndSystemInfo, SaysSystemInformationIsUnavailableWhenTheToolFailsToStart) {
    const QString log = Path(QStringLiteral("tool.log"));
    SetTool(Script(QStringLiteral("Tools/not executable"), QStringLiteral("ran"), log, false));
    ExpectTheUnavailableMessageOnce("tool not executable");
    EXPECT_FALSE(QFile::exists(log));
}

TEST_F(LinkAndSystemInfo, TheAboutDialogsButtonAndItsSKeyRunTheLauncher) {
    StartApplication();
    MessageBoxWatcher boxes;
    bool shown = false;
    WhenModalAppears([&] {
        shown = true;
        AboutForm& about = FormInstance<AboutForm>();
        Click(about, "cmdSysInfo");
        ProcessEvents(50);
        EXPECT_EQ(boxes.seen.size(), 1u) << "after the button";
        EXPECT_TRUE(Activate(about));  // as the window manager does once the box has gone
        Type(about, u's');
        ProcessEvents(50);
        EXPECT_EQ(boxes.seen.size(), 2u) << "after s";
        EXPECT_TRUE(IsActiveModal(about));
        about.Unload();
    });
    RunCommand(u"A");
    EXPECT_TRUE(shown);
    for (const MessageBoxWatcher::Seen& box : boxes.seen) {
        EXPECT_EQ(box.text, Q(LoadResString(1100)));
    }
}

}  // namespace
