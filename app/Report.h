// The comparison as text for a person reading it in a terminal.
#pragma once

#include <cstdio>

#include "ComparisonState.h"
#include "Options.h"

namespace dualis {

// Writes one block per procedure in procedure-list order (procedures found equal are left out
// under DifferencesOnly): its status symbol and name, then the rows of the combined display,
// each with both files' line numbers where it has them, its compare symbol and its text;
// at the end the status-line counts.
void WriteReport(const ComparisonState& state, const CompareOptions& options, std::FILE* out);

}  // namespace dualis
