// Cutting both files into procedures at their header lines and pairing them by name.
#pragma once

#include <string>
#include <string_view>

#include "ComparisonState.h"
#include "Host.h"

namespace dualis {

// The name of the procedure a line declares, or "" when the line is not a procedure header.
std::string GetProcName(std::string_view line, IHost* trace = nullptr);

// Finds the header lines among one file's cooked lines, for LoadProcStack. The two files can
// be searched at the same time.
void FindProcHeaders(ComparisonState& state, int fileIndex, IHost* trace = nullptr);

// Fills ProcStack and MaxProcLines from both files' headers and cooked lines. Throws
// InputFileError when the files hold more than MaxProcRecords procedures.
void LoadProcStack(ComparisonState& state);

}  // namespace dualis
