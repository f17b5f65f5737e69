// The comparison as text for a person reading it in a terminal.
#pragma once

#include <cstdio>
#include <string>

#include "ComparisonState.h"
#include "Options.h"

namespace dualis {

// Writes the two file names and, when any comparison option differs from its default, the
// options in effect; then one block per procedure in procedure-list order (procedures found
// equal are left out under DifferencesOnly): its status symbol and name, then the rows of the
// combined listing, each with both files' line numbers where it has them, its compare symbol
// and its text; at the end the status-line counts. Under DifferencesOnly a block keeps
// DifferencesBefore rows before each difference and DifferencesAfter rows after it, and one
// line counts each run of rows left out (ListedRows, RowsNearDifferences). Names and texts show
// their control characters visibly. With `colour`, terminal escapes mark the classes: procedure
// headers bold, deleted rows red, added green, changed yellow, ignored dim, and in a deleted row
// and the added row it pairs with (PairCombinedRows) the parts that differ in reverse video.
// Returns the reason when the report could not be written whole, else an empty text.
[[nodiscard]] std::string WriteReport(const ComparisonState& state, const CompareOptions& options,
                                      std::FILE* out, bool colour = false);

}  // namespace dualis
