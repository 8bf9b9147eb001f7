// The windows as KWin, KDE Plasma's compositor, has them, through its scripting interface on
// the session bus; and what its title bar buttons do to them. Its scripts print their answers
// into the compositor's log, which the session names in KIMORO_SESSION_LOG.
#pragma once

#include <QString>

#include <vector>

namespace kwin {

struct Window {
    QString id;  // KWin's own, for Do()
    QString caption;
    qint64 pid = 0;
    int width = 0, height = 0;  // the client area
    bool modal = false, transient = false, skipTaskbar = false, minimized = false;
    bool active = false, closeable = false, minimizable = false, maximizable = false;
};

// Whether this session's compositor is KWin.
bool Runs();

// The windows of the process with this id, as KWin lists them; empty when it does not answer.
std::vector<Window> WindowsOf(qint64 pid);

// What a title bar button or a click does: "close", "minimize", "activate".
void Do(const Window& window, const QString& action);

// The whole screen as KWin shows it, saved as a PNG file (the session must allow screenshots:
// KWIN_SCREENSHOT_NO_PERMISSION_CHECKS=1; KWin 6 gives none to a test). False when KWin gives
// none.
bool Screenshot(const QString& path);

}  // namespace kwin
