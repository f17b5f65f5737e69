// The operations that move the user through one comparison, each keeping the view's invariants.
#include "ComparisonView.h"

#include <algorithm>
#include <cassert>

namespace dualis {

namespace {

int32_t Within(int32_t value, bool enabled, int32_t maximum) {
    return enabled ? std::clamp(value, 1, std::max(1, maximum)) : 1;
}

}  // namespace

size_t ComparisonView::Index(int pane) {
    assert(pane >= 0 && pane < Panes);
    return static_cast<size_t>(pane);
}

void ComparisonView::Clamp(int pane) {
    const PaneScroll& s = scroll_[Index(pane)];
    PanePlace& place = pane_[Index(pane)];
    place.Row = Within(place.Row, s.VEnabled, s.VMax);
    place.Column = Within(place.Column, s.HEnabled, s.HMax);
}

void ComparisonView::ShowProc(int16_t proc) {
    assert(proc >= 1);
    currentProc_ = proc;
    pane_ = {};
    ClearSelection();
    textFound_.reset();
}

void ComparisonView::ScrollToStart() {
    for (PanePlace& place : pane_) place.Row = place.Column = 1;
}

void ComparisonView::SetRanges(const std::array<PaneScroll, Panes>& ranges, int panes) {
    scroll_ = ranges;
    for (int p = 0; p < Panes; ++p) {
        if (p >= panes) scroll_[Index(p)].VEnabled = scroll_[Index(p)].HEnabled = false;
        Clamp(p);
    }
}

bool ComparisonView::ScrollTo(int pane, int32_t value, bool together) {
    return Move(pane, value, together, &PanePlace::Row, &PaneScroll::VEnabled, &PaneScroll::VMax);
}

bool ComparisonView::ScrollColumns(int pane, int32_t value, bool together) {
    return Move(pane, value, together, &PanePlace::Column, &PaneScroll::HEnabled,
                &PaneScroll::HMax);
}

bool ComparisonView::Move(int pane, int32_t value, bool together, int32_t PanePlace::*position,
                          bool PaneScroll::*enabled, int32_t PaneScroll::*maximum) {
    const size_t p = Index(pane);
    const PaneScroll& own = scroll_[p];
    if (!(own.*enabled)) return false;
    const int32_t moved = Within(value, true, own.*maximum);
    if (moved == pane_[p].*position) return false;
    pane_[p].*position = moved;
    // The partner follows a move, as a synchronised bar follows the other's change.
    const PaneScroll& partner = scroll_[1 - p];
    if (together && partner.*enabled) {
        pane_[1 - p].*position = PartnerScrollValue(moved, partner.*maximum);
    }
    return true;
}

void ComparisonView::Drew(int pane, LineWindow window, int32_t hiLiteLine) {
    PanePlace& place = pane_[Index(pane)];
    // The drawing only ever clears the highlight; it never moves it.
    assert(hiLiteLine == place.HiLiteLine || hiLiteLine == 0);
    place.Drawn = window;
    place.HiLiteLine = hiLiteLine;
}

void ComparisonView::Highlight(int32_t row, bool combined) {
    assert(row >= 1);
    pane_[0].HiLiteLine = row;
    if (!combined) pane_[1].HiLiteLine = row;
}

void ComparisonView::ClearHighlight() {
    for (PanePlace& place : pane_) place.HiLiteLine = -1;
}

void ComparisonView::RecordFind(const FindState& search) {
    assert(search.LastFindDirection == 1 || search.LastFindDirection == -1);
    lastFind_ = search;
}

void ComparisonView::Found(const SearchPlace& place, bool combined, FoundColumns columns) {
    assert(place.Pane == 0 || (place.Pane == 1 && !combined));
    textFound_ = FoundText{place, columns};
    textFoundCombined_ = combined;
    Highlight(place.Row, combined);
}

SearchPlace ComparisonView::TextSearchStart(int entry, int direction, bool combined) const {
    if (textFound_ && textFound_->Place.Entry == entry && textFoundCombined_ == combined &&
        HiLiteLine(textFound_->Place.Pane) == textFound_->Place.Row) {
        return textFound_->Place;
    }
    const int32_t hiLite = HiLiteLine(0);
    if (direction > 0) return {entry, hiLite >= 1 ? hiLite : TopLine(0) - 1, combined ? 0 : 1};
    return {entry, hiLite >= 1 ? hiLite : BottomLine(0) + 1, 0};
}

std::optional<FoundText> ComparisonView::ShownFoundText(int pane, bool combined) const {
    if (!textFound_ || textFoundCombined_ != combined || textFound_->Place.Pane != pane)
        return std::nullopt;
    const int32_t row = textFound_->Place.Row;
    const PanePlace& place = pane_[Index(pane)];
    if (place.HiLiteLine != row || row < place.Drawn.Top || row > place.Drawn.Bottom)
        return std::nullopt;
    return textFound_;
}

void ComparisonView::PressRow(int pane, int32_t row, bool extend) {
    selection_ = dualis::PressRow(selection_, pane, row, extend);
    KeepExtending();
}

void ComparisonView::DragToRow(int pane, int32_t row) {
    selection_ = dualis::DragToRow(selection_, pane, row);
}

void ComparisonView::ExtendSelection(int step, int32_t rows) {
    if (extendingPane_ < 0) return;
    selection_ = ExtendByRow(selection_, extendingPane_, step, rows);
}

void ComparisonView::SelectAll(int pane, int32_t rows) {
    selection_ = SelectAllRows(pane, rows);
    KeepExtending();
}

void ComparisonView::ClearSelection() {
    selection_ = {};
    extendingPane_ = -1;
}

bool ComparisonView::StartExtending(int pane) {
    const LineWindow drawn = pane_[Index(pane)].Drawn;
    if (drawn.Bottom < drawn.Top) return false;
    selection_ = {pane, drawn.Top, drawn.Top};
    extendingPane_ = pane;
    return true;
}

void ComparisonView::KeepExtending() {
    if (extendingPane_ != selection_.Pane) extendingPane_ = -1;
}

}  // namespace dualis
