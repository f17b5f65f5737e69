// The window utilities that need no window: the system's folders, its version text and new
// temporary file names.
#pragma once

#include <filesystem>
#include <string>

namespace dualis {

class cWindow {
  public:
    // The folder of the system-wide settings, with its trailing separator.
    std::string WinDir() const;
    // The system's name and version: " Linux Version 6.1 Build 0" and, when the system says
    // more (its release's rest or its version string), a blank and that text.
    std::string WinVersion() const;
    // A new, empty file whose name starts with the prefix, in the program's folder or, where
    // that cannot be written, in the per-user data folder. Empty when none can be made.
    std::string GetTempFile(const std::string& filePrefix) const;
};

// The text of WinVersion from the parts of a system release such as "6.1.0-18-amd64".
std::string VersionText(const std::string& systemName, const std::string& release,
                        const std::string& details);

// $XDG_DATA_HOME/Dualis, or ~/.local/share/Dualis when that variable is unset or not absolute.
std::filesystem::path UserDataFolder();

// The folder where the program writes its own files (trace log, dump): the executable's folder
// when it can be written, else the per-user data folder.
std::filesystem::path ProgramFolder(const std::filesystem::path& executable);

}  // namespace dualis
