// The program with its main window: start-up, the comparison named on the command line, the
// event loop, and the end of the run.
#pragma once

#include "CommandLine.h"

namespace dualis {

// Runs the window until the program ends; returns the exit status.
int RunWindow(const CommandLine& cmd, int argc, char** argv);

}  // namespace dualis
