// The characters that mark a procedure's status and a line's class, wherever they are shown:
// the window's list and panes, and the text report.
#pragma once

#include <cstdint>
#include <string>

#include "ComparisonState.h"

namespace dualis {

// "+" only in File 2, "#" changed, "-" only in File 1, "=" equal.
std::string ProcStatusSymbol(int16_t status);

// A row's mark in a two-pane view: 255 "=" for a marker of hidden equal lines, "=" equal, "*"
// ignored, "+" added, "#" changed, "-" deleted; nothing for an unknown class.
std::string TwoPaneSymbol(LineSymbol symbol);

// The same in the combined listing, where a changed line is marked "<>" and markers never stand.
std::string CombinedSymbol(LineSymbol symbol);

}  // namespace dualis
