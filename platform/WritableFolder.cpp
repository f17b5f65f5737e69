// The program's writable folder.
#include "WritableFolder.h"

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

#include <cstdlib>
#include <system_error>

namespace dualis {

namespace {

bool CanWriteIn(const std::filesystem::path& folder) {
#ifdef _WIN32
    return ::_waccess(folder.c_str(), 2) == 0;
#else
    return ::access(folder.c_str(), W_OK) == 0;
#endif
}

}  // namespace

std::filesystem::path UserDataFolder() {
#ifdef _WIN32
    const char* appData = std::getenv("APPDATA");
    return std::filesystem::path(appData ? appData : "") / "Dualis";
#else
    const char* xdg = std::getenv("XDG_DATA_HOME");
    if (xdg && std::filesystem::path(xdg).is_absolute())
        return std::filesystem::path(xdg) / "Dualis";
    const char* home = std::getenv("HOME");
    return std::filesystem::path(home ? home : "") / ".local" / "share" / "Dualis";
#endif
}

std::filesystem::path WritableFolder(const std::filesystem::path& programFolder,
                                     std::string* problem) {
    if (problem) problem->clear();
    if (!programFolder.empty() && CanWriteIn(programFolder)) return programFolder;
    const std::filesystem::path folder = UserDataFolder();
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error && problem) *problem = error.message();
    return folder;
}

}  // namespace dualis
