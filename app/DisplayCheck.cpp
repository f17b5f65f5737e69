// Asks the Wayland display and the X display whether they answer, each in a child process that
// is ended at the deadline.
#include "DisplayCheck.h"

#include <cstdlib>

#if defined(__linux__) || defined(__unix__)
#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <optional>
#endif
#ifdef DUALIS_WITH_XCB
#include <dlfcn.h>
#include <xcb/xcb.h>
#endif

namespace dualis {

DisplayEnvironment DisplayEnvironment::FromProcess() {
    auto get = [](const char* name) {
        const char* value = std::getenv(name);
        return std::string(value ? value : "");
    };
    return {get("QT_QPA_PLATFORM"), get("WAYLAND_DISPLAY"), get("XDG_RUNTIME_DIR"), get("DISPLAY")};
}

std::string_view DisplayProblem(DisplayState state) {
    switch (state) {
        case DisplayState::Missing:
            return "No display found";
        case DisplayState::Silent:
            return "The display does not answer";
        case DisplayState::Available:
            break;
    }
    return "";
}

#if defined(__linux__) || defined(__unix__)
namespace {

// The id the probe gives the callback of its one Wayland request.
constexpr uint32_t CallbackId = 2;

bool SendAll(int fd, const void* data, size_t size) {
    const char* next = static_cast<const char*>(data);
    while (size > 0) {
        const ssize_t sent = ::send(fd, next, size, MSG_NOSIGNAL);
        if (sent < 0 && errno == EINTR) continue;
        if (sent <= 0) return false;
        next += sent;
        size -= static_cast<size_t>(sent);
    }
    return true;
}

bool ReceiveAll(int fd, void* data, size_t size) {
    char* next = static_cast<char*>(data);
    while (size > 0) {
        const ssize_t received = ::recv(fd, next, size, 0);
        if (received < 0 && errno == EINTR) continue;
        if (received <= 0) return false;
        next += received;
        size -= static_cast<size_t>(received);
    }
    return true;
}

bool SkipReceived(int fd, size_t size) {
    char skipped[256];
    while (size > 0) {
        const size_t part = size < sizeof skipped ? size : sizeof skipped;
        if (!ReceiveAll(fd, skipped, part)) return false;
        size -= part;
    }
    return true;
}

// The socket a Wayland display name stands for: an absolute path as it is, any other name in
// the runtime folder. Empty when there is no such socket name.
std::string WaylandSocketPath(const DisplayEnvironment& env) {
    if (env.WaylandDisplay.front() == '/') return env.WaylandDisplay;
    if (env.RuntimeDir.empty()) return "";
    return env.RuntimeDir + "/" + env.WaylandDisplay;
}

// One round trip, as a Wayland client makes when it starts: the sync request of the display
// (object 1, request 0) asks for a callback, and the callback's done event (event 0) shows that
// the compositor reads and answers. Each message is the object id, then its size in bytes (upper
// half) and its opcode (lower half), then the arguments, in the machine's byte order. Blocks
// until the answer comes or the connection ends; allocates nothing.
bool WaylandAnswers(const std::string& path) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (path.empty() || path.size() >= sizeof address.sun_path) return false;
    std::memcpy(address.sun_path, path.data(), path.size());
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return false;
    bool answers = false;
    const uint32_t sync[3] = {1, 12u << 16, CallbackId};
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0 &&
        SendAll(fd, sync, sizeof sync)) {
        uint32_t header[2];
        while (!answers && ReceiveAll(fd, header, sizeof header)) {
            const uint32_t size = header[1] >> 16;
            if (size < sizeof header) break;
            if (!SkipReceived(fd, size - sizeof header)) break;
            answers = header[0] == CallbackId && (header[1] & 0xFFFF) == 0;
        }
    }
    ::close(fd);
    return answers;
}

// xcb_connect reads the server's first reply before it returns, and waits for it for ever.
// libxcb is loaded here, in the child that asks, rather than linked: a run of the program that
// opens no window then never loads it. Without it Qt cannot reach an X server either.
bool XServerAnswers(const std::string& display) {
#ifdef DUALIS_WITH_XCB
    void* xcb = ::dlopen("libxcb.so.1", RTLD_NOW | RTLD_LOCAL);
    if (xcb == nullptr) return false;
    const auto connect = reinterpret_cast<decltype(&xcb_connect)>(::dlsym(xcb, "xcb_connect"));
    const auto hasError = reinterpret_cast<decltype(&xcb_connection_has_error)>(
        ::dlsym(xcb, "xcb_connection_has_error"));
    const auto disconnect =
        reinterpret_cast<decltype(&xcb_disconnect)>(::dlsym(xcb, "xcb_disconnect"));
    if (connect == nullptr || hasError == nullptr || disconnect == nullptr) return false;
    xcb_connection_t* connection = connect(display.c_str(), nullptr);
    const bool answers = hasError(connection) == 0;
    disconnect(connection);
    return answers;
#else
    (void)display;
    return true;
#endif
}

// Runs the probe in a child process and returns what it found, or nothing when it has not
// finished by the deadline; the child is then killed, so nothing of it outlives the call.
std::optional<bool> AskInChild(bool (*probe)(const std::string&), const std::string& name,
                               std::chrono::milliseconds deadline) {
    int channel[2];
    if (::pipe(channel) != 0) return probe(name);
    const pid_t child = ::fork();
    if (child < 0) {
        ::close(channel[0]);
        ::close(channel[1]);
        return probe(name);
    }
    if (child == 0) {
        ::close(channel[0]);
        const char found = probe(name) ? '1' : '0';
        (void)!::write(channel[1], &found, 1);
        ::_exit(0);  // leaves the parent's buffers and exit handlers alone
    }
    ::close(channel[1]);
    std::optional<bool> result;
    const auto end = std::chrono::steady_clock::now() + deadline;
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            end - std::chrono::steady_clock::now());
        pollfd ready{channel[0], POLLIN, 0};
        const int count = ::poll(&ready, 1, left.count() > 0 ? static_cast<int>(left.count()) : 0);
        if (count < 0 && errno == EINTR) continue;
        if (count > 0) {
            // A child that ended without a word found nothing.
            char found = '0';
            ssize_t got = 0;
            do got = ::read(channel[0], &found, 1);
            while (got < 0 && errno == EINTR);
            result = got == 1 && found == '1';
        }
        break;
    }
    ::close(channel[0]);
    if (!result) ::kill(child, SIGKILL);
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    return result;
}

}  // namespace

DisplayState CheckDisplay(const DisplayEnvironment& env, std::chrono::milliseconds deadline) {
    if (!env.Platform.empty() && env.Platform.rfind("xcb", 0) != 0) return DisplayState::Available;
    if (env.Platform.empty() && !env.WaylandDisplay.empty()) {
        const std::optional<bool> answer =
            AskInChild(WaylandAnswers, WaylandSocketPath(env), deadline);
        if (!answer) return DisplayState::Silent;
        if (*answer) return DisplayState::Available;
        // Qt turns to X when it cannot reach Wayland, and so does the check.
    }
    if (env.XDisplay.empty()) return DisplayState::Missing;
    const std::optional<bool> answer = AskInChild(XServerAnswers, env.XDisplay, deadline);
    if (!answer) return DisplayState::Silent;
    return *answer ? DisplayState::Available : DisplayState::Missing;
}

#else

DisplayState CheckDisplay(const DisplayEnvironment&, std::chrono::milliseconds) {
    return DisplayState::Available;
}

#endif

}  // namespace dualis
