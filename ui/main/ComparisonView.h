// Where the user is in one comparison: the procedure shown, each pane's scroll position and the
// rows it draws, the highlighted row, the rows selected and what the two searches remember. A
// plain value that the main window holds and applies to its widgets; it never knows them.
//
// Example: File 1's pane of P2 stands at row 40, Next Mismatch highlighted row 45 and rows 44 to
// 46 are selected. Picking P3 (ShowProc) puts both panes back at row 1 and column 1, clears the
// highlight to -1, the selection and the place the find bar found last, and keeps what the block
// search remembers, so that F3 searches on the same way in P3.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "DisplayLines.h"
#include "Find.h"
#include "ScrollRanges.h"
#include "Selection.h"
#include "TextSearch.h"

namespace dualis {

// The invariants, for each pane p (0: File 1's pane and the combined view's one pane, 1: File
// 2's pane); rows and columns count from 1:
// - CurrentProc() >= 1 is the record index of ProcStack whose rows are shown. Before the first
//   comparison, or after one whose list is empty, it may name no record; the drawing then finds
//   no rows.
// - ScrollRow(p) is the value of the pane's vertical bar, the row a scroll asks to start at, and
//   ScrollColumn(p) that of its horizontal bar, 1 + the "W" widths the pane is shifted left. While
//   a bar is enabled (Scroll(p)) its value lies between 1 and the bar's maximum; while it is
//   disabled the value is 1. In the combined view both bars of pane 1 are disabled.
// - TopLine(p) to BottomLine(p) are the rows the last drawing of the current procedure drew;
//   BottomLine(p) < TopLine(p) when none were drawn yet.
// - HiLiteLine(p) is the highlighted row. Below 1 means none: -1 right after a procedure was
//   shown, 0 after a two-pane drawing found the row outside the rows it drew.
// - Selection() holds rows of at most one pane. ExtendingPane() is -1 or the pane that holds
//   the selection: the extend mode ends with the selection, or when it moves to the other pane.
// - The block search's state (LastFind...) lives as long as the value: no procedure and no
//   comparison resets it. LastFindDirection() is +1 or -1.
class ComparisonView {
  public:
    static constexpr int Panes = 2;

    int16_t CurrentProc() const { return currentProc_; }
    int32_t TopLine(int pane) const { return pane_[Index(pane)].Drawn.Top; }
    int32_t BottomLine(int pane) const { return pane_[Index(pane)].Drawn.Bottom; }
    LineWindow Drawn(int pane) const { return pane_[Index(pane)].Drawn; }
    int32_t HiLiteLine(int pane) const { return pane_[Index(pane)].HiLiteLine; }
    // The ranges of the pane's bars and what fits in it.
    const PaneScroll& Scroll(int pane) const { return scroll_[Index(pane)]; }
    const std::array<PaneScroll, Panes>& Scrolls() const { return scroll_; }
    int32_t ScrollRow(int pane) const { return pane_[Index(pane)].Row; }
    int32_t ScrollColumn(int pane) const { return pane_[Index(pane)].Column; }
    const RowSelection& Selection() const { return selection_; }
    // The pane whose Up and Down keys extend the selection (the extend mode); -1 when off.
    int ExtendingPane() const { return extendingPane_; }
    const FindState& LastFind() const { return lastFind_; }
    int16_t LastFindType() const { return lastFind_.LastFindType; }
    int16_t LastFindDirection() const { return lastFind_.LastFindDirection; }
    int16_t LastFindWhat() const { return lastFind_.LastFindWhat; }
    // Where the find bar's search in `direction` starts when the list shows entry `entry`: after
    // the place it found last while that place is still highlighted in the same view, else
    // after (before) the highlighted row, or the rows File 1's pane drew.
    SearchPlace TextSearchStart(int entry, int direction, bool combined) const;
    // The text the find bar found last in pane `pane`, while its row is still highlighted and
    // drawn in the view it was found in; none otherwise.
    std::optional<FoundText> ShownFoundText(int pane, bool combined) const;

    // Shows procedure `proc` from its start: both panes at row 1 and column 1 with no rows drawn
    // yet, nothing highlighted (-1), nothing selected and no place found by the find bar.
    void ShowProc(int16_t proc);
    // A new pair of files is on screen: as ShowProc(1). The block search's state stays.
    void ResetForComparison() { ShowProc(1); }
    // Both panes back to row 1 and column 1.
    void ScrollToStart();
    // The bars' new ranges; the first `panes` panes are shown and the others' bars disabled.
    // Positions beyond a new maximum come down to it, and those of a disabled bar go to 1.
    void SetRanges(const std::array<PaneScroll, Panes>& ranges, int panes);
    // Moves the pane's vertical (horizontal) position to `value`, kept within its bar's range;
    // with `together` the other pane follows to the same value, or to its own maximum when it
    // cannot go that far. A disabled bar does not move. True when a position changed.
    bool ScrollTo(int pane, int32_t value, bool together);
    bool ScrollColumns(int pane, int32_t value, bool together);
    // The pane drew rows `window`, and keeps highlight `hiLiteLine`: the one it had, or 0 when a
    // two-pane drawing found it outside the window.
    void Drew(int pane, LineWindow window, int32_t hiLiteLine);
    // Highlights `row` of File 1's pane and, in the two-pane views, the same row of File 2's.
    void Highlight(int32_t row, bool combined);
    void ClearHighlight();
    // What the block search just did, found or not.
    void RecordFind(const FindState& search);
    // The find bar found `place` (its row in the current procedure) in the view, in `columns` of
    // the row as printed: it is highlighted as the block search highlights, and the next search
    // starts after it.
    void Found(const SearchPlace& place, bool combined, FoundColumns columns = {});

    // The selection, as the functions of Selection.h change it.
    void PressRow(int pane, int32_t row, bool extend);
    void DragToRow(int pane, int32_t row);
    // Up or Down in the extend mode, among the procedure's `rows` rows: the selection reaches one
    // row further. Outside the mode nothing changes.
    void ExtendSelection(int step, int32_t rows);
    void SelectAll(int pane, int32_t rows);
    void ClearSelection();
    // The extend mode: a selection of the top row that pane `pane` drew, which Up and Down then
    // extend; false, and nothing changes, while the pane drew no rows.
    bool StartExtending(int pane);
    void EndExtending() { extendingPane_ = -1; }

  private:
    struct PanePlace {
        int32_t Row = 1;
        int32_t Column = 1;
        LineWindow Drawn;
        int32_t HiLiteLine = -1;
    };
    static size_t Index(int pane);
    // Keeps the pane's positions within its bars' ranges.
    void Clamp(int pane);
    // The extend mode ends when the selection it extends is gone or in the other pane.
    void KeepExtending();
    // ScrollTo and ScrollColumns: one axis of the panes' places and bars.
    bool Move(int pane, int32_t value, bool together, int32_t PanePlace::*position,
              bool PaneScroll::*enabled, int32_t PaneScroll::*maximum);

    int16_t currentProc_ = 1;
    std::array<PanePlace, Panes> pane_;
    std::array<PaneScroll, Panes> scroll_;
    RowSelection selection_;
    int extendingPane_ = -1;
    FindState lastFind_;
    // The place the find bar found last and whether in the combined view; none after a procedure
    // was shown.
    std::optional<FoundText> textFound_;
    bool textFoundCombined_ = false;
};

}  // namespace dualis
