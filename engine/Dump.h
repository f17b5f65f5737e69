// The diagnostic dump: the whole state of the last comparison written as text, one section
// per call, appended to the dump file.
#pragma once

#include <string>
#include <string_view>

#include "ComparisonState.h"
#include "FileIO.h"
#include "Host.h"
#include "Options.h"

namespace dualis {

// What the dump says about the program itself.
struct DumpProgramFacts {
    std::string FileDateTime;  // date and time of the program's file
    std::string VersionText;   // the program's version text
};

// The sections in the order the dump key writes them.
inline constexpr std::string_view DumpSections[] = {
    "General", "Proc", "Raw", "Cooked", "Match", "Combined_Display", "Separate_Display"};

// The text of one section, named without regard to letter case: an empty line, the header line,
// the section's lines and a closing line of "=". An unknown name gets the message "Invalid-"
// and the name, and only the header and the closing line. Throws RunTimeError when the file
// facts of "General" cannot be measured.
std::string DumpSection(const ComparisonState& state, const CompareOptions& options,
                        std::string_view section, const DumpProgramFacts& program, IHost& host);

// Appends DumpSection to dumpFile, created when missing, byte for byte; a terminal gets what
// `forTerminal` makes of it when that is given (AppendToFile). A pipe without a reader is not
// waited for. Throws OutputFileError when the file cannot be written whole.
void DumpArrays(const ComparisonState& state, const CompareOptions& options,
                std::string_view section, const std::string& dumpFile,
                const DumpProgramFacts& program, IHost& host, TerminalFilter forTerminal = nullptr);

}  // namespace dualis
