// What differs within a changed line of File 1 and the changed line of File 2 that faces it.
//
// Worked example (no options):
//   File 1:  Dim S, I As Long
//   File 2:  Dim S() As String, I As Long
// The lines are cut into tokens (words, numbers, blank runs, string and comment words,
// operators), a shortest edit script over the tokens finds "Dim S" and ", I As Long" on both
// sides, and File 2's changed part is characters 5 to 17, "() As String"; File 1 has none.
// Tokens, not letters, are compared, and a small equality between two changes (a blank, a
// "(") is merged into them, so that whole words light up. When little is left equal the line
// was rewritten, and all of it from its first to its last non-blank character is marked.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "ComparisonState.h"
#include "Options.h"

namespace dualis {

// Characters (code points) of the line's text as read, 0-based, half-open: Begin < End.
struct CharRange {
    int32_t Begin = 0;
    int32_t End = 0;
    bool operator==(const CharRange&) const = default;
};

// Per file (index 0 File 1, 1 File 2): the changed parts in increasing order, never touching
// each other. Both empty when the lines are the same under the options.
struct LineChanges {
    std::array<std::vector<CharRange>, 2> Ranges;
};

// Compares two raw lines (valid UTF-8) under the options that make lines equal: IgnoreCase
// (case alone is no change), IgnoreLeadingBlanks, IgnoreTrailingBlanks, IgnoreEmbeddedBlanks
// (a run of blanks equals any other run), ExpandTabs (a tab counts as TabWidth blanks; else a
// tab differs from a blank) and IgnoreLineNumbers (a leading line number is never marked).
// Lines of more than MaxInlineTokens tokens, or too far apart to compare quickly, are marked
// whole: the work of comparing two lines is bounded in proportion to their tokens, so that
// marking changes costs about what printing the lines does, whatever they hold.
LineChanges CompareWithinLines(std::array<std::string_view, 2> lines,
                               const CompareOptions& options);
inline constexpr int32_t MaxInlineTokens = 2000;

// The combined view's pairs: within a difference block, the k-th Deleted row faces the k-th
// Added row. Returns, for each row of the procedure's combined rows (0-based), the index of the
// row it pairs with, or -1. Linear in the rows: build it once per procedure shown.
std::vector<int32_t> PairCombinedRows(std::span<const CombinedRow> rows);

}  // namespace dualis
