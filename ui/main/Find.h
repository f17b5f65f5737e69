// The search for blocks of equal lines (matches) and differing lines (mismatches) in the
// procedure on display. A plain function over the view's rows and state: the window applies
// the highlight and the scroll value it returns.
//
// Example: rows "= = # # = # =" with nothing highlighted. Next Mismatch finds row 3; pressed
// again it first leaves the block of rows 3 and 4 (the walk stops at row 5, whose sign differs)
// and then finds row 6 — not row 4, the second row of the block already found.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "ComparisonState.h"

namespace dualis {

enum FindType : int16_t { FindFirst = 1, FindLast = 2, FindNext = 3, FindPrior = 4 };
enum FindWhat : int16_t { FindMatch = 1, FindMismatch = 2 };

// What the window remembers of the last search; the values are those it starts with.
struct FindState {
    int16_t LastFindType = 0;
    int16_t LastFindDirection = 1;
    int16_t LastFindWhat = FindMismatch;
};

// The view the search looks at: the procedure, the view's rows, and the first pane's window.
struct FindView {
    const ComparisonState& State;
    int32_t Proc = 1;
    bool Combined = false;    // the combined view's rows, else the two-pane rows
    int32_t HiLiteLine = -1;  // of the first pane; below 1: none
    int32_t TopLine = 1;      // the first pane's first and last row drawn
    int32_t BottomLine = 0;
    int32_t LinesPerPane = 1;  // of the first pane
};

struct FindResult {
    std::optional<int32_t> Found;         // the row found; none: nothing changes on screen
    std::optional<int32_t> ScrollValue;   // the first pane's new scroll value; none: redraw only
    FindState State;                      // always updated, found or not
    std::vector<std::string> TraceLines;  // the two data lines for the application trace
};

FindResult Find(int16_t findType, int16_t findWhat, const FindView& view, const FindState& state);

// The pane's scroll value that brings row `row` of `rows` into view as a search in
// `direction` places it; none when the row is drawn already (topLine to bottomLine).
std::optional<int32_t> ScrollToRow(int32_t row, int32_t rows, int direction, int32_t topLine,
                                   int32_t bottomLine, int32_t linesPerPane);

}  // namespace dualis
