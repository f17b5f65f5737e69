// A pseudo-terminal for tests of what a program writes to a terminal: its name to write to, and
// every byte written there, unchanged (the terminal passes output on raw).
#pragma once

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include <atomic>
#include <string>
#include <thread>

namespace dualis::test {

class PseudoTerminal {
  public:
    PseudoTerminal() {
        master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
        if (master_ < 0 || ::grantpt(master_) != 0 || ::unlockpt(master_) != 0) return;
        const char* name = ::ptsname(master_);
        if (name == nullptr) return;
        name_ = name;
        // Held open, so that the terminal stays while writers come and go.
        slave_ = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
        termios raw{};
        if (slave_ < 0 || ::tcgetattr(slave_, &raw) != 0) return;
        ::cfmakeraw(&raw);
        if (::tcsetattr(slave_, TCSANOW, &raw) != 0) return;
        // Read as it comes, so that a long text never fills the terminal's buffer.
        reader_ = std::thread([this] {
            char buffer[4096];
            for (;;) {
                pollfd p{master_, POLLIN, 0};
                if (::poll(&p, 1, 20) > 0 && (p.revents & POLLIN)) {
                    const ssize_t got = ::read(master_, buffer, sizeof buffer);
                    if (got > 0) read_.append(buffer, static_cast<size_t>(got));
                } else if (stop_) {
                    return;
                }
            }
        });
    }
    ~PseudoTerminal() {
        Written();
        if (slave_ >= 0) ::close(slave_);
        if (master_ >= 0) ::close(master_);
    }
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    // Empty when no terminal could be made.
    const std::string& Name() const { return reader_.joinable() ? name_ : empty_; }

    // Everything written to the terminal; call once the writers are done.
    const std::string& Written() {
        if (reader_.joinable()) {
            stop_ = true;
            reader_.join();
        }
        return read_;
    }

  private:
    int master_ = -1;
    int slave_ = -1;
    std::string name_;
    std::string empty_;
    std::string read_;
    std::atomic<bool> stop_ = false;
    std::thread reader_;
};

}  // namespace dualis::test
