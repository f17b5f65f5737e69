// Running the built dualis program as a user would, and what it left behind.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace dualis::test {

struct Invocation {
    std::string Program;  // the program run when given, else the built dualis
    std::vector<std::string> Args;
    std::vector<std::pair<std::string, std::string>> Env;  // variables set for the run
    std::vector<std::string> Unset;                        // variables removed for the run
    std::string StdoutFile;      // standard output goes here when given, else it is kept
    std::string WorkDir;         // the current folder of the run when given
    long AddressSpaceBytes = 0;  // a limit on the run's memory when not 0
    std::vector<int> Closed;     // standard descriptors (0 to 2) the run starts with closed
};

struct Outcome {
    int Status = -1;  // the exit status, or 128 and the signal that ended the run
    std::string Out;
    std::string Err;
};

// Runs the program with these arguments and nothing else set.
Outcome RunDualis(std::vector<std::string> args);

// Runs the program and waits for its end. The per-user settings folder is always one of its
// own, never the user's.
Outcome RunDualis(const Invocation& invocation);

}  // namespace dualis::test
