// The program with its main window, built as a module of its own that the program loads only
// when it opens the window: start-up, the comparison named on the command line, the event loop,
// and the end of the run.
#pragma once

#include "CommandLine.h"

// The module's one exported function, found by this name once the module is loaded: runs the
// window until the program ends and returns the exit status. `cmd` is the parsed command line;
// argc and argv are the program's own, for Qt.
extern "C" int DualisRunWindow(const dualis::CommandLine* cmd, int argc, char** argv);

namespace dualis {

using WindowEntry = decltype(&DualisRunWindow);
inline constexpr const char* WindowEntryName = "DualisRunWindow";

}  // namespace dualis
