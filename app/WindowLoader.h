// Loading the window module when the window is to be opened, so that a command-line run never
// loads Qt: the module beside the program (a build tree), else the one in the installed
// private folder.
#pragma once

#include <filesystem>
#include <string>

#include "WindowMain.h"

namespace dualis {

struct LoadedWindow {
    WindowEntry Entry = nullptr;  // null when the module could not be loaded
    std::string Problem;          // then the loader's reason, naming the file
};

// Loads the module from the first of its places that holds a file, `programFolder` being the
// absolute folder of the running program (anything else is refused). A module that is there
// but fails to load is reported rather than passed over for another, possibly of another
// version.
LoadedWindow LoadWindowModule(const std::filesystem::path& programFolder);

}  // namespace dualis
