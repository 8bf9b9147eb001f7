// Another process under test: the program to start, and a condition polled until it holds or
// time runs out.
#pragma once

#include <QElapsedTimer>
#include <QString>
#include <QThread>

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
