// The standard descriptors as the program found them: which were closed, and names that stand
// for standard output.
#pragma once

#include <string>

namespace dualis {

// Which of standard input, output and error were closed when the program started.
struct ClosedStreams {
    bool Input = false;
    bool Output = false;
    bool Error = false;
};

// Notes which of descriptors 0 to 2 are closed and opens each of those on the null device, so
// that no file the program opens later (the trace log, a settings file) takes their place and
// receives what was meant for them. To be called first thing in main.
ClosedStreams OpenClosedStandardStreams();

// True when the name is the system's name for the program's own standard output.
bool NamesStandardOutput(const std::string& fileName);

}  // namespace dualis
