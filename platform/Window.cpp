#include "Window.h"

#include <cctype>
#include <filesystem>

#include "AppInfo.h"
#include "OsFacts.h"
#include "WritableFolder.h"

namespace dualis {

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
    return os::SystemSettingsFolder();
}

std::string cWindow::WinVersion() const {
    const os::SystemRelease system = os::SystemVersion();
    if (system.Name.empty()) return " Unknown Version 0.0 Build 0";
    return VersionText(system.Name, system.Release, system.Details);
}

std::string cWindow::GetTempFile(const std::string& filePrefix) const {
    const std::filesystem::path folder = WritableFolder(cAppInfo::ExecutablePath().parent_path());
    return os::MakeTempFile(folder, filePrefix);
}

}  // namespace dualis
