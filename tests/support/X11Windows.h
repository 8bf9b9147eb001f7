// The program's windows on the X display, found and driven with xdotool, wmctrl and xprop.
#pragma once

#include "support/ProcessUnderTest.h"

#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <map>
#include <optional>
#include <utility>
#include <vector>

// Runs an X tool to its end and returns its standard output, trimmed; empty when it fails.
inline QString Tool(const QString& program, const QStringList& arguments) {
    QProcess tool;
    tool.start(program, arguments);
    if (!tool.waitForFinished(5000)) {
        tool.kill();
        tool.waitForFinished();
        return {};
    }
    if (tool.exitStatus() != QProcess::NormalExit || tool.exitCode() != 0) return {};
    return QString::fromUtf8(tool.readAllStandardOutput()).trimmed();
}

struct Window {
    QString id;
    QString title;
    bool dialog = false;  // of the dialog type to the window manager, kept off the taskbar

    bool IsMainWindow() const { return !dialog && title == kMainTitle; }
    bool IsMessageBox() const { return dialog && title == kMainTitle; }
    bool IsAbout() const { return dialog && title == kAboutTitle; }
    bool IsWinDir() const { return title == kWinDirTitle; }  // a normal window: on the taskbar
};

// The windows the process shows now.
inline std::vector<Window> VisibleWindowsOf(qint64 pid) {
    std::vector<Window> windows;
    if (pid <= 0) return windows;  // not started: a search for pid 0 would find strangers
    const QString ids = Tool("xdotool", {"search", "--onlyvisible", "--pid", QString::number(pid)});
    for (const QString& id : ids.split(u'\n', Qt::SkipEmptyParts)) {
        const QString type = Tool("xprop", {"-id", id, "_NET_WM_WINDOW_TYPE"});
        windows.push_back({id, Tool("xdotool", {"getwindowname", id}),
                           type.contains(QLatin1String("_NET_WM_WINDOW_TYPE_DIALOG"))});
    }
    return windows;
}

// A copy of the program that keeps a record of every window it was seen with, so that a
// test can tell what it showed between two looks.
class Program : public StartedProgram {
public:
    using StartedProgram::StartedProgram;

    std::vector<Window> Windows() {
        std::vector<Window> windows = VisibleWindowsOf(Pid());
        for (const Window& window : windows) seen_[window.id] = window;
        mostAtOnce_ = std::max(mostAtOnce_, windows.size());
        return windows;
    }
    std::optional<Window> WaitForWindow(bool (Window::*kind)() const, const QString& notId = {}) {
        std::optional<Window> found;
        Eventually([&] {
            for (const Window& window : Windows()) {
                if ((window.*kind)() && window.id != notId) found = window;
            }
            return found.has_value();
        });
        return found;
    }
    bool Shows(const Window& wanted) {
        for (const Window& window : Windows()) {
            if (window.id == wanted.id) return true;
        }
        return false;
    }
    bool WaitUntilGone(const Window& window) {
        return Eventually([&] { return !Shows(window); });
    }
    // A refusal shows as nothing happening: the window has to stay for a while.
    bool StaysShown(const Window& window, int milliseconds = 500) {
        return !Eventually([&] { return !Shows(window) || !Running(); }, milliseconds);
    }

    const std::map<QString, Window>& WindowsSeen() const { return seen_; }
    std::size_t MostWindowsAtOnce() const { return mostAtOnce_; }

private:
    std::map<QString, Window> seen_;
    std::size_t mostAtOnce_ = 0;
};

// A window's X id as a number, from xdotool's decimal or xprop's hexadecimal spelling.
inline unsigned long IdNumber(const QString& id) {
    bool ok = false;
    const unsigned long number = id.trimmed().toULong(&ok, 0);
    return ok ? number : 0;
}

// The atoms or windows an xprop line lists after its "=" or "#".
inline QStringList PropertyValues(const QString& id, const QString& property) {
    const QString line = Tool("xprop", {"-id", id, property});
    const qsizetype at = line.indexOf(QRegularExpression(QStringLiteral("[=#]")));
    if (at < 0) return {};
    QStringList values;
    for (const QString& value : line.mid(at + 1).split(u',', Qt::SkipEmptyParts)) {
        values.push_back(value.trimmed());
    }
    return values;
}

struct ScreenRect {
    int left = 0, top = 0, width = 0, height = 0;
    bool operator==(const ScreenRect&) const = default;
};

// The client area, as xwininfo tells it.
inline std::optional<ScreenRect> ClientArea(const Window& window) {
    const QString info = Tool("xwininfo", {"-id", window.id});
    auto number = [&](const char* label) -> std::optional<int> {
        const QRegularExpressionMatch match =
            QRegularExpression(QString::fromLatin1(label) + QStringLiteral(":\\s*(-?\\d+)"))
                .match(info);
        if (!match.hasMatch()) return std::nullopt;
        return match.captured(1).toInt();
    };
    const auto x = number("Absolute upper-left X"), y = number("Absolute upper-left Y");
    const auto width = number("Width"), height = number("Height");
    if (!x || !y || !width || !height) return std::nullopt;
    return ScreenRect{*x, *y, *width, *height};
}

// The whole window as the window manager draws it, frame included: its client area widened
// by the frame it reports (_NET_FRAME_EXTENTS: left, right, top, bottom).
inline std::optional<ScreenRect> OuterNow(const Window& window) {
    const std::optional<ScreenRect> client = ClientArea(window);
    const QStringList frame = PropertyValues(window.id, QStringLiteral("_NET_FRAME_EXTENTS"));
    if (!client || frame.size() != 4) return std::nullopt;
    const int left = frame[0].toInt(), right = frame[1].toInt(), top = frame[2].toInt(),
              bottom = frame[3].toInt();
    return ScreenRect{client->left - left, client->top - top, client->width + left + right,
                      client->height + top + bottom};
}

// The same once it holds still: where the window manager keeps silent about a frame until it
// has drawn it, the program moves the window once it learns the frame.
inline std::optional<ScreenRect> OuterOf(const Window& window) {
    std::optional<ScreenRect> last, now;
    const bool settled = Eventually(
        [&] {
            last = std::exchange(now, OuterNow(window));
            Pause(100);
            return now && now == last;
        },
        3000);
    return settled ? now : std::nullopt;
}

// Minimized: iconic to the window manager (ICCCM's WM_STATE), not on the screen.
inline bool Minimized(const Window& window) {
    return Tool("xprop", {"-id", window.id, "WM_STATE"}).contains(QLatin1String("Iconic"));
}

// The window manager makes `window` the active one, then `key` (an xdotool key name) is
// typed into it. False when the window never gets the keyboard focus.
inline bool Press(const Window& window, const QString& key) {
    Tool("xdotool", {"windowactivate", window.id});
    if (!Eventually([&] { return Tool("xdotool", {"getwindowfocus"}) == window.id; }, 3000)) {
        return false;
    }
    Pause(100);  // the program takes the focus in before the key
    // Both halves of the key go through the keyboard to whatever has the focus. Aimed at a
    // window, the release would be sent to that window alone once the key has opened a
    // dialog, and the keyboard would keep the key down.
    Tool("xdotool", {"key", key});
    return true;
}

// What the title bar's close control does: a request through the window manager.
inline void RequestClose(const Window& window) { Tool("wmctrl", {"-i", "-c", window.id}); }

// A message box's text as a user can take it: Ctrl+C in the box copies its title, text and
// buttons to the clipboard, each closed by a line of dashes, as Windows' boxes do.
inline QString MessageBoxText(const Window& box) {
    auto clipboard = [] { return Tool("xclip", {"-selection", "clipboard", "-o"}); };
    const QString before = clipboard();
    if (!Press(box, "ctrl+c")) return {};
    QString copied;
    Eventually([&] { return (copied = clipboard()) != before; }, 3000);
    const QStringList parts = copied.split(QStringLiteral("---------------------------\n"));
    return parts.size() > 3 ? parts[2].chopped(1) : copied;  // the text, without its line end
}
