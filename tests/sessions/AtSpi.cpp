#include "sessions/AtSpi.h"

#include <QDBusArgument>
#include <QDBusInterface>
#include <QDBusMetaType>
#include <QDBusReply>
#include <QDBusVariant>
#include <QUuid>

namespace atspi {
namespace {

const QString kAccessible = QStringLiteral("org.a11y.atspi.Accessible");
const QString kRegistry = QStringLiteral("org.a11y.atspi.Registry");
const QString kRoot = QStringLiteral("/org/a11y/atspi/accessible/root");

// AT-SPI's state bits (AtspiStateType).
constexpr int kStateActive = 1;
constexpr int kStateShowing = 25;

bool HasState(const QList<uint>& words, int state) {
    const int word = state / 32;
    return word < words.size() && (words[word] >> (state % 32)) & 1u;
}

}  // namespace

std::optional<Bus> Bus::Connect() {
    QDBusConnection session = QDBusConnection::sessionBus();
    if (!session.isConnected()) return std::nullopt;
    QDBusInterface status(QStringLiteral("org.a11y.Bus"), QStringLiteral("/org/a11y/bus"),
                          QStringLiteral("org.freedesktop.DBus.Properties"), session);
    // What a screen reader does when it starts: programs started afterwards join the bus.
    status.call(QStringLiteral("Set"), QStringLiteral("org.a11y.Status"),
                QStringLiteral("IsEnabled"), QVariant::fromValue(QDBusVariant(true)));
    QDBusInterface bus(QStringLiteral("org.a11y.Bus"), QStringLiteral("/org/a11y/bus"),
                       QStringLiteral("org.a11y.Bus"), session);
    const QDBusReply<QString> address = bus.call(QStringLiteral("GetAddress"));
    if (!address.isValid()) return std::nullopt;
    QDBusConnection connection = QDBusConnection::connectToBus(
        address.value(), QStringLiteral("atspi-") + QUuid::createUuid().toString());
    if (!connection.isConnected()) return std::nullopt;
    return Bus(connection);
}

std::vector<Object> Bus::Children(const Object& object) const {
    QDBusMessage call = QDBusMessage::createMethodCall(object.service, object.path, kAccessible,
                                                       QStringLiteral("GetChildren"));
    const QDBusMessage reply = connection_.call(call, QDBus::Block, 3000);
    std::vector<Object> children;
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) return children;
    const QDBusArgument list = reply.arguments().first().value<QDBusArgument>();
    list.beginArray();
    while (!list.atEnd()) {
        Object child;
        QDBusObjectPath path;
        list.beginStructure();
        list >> child.service >> path;
        list.endStructure();
        child.path = path.path();
        children.push_back(child);
    }
    list.endArray();
    return children;
}

QString Bus::Name(const Object& object) const {
    QDBusInterface properties(object.service, object.path,
                              QStringLiteral("org.freedesktop.DBus.Properties"), connection_);
    const QDBusReply<QDBusVariant> name =
        properties.call(QStringLiteral("Get"), kAccessible, QStringLiteral("Name"));
    return name.isValid() ? name.value().variant().toString() : QString();
}

std::vector<Window> Bus::WindowsOf(qint64 pid) const {
    std::vector<Window> windows;
    QDBusInterface daemon(QStringLiteral("org.freedesktop.DBus"),
                          QStringLiteral("/org/freedesktop/DBus"),
                          QStringLiteral("org.freedesktop.DBus"), connection_);
    for (const Object& application : Children({kRegistry, kRoot})) {
        const QDBusReply<uint> owner =
            daemon.call(QStringLiteral("GetConnectionUnixProcessID"), application.service);
        if (!owner.isValid() || owner.value() != pid) continue;
        for (const Object& object : Children(application)) {
            Window window{object, Name(object)};
            QDBusInterface accessible(object.service, object.path, kAccessible, connection_);
            const QDBusMessage state = accessible.call(QStringLiteral("GetState"));
            if (!state.arguments().isEmpty()) {
                QList<uint> words;
                state.arguments().first().value<QDBusArgument>() >> words;
                window.showing = HasState(words, kStateShowing);
                window.active = HasState(words, kStateActive);
            }
            QDBusInterface component(object.service, object.path,
                                     QStringLiteral("org.a11y.atspi.Component"), connection_);
            const QDBusMessage extents =
                component.call(QStringLiteral("GetExtents"), uint(1));  // window coordinates
            if (!extents.arguments().isEmpty()) {
                const QDBusArgument box = extents.arguments().first().value<QDBusArgument>();
                int x = 0, y = 0;
                box.beginStructure();
                box >> x >> y >> window.width >> window.height;
                box.endStructure();
            }
            windows.push_back(window);
        }
    }
    return windows;
}

QStringList Bus::ControlNames(const Window& window) const {
    QStringList names;
    for (const Object& control : Children(window.object)) names << Name(control);
    return names;
}

bool Bus::Press(const Window& window, const QString& button) const {
    // Depth first: a message box holds its buttons in a box of their own.
    std::vector<Object> pending = Children(window.object);
    while (!pending.empty()) {
        const Object control = pending.back();
        pending.pop_back();
        if (Name(control) == button) {
            QDBusInterface action(control.service, control.path,
                                  QStringLiteral("org.a11y.atspi.Action"), connection_);
            const QDBusReply<bool> done = action.call(QStringLiteral("DoAction"), 0);
            if (done.isValid()) return done.value();
        }
        for (const Object& child : Children(control)) pending.push_back(child);
    }
    return false;
}

}  // namespace atspi
