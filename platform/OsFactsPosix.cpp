// The system's facts over POSIX and Linux.
#include <signal.h>
#include <sys/utsname.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <system_error>

#include "OsFacts.h"

namespace dualis::os {

std::tm LocalTime(std::time_t t) {
    std::tm local{};
    localtime_r(&t, &local);
    return local;
}

std::vector<std::string> ProgramArguments(int argc, char** argv) {
    return std::vector<std::string>(argv + 1, argv + argc);
}

void PrepareStandardStreams() {}

std::filesystem::path ExecutablePath() {
    std::error_code error;
    std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::path() : exe;
}

std::filesystem::path UserSettingsFolder() {
    const char* config = std::getenv("XDG_CONFIG_HOME");
    std::filesystem::path base;
    if (config != nullptr && std::filesystem::path(config).is_absolute()) {
        base = config;
    } else {
        const char* home = std::getenv("HOME");
        base = std::filesystem::path(home != nullptr ? home : "") / ".config";
    }
    return base / "Dualis";
}

std::filesystem::path UserDataFolder() {
    const char* xdg = std::getenv("XDG_DATA_HOME");
    if (xdg && std::filesystem::path(xdg).is_absolute())
        return std::filesystem::path(xdg) / "Dualis";
    const char* home = std::getenv("HOME");
    return std::filesystem::path(home ? home : "") / ".local" / "share" / "Dualis";
}

std::string SystemSettingsFolder() {
    return "/etc/xdg/Dualis/";
}

SystemRelease SystemVersion() {
    struct utsname info {};
    if (::uname(&info) != 0) return {};
    return {info.sysname, info.release, info.version};
}

std::string MakeTempFile(const std::filesystem::path& folder, const std::string& prefix) {
    std::string pattern = (folder / (prefix + "XXXXXX")).string();
    const int fd = ::mkstemp(pattern.data());
    if (fd < 0) return "";
    ::close(fd);
    return pattern;
}

long ProcessId() {
    return ::getpid();
}

bool ProcessEnded(long id) {
    return ::kill(static_cast<pid_t>(id), 0) != 0 && errno == ESRCH;
}

}  // namespace dualis::os
