#include "Formats.h"

#include <ctime>

#include "OsFacts.h"

namespace dualis {

std::string LocalTimeText(FileTime time, const char* format) {
    const std::time_t t = std::chrono::system_clock::to_time_t(time);
    const std::tm local = os::LocalTime(t);
    char text[64];
    return std::strftime(text, sizeof text, format, &local) > 0 ? text : "";
}

std::string GeneralDate(FileTime time) {
    return LocalTimeText(time, "%Y-%m-%d %H:%M:%S");
}

std::string GroupedThousands(int64_t value, std::string_view separator) {
    const std::string digits = std::to_string(value < 0 ? -value : value);
    std::string out = value < 0 ? "-" : "";
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) out += separator;
        out.push_back(digits[i]);
    }
    return out;
}

}  // namespace dualis
