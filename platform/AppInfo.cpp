#include "AppInfo.h"

#include <system_error>

#include "Formats.h"
#include "RawLoader.h"
#include "Version.h"

namespace dualis {

std::string cAppInfo::AppVersion() const {
    return std::string(DUALIS_VERSION_TEXT) + " (" + AppDateTime() + ")";
}

std::string cAppInfo::AppDateTime() const {
    int64_t size = 0;
    FileTime date;
    const std::filesystem::path exe = ExecutablePath();
    if (!exe.empty() && FileFacts(exe.string(), size, date)) return GeneralDate(date);
    return GeneralDate(std::chrono::system_clock::now());
}

std::string cAppInfo::ProductName() {
    return DUALIS_PRODUCT_NAME;
}

std::filesystem::path cAppInfo::ExecutablePath() {
    std::error_code error;
    std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::path() : exe;
}

}  // namespace dualis
