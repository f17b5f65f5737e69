// Which lines of a procedure the text report lists: the whole combined listing, or under
// DifferencesOnly the lines of each difference with their context before and after it.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "ComparisonState.h"

namespace dualis {

// Procedure p's rows as the combined listing orders them when no equal line is hidden: each
// gap's File 1 lines (Deleted, or Ignored when the options leave the line out), then its File 2
// lines (Added or Ignored), then the equal pair that ends it (Equal, File 1's line). A procedure
// of one file lists its lines as Deleted or Added, ignored ones too. Read from the match records,
// so it does not depend on DifferencesOnly.
std::vector<CombinedRow> ListedRows(const ComparisonState& state, int32_t p);

// The numbers of a listed row's lines in File 1 and File 2: an equal row's File 1 line and the
// File 2 line matched with it; another row's line in its own file, and 0 in the other.
std::array<int32_t, 2> RowLineNumbers(const ComparisonState& state, int32_t p,
                                      const CombinedRow& row);

// Per row, whether it lies within `before` rows before or `after` rows after a row that differs
// (Deleted or Added). Equal and ignored rows do not differ: they are the context, and count as
// one row each. A negative count is taken as 0; windows that touch or overlap merge.
std::vector<bool> RowsNearDifferences(std::span<const CombinedRow> rows, int32_t before,
                                      int32_t after);

// The text that stands for a run of rows left out: "... 12 equal lines ...",
// "... 1 ignored line ...", "... 4 equal and 1 ignored lines ...".
std::string LeftOutText(int32_t equal, int32_t ignored);

}  // namespace dualis
