// Displays of the tests' own for the display check: an X server that can be stopped, and a
// socket that takes a connection and never answers.
#pragma once

#include <sys/types.h>

#include <string>

namespace dualis::test {

// Xvfb on a free display that it picks itself. Name() is empty when it could not be started
// (Xvfb missing, for one); the test then says so and is skipped.
class XServer {
  public:
    XServer();
    ~XServer();
    XServer(const XServer&) = delete;
    XServer& operator=(const XServer&) = delete;

    const std::string& Name() const { return name_; }  // ":N"
    // Stops the server: its socket still takes connections, but nothing is answered.
    void Stop();

  private:
    pid_t pid_ = -1;
    std::string name_;
};

// A listening Unix socket at `path` that never accepts, reads or answers, as a hung display
// server looks to a client.
class SilentSocket {
  public:
    explicit SilentSocket(std::string path);
    ~SilentSocket();
    SilentSocket(const SilentSocket&) = delete;
    SilentSocket& operator=(const SilentSocket&) = delete;

    const std::string& Path() const { return path_; }
    bool Listening() const { return fd_ >= 0; }

  private:
    int fd_ = -1;
    std::string path_;
};

}  // namespace dualis::test
