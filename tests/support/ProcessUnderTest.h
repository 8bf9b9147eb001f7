// Another process under test: the program started, its windows' titles, and a condition
// polled until it holds or time runs out.
#pragma once

#include <QElapsedTimer>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QThread>

#include <signal.h>

constexpr int kDeadlineMs = 10000;  // generous: two cores are shared with the build

inline void Pause(int milliseconds) { QThread::msleep(static_cast<unsigned long>(milliseconds)); }

template <class Condition>
bool Eventually(Condition condition, int timeoutMs = kDeadlineMs) {
    QElapsedTimer clock;
    clock.start();
    for (;;) {
        if (condition()) return true;
        if (clock.elapsed() > timeoutMs) return false;
        Pause(50);
    }
}

// The program under test: the one built here, or KIMORO_PROGRAM (an installed one).
inline QString ProgramUnderTest() {
    return qEnvironmentVariable("KIMORO_PROGRAM", QStringLiteral(KIMORO_EXECUTABLE));
}

// The main window and the message boxes share their title.
inline const QString kMainTitle = QStringLiteral(u"きもろ");
inline const QString kAboutTitle = QStringLiteral(u"ﾊﾞｰｼﾞｮﾝ情報");
inline const QString kWinDirTitle = QStringLiteral(u"WindowsDirectory");

// A copy of the program with its own environment, killed at the end if it still runs.
class StartedProgram {
public:
    explicit StartedProgram(const QProcessEnvironment& environment,
                            const QStringList& arguments = {}) {
        process_.setProcessEnvironment(environment);
        process_.setProcessChannelMode(QProcess::ForwardedOutputChannel);
        process_.start(ProgramUnderTest(), arguments);
        process_.waitForStarted();
    }
    ~StartedProgram() { Kill(SIGKILL); }

    qint64 Pid() const { return process_.processId(); }
    // What it printed on its error output so far: nothing, on any start that succeeds.
    QString Said() {
        said_ += QString::fromLocal8Bit(process_.readAllStandardError());
        return said_;
    }
    bool Running() { return process_.state() == QProcess::Running && !process_.waitForFinished(0); }
    bool WaitForExit(int timeoutMs = kDeadlineMs) {
        return process_.state() == QProcess::NotRunning || process_.waitForFinished(timeoutMs);
    }
    bool EndedWithCodeZero() const {
        return process_.state() == QProcess::NotRunning &&
               process_.exitStatus() == QProcess::NormalExit && process_.exitCode() == 0;
    }
    bool EndsWithCodeZero() { return WaitForExit() && EndedWithCodeZero(); }
    void Kill(int signal) {
        if (process_.state() == QProcess::NotRunning) return;
        ::kill(static_cast<pid_t>(Pid()), signal);
        process_.waitForFinished(kDeadlineMs);
    }

private:
    QProcess process_;
    QString said_;
};
