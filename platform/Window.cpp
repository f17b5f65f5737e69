#include "Window.h"

#include <sys/utsname.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "AppInfo.h"

namespace dualis {
std::filesystem::path UserDataFolder() {
    const char* xdg = std::getenv("XDG_DATA_HOME");
    if (xdg && std::filesystem::path(xdg).is_absolute())
        return std::filesystem::path(xdg) / "Dualis";
    const char* home = std::getenv("HOME");
    return std::filesystem::path(home ? home : "") / ".local" / "share" / "Dualis";
}

std::filesystem::path ProgramFolder(const std::filesystem::path& executable) {
    const std::filesystem::path folder = executable.parent_path();
    if (!executable.empty() && ::access(folder.c_str(), W_OK) == 0) return folder;
    return UserDataFolder();
}

std::string VersionText(const std::string& systemName, const std::string& release,
                        const std::string& details) {
    // "6.1.0-18-amd64": major 6, minor 1, build 0, and "-18-amd64" as the rest.
    size_t pos = 0;
    auto number = [&] {
        const size_t start = pos;
        while (pos < release.size() && std::isdigit(static_cast<unsigned char>(release[pos])))
            ++pos;
        const std::string digits = release.substr(start, pos - start);
        if (pos < release.size() && release[pos] == '.') ++pos;
        return digits.empty() ? std::string("0") : digits;
    };
    const std::string major = number();
    const std::string minor = number();
    const std::string build = number();
    std::string rest = release.substr(pos);
    if (!rest.empty() && (rest[0] == '-' || rest[0] == '+')) rest.erase(0, 1);
    std::string text = " " + systemName + " Version " + major + "." + minor + " Build " + build;
    const std::string more = rest.empty() ? details : rest;
    if (!more.empty()) text += " " + more;
    return text;
}

std::string cWindow::WinDir() const {
    return "/etc/xdg/Dualis/";
}

std::string cWindow::WinVersion() const {
    struct utsname info {};
    if (::uname(&info) != 0) return " Unknown Version 0.0 Build 0";
    return VersionText(info.sysname, info.release, info.version);
}

std::string cWindow::GetTempFile(const std::string& filePrefix) const {
    const std::filesystem::path folder = ProgramFolder(cAppInfo::ExecutablePath());
    std::error_code ignored;
    std::filesystem::create_directories(folder, ignored);
    std::string pattern = (folder / (filePrefix + "XXXXXX")).string();
    const int fd = ::mkstemp(pattern.data());
    if (fd < 0) return "";
    ::close(fd);
    return pattern;
}

}  // namespace dualis
