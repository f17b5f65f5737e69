// Where the program writes its own files (the diagnostic dump, the default trace log): decided
// in this one place, and made when it is missing.
#pragma once

#include <filesystem>
#include <string>

namespace dualis {

// The per-user data folder: $XDG_DATA_HOME/Dualis, or ~/.local/share/Dualis when that variable
// is unset or not absolute; %APPDATA%\Dualis on Windows.
std::filesystem::path UserDataFolder();

// The program's folder (the executable's) when it can be written, else the per-user data
// folder, which is made, with any folders above it, when missing. `problem` (when given) gets
// the reason the folder could not be made, and stays empty when it is there.
std::filesystem::path WritableFolder(const std::filesystem::path& programFolder,
                                     std::string* problem = nullptr);

}  // namespace dualis
