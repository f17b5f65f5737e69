#include "AppInfo.h"

#include <system_error>

#include "Formats.h"
#include "OsFacts.h"
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

std::string JumpURLText(const std::string& url, const std::string& subject,
                        const std::string& message) {
    std::string text = url;
    if (!subject.empty()) text += "?subject=" + subject;
    if (!message.empty()) {
        std::string body;
        for (char c : message) {
            switch (c) {
                case ' ':
                    body += "%20";
                    break;
                case ',':
                    body += "%2C";
                    break;
                case '?':
                    body += "%3F";
                    break;
                case '.':
                    body += "%2E";
                    break;
                case ':':
                    body += "%3A";
                    break;
                case ';':
                    body += "%3B";
                    break;
                default:
                    body.push_back(c);
            }
        }
        text += "&body=" + body;
    }
    return text;
}

void cAppInfo::JumpToURL(const std::string& url, const std::string& subject,
                         const std::string& message) const {
    if (UrlOpener) UrlOpener(JumpURLText(url, subject, message));
}

std::string cAppInfo::ProductName() {
    return DUALIS_PRODUCT_NAME;
}

std::filesystem::path cAppInfo::ExecutablePath() {
    return os::ExecutablePath();
}

}  // namespace dualis
