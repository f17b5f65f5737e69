// The find bar's search: the next row, in the order of the procedure list, whose line holds a
// text. A plain function over the comparison state and the list's entries; the window switches
// to the procedure, scrolls to the row and highlights it.
//
// Example: the list shows P1 and P2 in a two-pane view; "Total" stands in File 2's line of P1's
// row 4 and in File 1's line of P2's row 2. Searching forward from P1 row 4, File 2's pane (the
// place last found) finds P2 row 2, File 1's pane; the next search goes round the end of the
// list and finds P1 row 4, File 2's pane again. Backward from there it finds P2 row 2.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "ComparisonState.h"
#include "DisplayLines.h"
#include "ProcList.h"
#include "Settings.h"
#include "TextMatch.h"

namespace dualis {

// A place in the order of the search: one pane's row of one entry of the procedure list. Within
// a procedure the order is row by row, and in the two-pane views File 1's pane before File 2's.
struct SearchPlace {
    int Entry = 0;  // index into the list's entries, from 0
    // Display row of the view, from 1; 0 stands before the first row, the row count + 1 after
    // the last one.
    int32_t Row = 0;
    int Pane = 0;  // 0 File 1's pane, 1 File 2's; always 0 in the combined view
    bool operator==(const SearchPlace&) const = default;
};

// The characters of a row that hold the text found: display columns [Column, Column + Length),
// from 0, of the row as its pane prints it (symbol and number included).
struct FoundColumns {
    int32_t Column = 0;
    int32_t Length = 0;
    bool operator==(const FoundColumns&) const = default;
};

// What the find bar found: the place and the columns of the text in that row.
struct FoundText {
    SearchPlace Place;
    FoundColumns Columns;
};

// The first place after `from` (before it when `direction` is negative) whose row shows a line
// holding the query's text: through the rest of from's procedure, on through the list's
// entries and round from the last to the first (the first to the last), ending with `from`
// itself. Rows that show no line (fillers, markers of hidden lines) never match, and procedures
// that are not in the list are not searched. None when no row of the list holds the text, or
// the text is empty.
std::optional<SearchPlace> FindText(const ComparisonState& state,
                                    const std::vector<ProcListEntry>& entries, bool combined,
                                    const TextQuery& query, const SearchPlace& from, int direction);

// Whether FindText, searching in `direction` from `from`, went round the end of the list to
// find `found`: it stands before `from` (after it, searching back) or is `from` itself.
bool SearchWentRound(const SearchPlace& found, const SearchPlace& from, int direction);

// Whether a module whose two files hold `bytes` may hold the query's text, before it is
// compared: false only when the text is of ASCII characters (which stand as themselves in every
// encoding but UTF-16) and neither file's bytes hold it, letter case aside unless it counts.
bool BytesMayHold(const std::array<std::string, 2>& bytes, const TextQuery& query);

// Where the query's text stands in display row `row` of pane `pane` as printed; none when the
// row shows no line holding it.
std::optional<FoundColumns> FindColumns(const ComparisonState& state, const Settings& settings,
                                        int32_t proc, bool combined, int pane, int32_t row,
                                        const TextQuery& query);

// The vertical scroll value that shows row `row` wholly inside a pane whose height holds
// `wholeRows` whole rows, the bar reaching `scrollMax`; none when the row is wholly inside the
// rows drawn already, `drawn` (the drawing takes a row more than fit, cut off by the pane's
// edge). Searching forward the row becomes the pane's second row, backward its last whole row,
// so that the text around it shows too.
std::optional<int32_t> ScrollToWholeRow(int32_t row, int direction, LineWindow drawn,
                                        int32_t wholeRows, int32_t scrollMax);

// Where the found text is marked in a pane that drew `drawn` in rows of `rowHeight` pixels and
// columns of `charWidth` pixels: pixels from the pane's left and top edges. Height 0 when the
// row is not drawn.
struct MarkBox {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
    bool operator==(const MarkBox&) const = default;
};
MarkBox FoundMarkBox(int32_t row, FoundColumns columns, LineWindow drawn, int rowHeight,
                     double charWidth);

// The horizontal scroll value (the first column shown, from 1) that brings columns
// [column, column + length) of a row into a pane showing `shown` columns from `value`, with a
// quarter of the pane to the left of them; none when they are on screen already or the bar
// cannot move (`maxValue` 1).
std::optional<int32_t> ScrollToColumns(int32_t column, int32_t length, int32_t value, int32_t shown,
                                       int32_t maxValue);

}  // namespace dualis
