// What the command line asks for.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "Options.h"

namespace dualis {

struct CommandLine {
    enum class Mode { Report, Dump, Help, Version } RunMode = Mode::Report;
    std::string DumpFile;
    std::array<std::string, 2> Files;
    std::string SettingsFile;  // empty: the user's settings file
    // KEY=VALUE assignments, in the order they take effect, over the settings file's options.
    std::vector<std::string> Assignments;

    // The options of the settings file with the command line's assignments on top.
    CompareOptions OptionsOver(CompareOptions fromSettings) const;
};

// Parses the arguments (without the program name). Returns an empty text on success, else the
// message for standard error; `help` receives the usage text.
std::string ParseCommandLine(const std::vector<std::string>& args, CommandLine& result,
                             std::string& help);

// The File 1 and File 2 of a single argument "FILE1,FILE2": blanks trimmed from both ends of
// the whole, split at the first comma when one stands after the first character.
bool SplitFilePair(const std::string& argument, std::array<std::string, 2>& files);

}  // namespace dualis
