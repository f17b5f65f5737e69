// Facts about the program itself: its version text and the date of its file.
#pragma once

#include <filesystem>
#include <functional>
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

    // Opens a web or "mailto:" address with the system's handler for it; failures are ignored.
    // The window system sets UrlOpener; without one nothing is opened.
    void JumpToURL(const std::string& url, const std::string& subject = "",
                   const std::string& message = "") const;
    std::function<void(const std::string&)> UrlOpener;

    bool ToolTips = false;   // the toolbar shows its buttons' tips
    bool DebugMenu = false;  // the Debug menu is shown
    std::string LogFile;
};

// The address JumpToURL opens: the subject is appended as it is, the message with blanks, ",",
// "?", ".", ":" and ";" encoded.
std::string JumpURLText(const std::string& url, const std::string& subject,
                        const std::string& message);

}  // namespace dualis
