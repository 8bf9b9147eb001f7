#include "platform/qt/Display.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QLibraryInfo>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <xcb/xcb.h>

namespace {

std::string Variable(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

bool XDisplayAnswers() {
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    const bool answers = xcb_connection_has_error(connection) == 0;
    xcb_disconnect(connection);
    return answers;
}

// The compositor's socket: WAYLAND_DISPLAY names it, relative to XDG_RUNTIME_DIR unless it is
// a path of its own.
bool WaylandDisplayAnswers() {
    const std::string name = Variable("WAYLAND_DISPLAY");
    if (name.empty()) return false;
    const std::string path = name.front() == '/' ? name : Variable("XDG_RUNTIME_DIR") + "/" + name;
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (path.size() >= sizeof address.sun_path) return false;
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    const int socket = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (socket < 0) return false;
    const bool answers =
        ::connect(socket, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    ::close(socket);
    return answers;
}

bool QtSpeaksWayland() {
    return QFileInfo::exists(QLibraryInfo::path(QLibraryInfo::PluginsPath) +
                             QStringLiteral("/platforms/libqwayland-generic.so"));
}

// "the X display ":0" does not answer", or what is missing.
std::string Tried(const char* what, const char* variable) {
    const std::string value = Variable(variable);
    if (value.empty()) return std::string(variable) + " is not set";
    return std::string("the ") + what + " \"" + value + "\" does not answer";
}

[[noreturn]] void ExitWith(const std::string& message) {
    std::fprintf(stderr, "kimoro: %s\n", message.c_str());
    std::exit(1);
}

}  // namespace

const char* ChooseDisplayOrExit() {
    const std::string named = Variable("QT_QPA_PLATFORM");
    if (!named.empty()) {
        // Qt aborts, with advice about reinstalling, when its X display does not answer.
        if (std::string_view(named).substr(0, 3) == "xcb" && !XDisplayAnswers()) {
            ExitWith("needs a graphical display, and " + Tried("X display", "DISPLAY"));
        }
        return nullptr;  // another platform reports for itself
    }
    if (XDisplayAnswers()) return "xcb";
    if (WaylandDisplayAnswers()) {
        if (!QtSpeaksWayland()) {
            ExitWith("the Wayland display \"" + Variable("WAYLAND_DISPLAY") +
                     "\" needs Qt's Wayland support (the package qt6-wayland), and " +
                     Tried("X display", "DISPLAY"));
        }
        return "wayland";
    }
    ExitWith("needs a graphical display: " + Tried("Wayland display", "WAYLAND_DISPLAY") +
             ", and " + Tried("X display", "DISPLAY"));
}

DisplayKind DisplayInUse() {
    const QString platform = QGuiApplication::platformName();
    if (platform == u"xcb") return DisplayKind::X11;
    return platform.startsWith(u"wayland") ? DisplayKind::Wayland : DisplayKind::Other;
}
