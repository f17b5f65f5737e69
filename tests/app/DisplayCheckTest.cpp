// The display check before the window starts: a display that answers, one that is missing, and
// one that takes the connection but never answers, which must not hold the program.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <cstring>

#include "DisplayCheck.h"
#include "TestDisplays.h"
#include "TestSupport.h"

namespace dualis {
namespace {

using namespace std::chrono_literals;

// Where the display is expected to be silent, a shorter deadline than the program's own finds
// that out as well.
constexpr std::chrono::milliseconds Short = 500ms;

// A compositor in a process of its own that answers the first sync request as Wayland does:
// the callback's done event, then the display's delete_id event for the callback.
class AnsweringCompositor {
  public:
    explicit AnsweringCompositor(const std::string& path) {
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
        const int listener = ::socket(AF_UNIX, SOCK_STREAM, 0);
        if (::bind(listener, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
            ::listen(listener, 1) != 0) {
            ::close(listener);
            return;
        }
        pid_ = ::fork();
        if (pid_ == 0) {
            const int client = ::accept(listener, nullptr, nullptr);
            uint32_t request[3] = {};
            if (::recv(client, request, sizeof request, MSG_WAITALL) == sizeof request &&
                request[0] == 1 && request[1] == (12u << 16)) {
                const uint32_t events[6] = {request[2], 12u << 16,       77,
                                            1,          (12u << 16) | 1, request[2]};
                (void)!::send(client, events, sizeof events, MSG_NOSIGNAL);
            }
            char rest = 0;
            (void)!::recv(client, &rest, 1, 0);  // until the client goes
            ::_exit(0);
        }
        ::close(listener);
    }
    ~AnsweringCompositor() {
        if (pid_ <= 0) return;
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, nullptr, 0);
    }
    bool Running() const { return pid_ > 0; }

  private:
    pid_t pid_ = -1;
};

TEST(DisplayCheck, AnXServerIsAskedAndAStoppedOneIsSilent) {
    test::XServer x;
    if (x.Name().empty()) GTEST_SKIP() << "Xvfb could not be started; the X check is not tested";
    const DisplayEnvironment env{.XDisplay = x.Name()};
    EXPECT_EQ(CheckDisplay(env), DisplayState::Available);
    x.Stop();
    EXPECT_EQ(CheckDisplay(env, Short), DisplayState::Silent);
    // Xcb's own choice is overruled by nothing but a platform that needs no display.
    EXPECT_EQ(CheckDisplay({.Platform = "xcb", .XDisplay = x.Name()}, Short), DisplayState::Silent);
    EXPECT_EQ(CheckDisplay({.Platform = "offscreen", .XDisplay = x.Name()}, Short),
              DisplayState::Available);
}

TEST(DisplayCheck, AnXDisplayWithoutServerIsMissing) {
    EXPECT_EQ(CheckDisplay({}), DisplayState::Missing);
    EXPECT_EQ(CheckDisplay({.XDisplay = ":30917"}), DisplayState::Missing);
    EXPECT_EQ(CheckDisplay({.Platform = "xcb"}), DisplayState::Missing);
}

TEST(DisplayCheck, AWaylandSocketThatNeverAnswersIsSilent) {
    test::TempDir dir;
    const test::SilentSocket socket((dir.Path() / "wayland-9").string());
    ASSERT_TRUE(socket.Listening());
    EXPECT_EQ(CheckDisplay({.WaylandDisplay = socket.Path()}, Short), DisplayState::Silent);
    EXPECT_EQ(
        CheckDisplay({.WaylandDisplay = "wayland-9", .RuntimeDir = dir.Path().string()}, Short),
        DisplayState::Silent);
    // A platform named for Qt is what Qt uses, whatever WAYLAND_DISPLAY says.
    EXPECT_EQ(CheckDisplay({.Platform = "offscreen", .WaylandDisplay = socket.Path()}, Short),
              DisplayState::Available);
    EXPECT_EQ(CheckDisplay({.Platform = "xcb", .WaylandDisplay = socket.Path()}, Short),
              DisplayState::Missing);
}

TEST(DisplayCheck, AWaylandCompositorThatAnswersIsAvailable) {
    test::TempDir dir;
    const AnsweringCompositor compositor((dir.Path() / "wayland-1").string());
    ASSERT_TRUE(compositor.Running());
    EXPECT_EQ(CheckDisplay({.WaylandDisplay = "wayland-1", .RuntimeDir = dir.Path().string()}),
              DisplayState::Available);
}

TEST(DisplayCheck, AWaylandNameThatLeadsNowhereTurnsToX) {
    test::TempDir dir;
    const std::string runtime = dir.Path().string();
    EXPECT_EQ(CheckDisplay({.WaylandDisplay = "wayland-0", .RuntimeDir = runtime}),
              DisplayState::Missing);
    EXPECT_EQ(CheckDisplay({.WaylandDisplay = "wayland-0"}), DisplayState::Missing);
    const std::string tooLong(200, 'w');
    EXPECT_EQ(CheckDisplay({.WaylandDisplay = tooLong, .RuntimeDir = runtime}),
              DisplayState::Missing);

    test::XServer x;
    if (x.Name().empty()) GTEST_SKIP() << "Xvfb could not be started; the turn to X is not tested";
    EXPECT_EQ(
        CheckDisplay({.WaylandDisplay = "wayland-0", .RuntimeDir = runtime, .XDisplay = x.Name()}),
        DisplayState::Available);
}

}  // namespace
}  // namespace dualis
