// Whole rows selected in a display pane, and the text that copying them gives.
//
// Example: File 2 adds a line after "a", so File 1's pane shows "a", then a filler row facing
// the added line, then "b". Copying these three rows of File 1's pane gives "a\r\nb\r\n" (each
// line with the end it had in File 1, CR LF here); copying them "with symbols and numbers"
// gives every row as printed, the filler as the empty row it is: "= [1] a\n\n= [2] b\n".
#pragma once

#include <cstdint>
#include <string>

#include "ComparisonState.h"
#include "DisplayLines.h"
#include "Settings.h"

namespace dualis {

// The rows picked in one pane: the row where the selection began and the row it reaches now,
// both 1-based display rows of the procedure in the current view. Only one pane holds a
// selection at a time; Pane is -1 when nothing is selected.
struct RowSelection {
    int Pane = -1;
    int32_t Anchor = 0;
    int32_t Current = 0;

    bool Active() const { return Pane >= 0; }
    int32_t First() const { return Anchor < Current ? Anchor : Current; }
    int32_t Last() const { return Anchor < Current ? Current : Anchor; }
    bool Holds(int pane, int32_t row) const {
        return Active() && pane == Pane && row >= First() && row <= Last();
    }
};

// A press on `row` of `pane` selects that row; with `extend` (Shift held) a selection already in
// that pane reaches from its anchor to the row instead.
RowSelection PressRow(const RowSelection& selection, int pane, int32_t row, bool extend);

// Dragging in the pane that holds the selection moves its current row; elsewhere nothing moves.
RowSelection DragToRow(const RowSelection& selection, int pane, int32_t row);

// Up or Down in the extend mode: the selection in `pane` reaches one row further (`step` +1 or
// -1), within the `rows` rows; a selection elsewhere, or none, stays as it is.
RowSelection ExtendByRow(const RowSelection& selection, int pane, int step, int32_t rows);

// Every row of a pane that shows `rows` rows; nothing when it shows none.
RowSelection SelectAllRows(int pane, int32_t rows);

// The display row under `y` pixels from the top of a pane showing `window` in rows of
// `rowHeight` pixels; above or below the rows drawn, the first or last of them.
int32_t RowAtPixel(int y, int rowHeight, LineWindow window);

// Which way a drag scrolls on its own: -1 above the pane's top edge, +1 below its bottom edge
// (`paneHeight` pixels down), else 0.
int EdgeScrollStep(int y, int paneHeight);

// The part of a pane to paint as selected, in pixels from its top; Height 0 when none of the
// selection is among the rows drawn.
struct PixelBand {
    int Top = 0;
    int Height = 0;
};
PixelBand SelectedBand(const RowSelection& selection, int pane, LineWindow window, int rowHeight);

enum class CopyForm {
    Lines,    // the raw lines the rows show, each with its original line end
    AsShown,  // every row as the pane prints it, symbols and numbers included, each ending "\n"
};

struct CopiedText {
    std::string Text;
    int32_t Lines = 0;  // the lines the text holds
};

// True when a selected row of the procedure shows a line, so that copying the lines gives text.
bool SelectionHasLines(const ComparisonState& state, int32_t proc, bool combined,
                       const RowSelection& selection);

// The text of the selected rows of procedure `proc` in the current view; rows beyond the
// procedure's are left out.
CopiedText SelectionText(const ComparisonState& state, const Settings& settings, int32_t proc,
                         bool combined, const RowSelection& selection, CopyForm form);

}  // namespace dualis
