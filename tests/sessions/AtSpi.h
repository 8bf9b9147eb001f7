// The program as a screen reader sees it, over the accessibility bus (AT-SPI): its windows with
// their titles, sizes and states, and the buttons in them, which it can press. It works on any
// display, where a test can neither list a Wayland client's windows nor send it keys.
#pragma once

#include <QDBusConnection>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace atspi {

// One accessible object: the bus name of its application and its object path.
struct Object {
    QString service;
    QString path;
};

struct Window {
    Object object;
    QString title;
    int width = 0, height = 0;  // the client area
    bool showing = false;
    bool active = false;
};

class Bus {
public:
    // Connects to the session's accessibility bus, asking the session to turn accessibility
    // on for the programs that start from now on. Nothing when the session has none.
    static std::optional<Bus> Connect();

    // The windows of the program with this process id, in the order it lists them.
    std::vector<Window> WindowsOf(qint64 pid) const;
    // The names of the window's controls: a label's is its text, a button's its caption.
    QStringList ControlNames(const Window& window) const;
    // Presses the button with this name (its caption without "&") in the window: false
    // when it has none.
    bool Press(const Window& window, const QString& button) const;

private:
    explicit Bus(QDBusConnection connection) : connection_(std::move(connection)) {}
    std::vector<Object> Children(const Object& object) const;
    QString Name(const Object& object) const;

    QDBusConnection connection_;
};

}  // namespace atspi
