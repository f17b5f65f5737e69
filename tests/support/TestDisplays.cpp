#include "TestDisplays.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace dualis::test {

XServer::XServer() {
    int channel[2];
    if (::pipe(channel) != 0) return;
    pid_ = ::fork();
    if (pid_ == 0) {
        ::close(channel[0]);
        const int quiet = ::open("/dev/null", O_WRONLY);
        ::dup2(quiet, 1);
        ::dup2(quiet, 2);
        const std::string fd = std::to_string(channel[1]);
        ::execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-nolisten", "tcp", nullptr);
        ::_exit(127);
    }
    ::close(channel[1]);
    // Xvfb writes its display number once it takes connections; the channel ends without a
    // number when it could not start.
    std::string number;
    char c = 0;
    while (pid_ > 0) {
        const ssize_t got = ::read(channel[0], &c, 1);
        if (got < 0 && errno == EINTR) continue;
        if (got != 1 || c == '\n') break;
        number.push_back(c);
    }
    ::close(channel[0]);
    if (!number.empty()) name_ = ":" + number;
}

XServer::~XServer() {
    if (pid_ <= 0) return;
    ::kill(pid_, SIGTERM);
    ::kill(pid_, SIGCONT);
    int status = 0;
    while (::waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
    }
}

void XServer::Stop() {
    if (pid_ > 0) ::kill(pid_, SIGSTOP);
}

SilentSocket::SilentSocket(std::string path) : path_(std::move(path)) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, path_.c_str(), sizeof address.sun_path - 1);
    fd_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (::bind(fd_, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(fd_, 8) != 0) {
        ::close(fd_);
        fd_ = -1;
    }
}

SilentSocket::~SilentSocket() {
    if (fd_ >= 0) ::close(fd_);
    ::unlink(path_.c_str());
}

}  // namespace dualis::test
