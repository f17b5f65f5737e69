// Selecting rows in a pane and the text of the rows selected.
#include "Selection.h"

#include <algorithm>
#include <utility>

namespace dualis {

RowSelection PressRow(const RowSelection& selection, int pane, int32_t row, bool extend) {
    if (extend && selection.Pane == pane) return {pane, selection.Anchor, row};
    return {pane, row, row};
}

RowSelection DragToRow(const RowSelection& selection, int pane, int32_t row) {
    if (selection.Pane != pane) return selection;
    return {pane, selection.Anchor, row};
}

RowSelection ExtendByRow(const RowSelection& selection, int pane, int step, int32_t rows) {
    if (rows < 1 || !selection.Active() || selection.Pane != pane) return selection;
    RowSelection next = selection;
    next.Current = std::clamp(next.Current + step, 1, rows);
    return next;
}

RowSelection SelectAllRows(int pane, int32_t rows) {
    if (rows < 1) return {};
    return {pane, 1, rows};
}

int32_t RowAtPixel(int y, int rowHeight, LineWindow window) {
    if (window.Bottom < window.Top) return 0;
    if (y < 0) return window.Top;
    const int32_t row = window.Top + y / std::max(1, rowHeight);
    return std::min(row, window.Bottom);
}

int EdgeScrollStep(int y, int paneHeight) {
    if (y < 0) return -1;
    return y >= paneHeight ? 1 : 0;
}

PixelBand SelectedBand(const RowSelection& selection, int pane, LineWindow window, int rowHeight) {
    if (selection.Pane != pane) return {};
    const int32_t first = std::max(selection.First(), window.Top);
    const int32_t last = std::min(selection.Last(), window.Bottom);
    if (first > last) return {};
    return {(first - window.Top) * rowHeight, (last - first + 1) * rowHeight};
}

namespace {

// The selected rows that the procedure has.
std::pair<int32_t, int32_t> RowsWithin(const ComparisonState& state, int32_t proc, bool combined,
                                       const RowSelection& selection) {
    const int32_t rows = ViewRowCount(state, proc, combined ? "C" : "V");
    return {std::max(selection.First(), 1), std::min(selection.Last(), rows)};
}

}  // namespace

bool SelectionHasLines(const ComparisonState& state, int32_t proc, bool combined,
                       const RowSelection& selection) {
    if (!selection.Active()) return false;
    const auto [first, last] = RowsWithin(state, proc, combined, selection);
    for (int32_t row = first; row <= last; ++row) {
        if (PaneRowSource(state, proc, combined, selection.Pane, row).RawLine > 0) return true;
    }
    return false;
}

CopiedText SelectionText(const ComparisonState& state, const Settings& settings, int32_t proc,
                         bool combined, const RowSelection& selection, CopyForm form) {
    CopiedText copied;
    if (!selection.Active()) return copied;
    const int pane = selection.Pane;
    const auto [first, last] = RowsWithin(state, proc, combined, selection);
    for (int32_t row = first; row <= last; ++row) {
        if (form == CopyForm::AsShown) {
            copied.Text += PaneRowText(state, settings, proc, combined, pane, row);
            copied.Text += '\n';
            ++copied.Lines;
            continue;
        }
        const RowSource source = PaneRowSource(state, proc, combined, pane, row);
        if (source.RawLine < 1 || source.RawLine > state.RawCount(source.File)) continue;
        const RawStore& raw = state.RawStack[source.File];
        copied.Text += raw.Text(source.RawLine);
        copied.Text += LineEndText(raw.End(source.RawLine));
        ++copied.Lines;
    }
    return copied;
}

}  // namespace dualis
