// What a test needs of the X server to drive a program's window from outside, as a window
// manager would: `wait PID TEXT` prints "ID NAME" of the first shown top-level window of
// process PID whose name holds TEXT, once there is one, and `close ID` asks that window to
// close (WM_DELETE_WINDOW) until it is gone.
#include <signal.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <thread>

namespace {

// Long enough for a window started under the sanitizers on a loaded machine.
constexpr std::chrono::seconds WaitLimit{120};

template <typename T>
using Reply = std::unique_ptr<T, decltype(&std::free)>;

xcb_atom_t Atom(xcb_connection_t* x, const char* name) {
    const Reply<xcb_intern_atom_reply_t> reply(
        xcb_intern_atom_reply(x, xcb_intern_atom(x, 0, std::strlen(name), name), nullptr),
        &std::free);
    return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

// The property as bytes, empty when the window has none.
std::string Property(xcb_connection_t* x, xcb_window_t window, xcb_atom_t property,
                     xcb_atom_t type) {
    const Reply<xcb_get_property_reply_t> reply(
        xcb_get_property_reply(x, xcb_get_property(x, 0, window, property, type, 0, 4096), nullptr),
        &std::free);
    if (!reply) return "";
    return std::string(static_cast<const char*>(xcb_get_property_value(reply.get())),
                       static_cast<size_t>(xcb_get_property_value_length(reply.get())));
}

bool Shown(xcb_connection_t* x, xcb_window_t window) {
    const Reply<xcb_get_window_attributes_reply_t> reply(
        xcb_get_window_attributes_reply(x, xcb_get_window_attributes(x, window), nullptr),
        &std::free);
    return reply && reply->map_state == XCB_MAP_STATE_VIEWABLE;
}

std::string Name(xcb_connection_t* x, xcb_window_t window) {
    return Property(x, window, Atom(x, "_NET_WM_NAME"), Atom(x, "UTF8_STRING"));
}

// The first shown top-level window whose _NET_WM_PID is `pid` and whose name holds `text`.
std::optional<xcb_window_t> WindowOf(xcb_connection_t* x, xcb_window_t root, uint32_t pid,
                                     const std::string& text) {
    const xcb_atom_t pidAtom = Atom(x, "_NET_WM_PID");
    const Reply<xcb_query_tree_reply_t> tree(
        xcb_query_tree_reply(x, xcb_query_tree(x, root), nullptr), &std::free);
    if (!tree) return std::nullopt;
    const xcb_window_t* children = xcb_query_tree_children(tree.get());
    for (int i = 0; i < xcb_query_tree_children_length(tree.get()); ++i) {
        const std::string owner = Property(x, children[i], pidAtom, XCB_ATOM_CARDINAL);
        uint32_t ownerPid = 0;
        if (owner.size() != sizeof ownerPid) continue;
        std::memcpy(&ownerPid, owner.data(), sizeof ownerPid);
        if (ownerPid == pid && Shown(x, children[i]) &&
            Name(x, children[i]).find(text) != std::string::npos) {
            return children[i];
        }
    }
    return std::nullopt;
}

int Wait(xcb_connection_t* x, xcb_window_t root, pid_t pid, const std::string& text) {
    const auto end = std::chrono::steady_clock::now() + WaitLimit;
    while (std::chrono::steady_clock::now() < end) {
        if (::kill(pid, 0) != 0) {
            std::fprintf(stderr, "process %d ended before it showed a window\n", int(pid));
            return 1;
        }
        if (const std::optional<xcb_window_t> window = WindowOf(x, root, uint32_t(pid), text)) {
            std::printf("%u %s\n", unsigned(*window), Name(x, *window).c_str());
            return 0;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    std::fprintf(stderr, "process %d showed no window named with '%s'\n", int(pid), text.c_str());
    return 1;
}

bool Exists(xcb_connection_t* x, xcb_window_t window) {
    const Reply<xcb_get_window_attributes_reply_t> reply(
        xcb_get_window_attributes_reply(x, xcb_get_window_attributes(x, window), nullptr),
        &std::free);
    return reply != nullptr;
}

// Qt may drop a close request that comes while its window is still starting up, so the request
// is repeated until the window is gone, as a user clicks the close button again.
int Close(xcb_connection_t* x, xcb_window_t window) {
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = window;
    message.type = Atom(x, "WM_PROTOCOLS");
    message.data.data32[0] = Atom(x, "WM_DELETE_WINDOW");
    message.data.data32[1] = XCB_CURRENT_TIME;
    const auto end = std::chrono::steady_clock::now() + WaitLimit;
    while (Exists(x, window)) {
        if (std::chrono::steady_clock::now() >= end) {
            std::fprintf(stderr, "window %u did not close\n", unsigned(window));
            return 1;
        }
        xcb_send_event(x, 0, window, XCB_EVENT_MASK_NO_EVENT,
                       reinterpret_cast<const char*>(&message));
        xcb_flush(x);
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const bool wait = argc == 4 && std::strcmp(argv[1], "wait") == 0;
    if (!wait && (argc != 3 || std::strcmp(argv[1], "close") != 0)) {
        std::fprintf(stderr, "usage: %s wait PID TEXT | close WINDOW\n", argv[0]);
        return 2;
    }
    // Xvfb now and then drops a connection that is being set up while others are; the tool
    // tries again rather than fail the test for it.
    int screen = 0;
    xcb_connection_t* x = nullptr;
    const auto end = std::chrono::steady_clock::now() + WaitLimit;
    for (;;) {
        x = xcb_connect(nullptr, &screen);
        if (xcb_connection_has_error(x) == 0) break;
        xcb_disconnect(x);
        if (std::chrono::steady_clock::now() >= end) {
            std::fprintf(stderr, "no X server at DISPLAY\n");
            return 2;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    xcb_screen_iterator_t roots = xcb_setup_roots_iterator(xcb_get_setup(x));
    for (int i = 0; i < screen; ++i) xcb_screen_next(&roots);
    const unsigned long number = std::strtoul(argv[2], nullptr, 10);
    const int status =
        wait ? Wait(x, roots.data->root, pid_t(number), argv[3]) : Close(x, xcb_window_t(number));
    xcb_disconnect(x);
    return status;
}
