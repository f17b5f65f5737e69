// What the command line asks for.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "Options.h"
#include "ProjectCompare.h"

namespace dualis {

struct CommandLine {
    // Without --report or --dump the program opens its window, with or without two files.
    // Extract: the modules of an Office document written to a folder; VbaText: its modules
    // printed one after another (git's textconv).
    enum class Mode {
        Window,
        Report,
        Dump,
        Help,
        Version,
        Extract,
        VbaText
    } RunMode = Mode::Window;
    std::string DumpFile;
    std::array<std::string, 2> Files;  // both empty when the window is opened without files
    std::string SettingsFile;          // empty: the user's settings file
    // --color: whether the report is written with terminal colours.
    enum class ColourWhen { Auto, Always, Never } Colour = ColourWhen::Auto;
    // KEY=VALUE assignments, in the order they take effect, over the settings file's options.
    std::vector<std::string> Assignments;
    // --format: the text report, or the whole comparison as JSON.
    enum class OutputFormat { Text, Json } Format = OutputFormat::Text;
    bool Lines = false;           // --lines: the JSON holds the rows of every procedure
    bool ModuleReports = false;   // --modules: a project's summary is followed by the report of
                                  // every changed module
    std::string Module;           // --module NAME: the one module pair of two projects or
                                  // folders whose report follows the summary, or that is dumped
    std::string Document;         // --extract DOC DIR and --vba-text DOC: the document
    std::string ExtractFolder;    // --extract DOC DIR: where the modules are written
    bool NativeEncoding = false;  // --encoding=native: the project's code page, not UTF-8

    // The options of the settings file with the command line's assignments on top.
    CompareOptions OptionsOver(CompareOptions fromSettings) const;
    // The same for a comparison of projects or folders, IgnoreSaveNoise too.
    project::ProjectOptions ProjectOptionsOver(project::ProjectOptions fromSettings) const;
    // The two files' names made absolute from the current folder, as the file selection
    // dialog's names are, so that the recent files name them from anywhere.
    std::array<std::string, 2> AbsoluteFiles() const;
};

// Whether the report is coloured: Auto colours only a terminal, and not when NO_COLOR is set
// to a non-empty value (`noColor` is its value, or null) or TERM is "dumb".
bool ReportInColour(CommandLine::ColourWhen when, bool toTerminal, const char* noColor,
                    const char* term);

// Parses the arguments (without the program name). Returns an empty text on success, else the
// message for standard error; `help` receives the usage text when it is asked for.
std::string ParseCommandLine(const std::vector<std::string>& args, CommandLine& result,
                             std::string& help);

// The File 1 and File 2 of a single argument "FILE1,FILE2": blanks trimmed from both ends of
// the whole, split at the first comma when one stands after the first character.
bool SplitFilePair(const std::string& argument, std::array<std::string, 2>& files);

}  // namespace dualis
