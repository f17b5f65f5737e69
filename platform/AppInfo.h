// Facts about the program itself: its version text and the date of its file.
#pragma once

#include <filesystem>
#include <string>

namespace dualis {

class cAppInfo {
  public:
    // Major, minor and revision joined by ".", then " (", AppDateTime and ")".
    std::string AppVersion() const;
    // The date and time of the program's file in the general date format; the present date
    // when the file cannot be found.
    std::string AppDateTime() const;

    static std::string ProductName();
    // The running executable, empty when the system does not tell.
    static std::filesystem::path ExecutablePath();
};

}  // namespace dualis
