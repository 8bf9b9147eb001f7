// The window manager, asked over Qt's connection to the X display.
#include "platform/qt/WindowManager.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QWidget>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <memory>
#include <thread>
#include <vector>

#include <xcb/xcb.h>

namespace {

// How long a window manager may take to say what frame it will draw: it answers at once
// when it answers at all, but a display shared with a busy build may be slow.
constexpr int kAnswerWaitMs = 200;

bool managerSilent = false;  // one did not answer: it is not asked again

struct FreeReply {
    void operator()(void* reply) const { std::free(reply); }
};
template <class Reply>
using ReplyPtr = std::unique_ptr<Reply, FreeReply>;

xcb_connection_t* Connection() {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    xcb_connection_t* connection = x11 ? x11->connection() : nullptr;
    return connection && xcb_connection_has_error(connection) == 0 ? connection : nullptr;
}

// The atoms this file speaks of, interned once and all in one round trip: at start-up every
// round trip before the main window shows is time the user waits.
struct Atoms {
    xcb_atom_t supportingWmCheck, frameExtents, requestFrameExtents, wmState, skipTaskbar;
};

const Atoms& AtomsOf(xcb_connection_t* connection) {
    static const Atoms atoms = [connection] {
        constexpr const char* kNames[] = {"_NET_SUPPORTING_WM_CHECK", "_NET_FRAME_EXTENTS",
                                          "_NET_REQUEST_FRAME_EXTENTS", "_NET_WM_STATE",
                                          "_NET_WM_STATE_SKIP_TASKBAR"};
        xcb_intern_atom_cookie_t cookies[std::size(kNames)];
        for (std::size_t i = 0; i < std::size(kNames); ++i) {
            cookies[i] = xcb_intern_atom(
                connection, 0, static_cast<std::uint16_t>(std::strlen(kNames[i])), kNames[i]);
        }
        xcb_atom_t interned[std::size(kNames)];
        for (std::size_t i = 0; i < std::size(kNames); ++i) {
            const ReplyPtr<xcb_intern_atom_reply_t> reply(
                xcb_intern_atom_reply(connection, cookies[i], nullptr));
            interned[i] = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
        }
        return Atoms{interned[0], interned[1], interned[2], interned[3], interned[4]};
    }();
    return atoms;
}

// The 32-bit values of a window's property, empty when it has none of that type.
std::vector<std::uint32_t> Property(xcb_connection_t* connection, xcb_window_t window,
                                    xcb_atom_t property, xcb_atom_t type) {
    const ReplyPtr<xcb_get_property_reply_t> reply(xcb_get_property_reply(
        connection, xcb_get_property(connection, 0, window, property, type, 0, 64), nullptr));
    if (!reply || reply->format != 32 || reply->type != type) return {};
    const auto* values = static_cast<const std::uint32_t*>(xcb_get_property_value(reply.get()));
    return {values, values + xcb_get_property_value_length(reply.get()) / 4};
}

xcb_window_t RootOf(xcb_connection_t* connection, xcb_window_t window) {
    const ReplyPtr<xcb_query_tree_reply_t> reply(
        xcb_query_tree_reply(connection, xcb_query_tree(connection, window), nullptr));
    return reply ? reply->root : xcb_window_t{XCB_WINDOW_NONE};
}

// An EWMH window manager runs: the root names its check window, which names itself.
bool ManagerRuns(xcb_connection_t* connection, xcb_window_t root) {
    const xcb_atom_t check = AtomsOf(connection).supportingWmCheck;
    const std::vector<std::uint32_t> named = Property(connection, root, check, XCB_ATOM_WINDOW);
    if (named.size() != 1) return false;
    return Property(connection, named[0], check, XCB_ATOM_WINDOW) == named;
}

}  // namespace

std::optional<PixelMargins> FrameFromWindowManager(QWidget* window) {
    xcb_connection_t* connection = Connection();
    if (connection == nullptr || managerSilent) return std::nullopt;
    const auto id = static_cast<xcb_window_t>(window->winId());
    const xcb_window_t root = RootOf(connection, id);
    if (root == XCB_WINDOW_NONE || !ManagerRuns(connection, root)) return std::nullopt;

    const xcb_atom_t extents = AtomsOf(connection).frameExtents;
    xcb_delete_property(connection, id, extents);  // only the answer to this request counts
    xcb_client_message_event_t request{};
    request.response_type = XCB_CLIENT_MESSAGE;
    request.format = 32;
    request.window = id;
    request.type = AtomsOf(connection).requestFrameExtents;
    xcb_send_event(connection, 0, root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                   reinterpret_cast<const char*>(&request));
    xcb_flush(connection);

    QElapsedTimer waited;
    waited.start();
    do {
        if (const auto frame = FrameDrawn(window)) return frame;
        // The window manager answers within a fraction of a millisecond when it answers.
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    } while (waited.elapsed() < kAnswerWaitMs);
    managerSilent = true;
    return std::nullopt;
}

std::optional<PixelMargins> FrameDrawn(QWidget* window) {
    xcb_connection_t* connection = Connection();
    if (connection == nullptr) return std::nullopt;
    // left, right, top, bottom
    const std::vector<std::uint32_t> frame =
        Property(connection, static_cast<xcb_window_t>(window->winId()),
                 AtomsOf(connection).frameExtents, XCB_ATOM_CARDINAL);
    if (frame.size() != 4) return std::nullopt;
    // The window manager counts the display's pixels; a form's window is placed in Qt's,
    // which are larger by the screen's scale factor.
    const double ratio = window->devicePixelRatioF();
    const auto scaled = [ratio](std::uint32_t pixels) {
        return static_cast<int>(std::lround(pixels / ratio));
    };
    return PixelMargins{scaled(frame[0]), scaled(frame[2]), scaled(frame[1]), scaled(frame[3])};
}

void SkipTaskbar(QWidget* window) {
    xcb_connection_t* connection = Connection();
    if (connection == nullptr) return;
    const auto id = static_cast<xcb_window_t>(window->winId());
    const xcb_atom_t state = AtomsOf(connection).wmState;
    const xcb_atom_t skip = AtomsOf(connection).skipTaskbar;
    // Qt adds its own states to those a window holds before it is mapped.
    std::vector<std::uint32_t> states = Property(connection, id, state, XCB_ATOM_ATOM);
    for (std::uint32_t held : states) {
        if (held == skip) return;
    }
    states.push_back(skip);
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, id, state, XCB_ATOM_ATOM, 32,
                        static_cast<std::uint32_t>(states.size()), states.data());
    xcb_flush(connection);
}
