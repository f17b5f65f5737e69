// Where the user is in one comparison, without a window: what showing a procedure or a new
// comparison resets and what it keeps, scrolling within the bars' ranges, the highlight, the
// selection and where the find bar's next search starts.
#include <gtest/gtest.h>

#include "ComparisonView.h"

namespace dualis {
namespace {

// A pane whose vertical bar reaches `vMax` and horizontal bar `hMax`; 0: the bar is disabled.
PaneScroll Bars(int32_t vMax, int32_t hMax) {
    PaneScroll s;
    s.LinesPerPane = 20;
    s.VEnabled = vMax > 0;
    s.VMax = std::max(vMax, 1);
    s.HEnabled = hMax > 0;
    s.HMax = std::max(hMax, 1);
    return s;
}

// A two-pane view of procedure 2, both panes scrolled, a row highlighted and selected, a text
// found and a Prior Match searched.
ComparisonView Busy() {
    ComparisonView view;
    view.ShowProc(2);
    view.SetRanges({Bars(81, 30), Bars(81, 30)}, 2);
    view.ScrollTo(0, 40, true);
    view.ScrollColumns(1, 12, false);
    view.Drew(0, {40, 60}, -1);
    view.Drew(1, {40, 60}, -1);
    view.Found({1, 45, 1}, false);
    view.PressRow(1, 44, false);
    view.PressRow(1, 46, true);
    view.RecordFind({FindPrior, -1, FindMatch});
    return view;
}

TEST(ComparisonView, StartsAtTheFirstProcedureWithTheSearchTheWindowStartsWith) {
    const ComparisonView view;
    EXPECT_EQ(view.CurrentProc(), 1);
    EXPECT_EQ(view.HiLiteLine(0), -1);
    EXPECT_EQ(view.ScrollRow(1), 1);
    EXPECT_LT(view.BottomLine(0), view.TopLine(0));
    EXPECT_FALSE(view.Selection().Active());
    EXPECT_EQ(view.LastFindType(), 0);
    EXPECT_EQ(view.LastFindDirection(), 1);
    EXPECT_EQ(view.LastFindWhat(), FindMismatch);
}

TEST(ComparisonView, ANewProcedureStartsAtItsTopButTheBlockSearchGoesOn) {
    ComparisonView view = Busy();
    ASSERT_EQ(view.HiLiteLine(1), 45);
    ASSERT_EQ(view.ScrollRow(1), 40);  // the other pane followed
    ASSERT_EQ(view.TextSearchStart(1, 1, false), (SearchPlace{1, 45, 1}));
    view.ShowProc(3);
    EXPECT_EQ(view.CurrentProc(), 3);
    for (int p = 0; p < 2; ++p) {
        EXPECT_EQ(view.ScrollRow(p), 1);
        EXPECT_EQ(view.ScrollColumn(p), 1);
        EXPECT_EQ(view.HiLiteLine(p), -1);
        EXPECT_LT(view.BottomLine(p), view.TopLine(p));  // nothing of the new one drawn yet
    }
    EXPECT_FALSE(view.Selection().Active());
    // The place found is forgotten, even where the same row is highlighted again: a search
    // backward starts from the row, not from File 2's pane of it.
    view.Drew(0, {1, 20}, -1);
    view.Highlight(45, false);
    EXPECT_EQ(view.TextSearchStart(1, -1, false), (SearchPlace{1, 45, 0}));
    // What the block search remembers lives as long as the window.
    EXPECT_EQ(view.LastFindType(), FindPrior);
    EXPECT_EQ(view.LastFindDirection(), -1);
    EXPECT_EQ(view.LastFindWhat(), FindMatch);
    // The bars' ranges stay until the window measures the new procedure.
    EXPECT_EQ(view.Scroll(0).VMax, 81);
}

TEST(ComparisonView, ANewComparisonStartsAtTheFirstProcedure) {
    ComparisonView view = Busy();
    view.ResetForComparison();
    EXPECT_EQ(view.CurrentProc(), 1);
    EXPECT_EQ(view.ScrollRow(0), 1);
    EXPECT_EQ(view.ScrollColumn(1), 1);
    EXPECT_EQ(view.HiLiteLine(1), -1);
    EXPECT_FALSE(view.Selection().Active());
    EXPECT_EQ(view.LastFindWhat(), FindMatch);
}

TEST(ComparisonView, ScrollingStaysWithinTheBarsAndTheOtherPaneFollowsWhenAsked) {
    ComparisonView view;
    view.SetRanges({Bars(81, 29), Bars(60, 0)}, 2);
    // File 2's bar stops at its own maximum; far beyond File 1's, File 1's stops at its own.
    EXPECT_TRUE(view.ScrollTo(0, 70, true));
    EXPECT_EQ(view.ScrollRow(1), 60);
    EXPECT_TRUE(view.ScrollTo(0, 500, false));
    EXPECT_EQ(view.ScrollRow(0), 81);
    EXPECT_EQ(view.ScrollRow(1), 60);
    EXPECT_TRUE(view.ScrollTo(1, -5, false));
    EXPECT_EQ(view.ScrollRow(1), 1);
    // A position that does not change moves no partner either.
    EXPECT_FALSE(view.ScrollTo(0, 81, true));
    EXPECT_EQ(view.ScrollRow(1), 1);
    // A disabled bar stays at 1 and is followed by nothing.
    EXPECT_TRUE(view.ScrollColumns(0, 20, true));
    EXPECT_EQ(view.ScrollColumn(1), 1);
    EXPECT_FALSE(view.ScrollColumns(1, 5, true));
    EXPECT_EQ(view.ScrollColumn(0), 20);
    view.ScrollToStart();
    EXPECT_EQ(view.ScrollRow(0), 1);
    EXPECT_EQ(view.ScrollColumn(0), 1);
}

TEST(ComparisonView, NewRangesBringThePositionsWithinThem) {
    ComparisonView view;
    view.SetRanges({Bars(81, 29), Bars(81, 29)}, 2);
    view.ScrollTo(0, 70, true);
    view.ScrollColumns(0, 25, true);
    // A taller pane: a smaller maximum; lines that now fit: the first column.
    view.SetRanges({Bars(50, 0), Bars(81, 29)}, 2);
    EXPECT_EQ(view.ScrollRow(0), 50);
    EXPECT_EQ(view.ScrollColumn(0), 1);
    EXPECT_EQ(view.ScrollRow(1), 70);
    EXPECT_EQ(view.ScrollColumn(1), 25);
    // The combined view shows one pane: File 2's bars are disabled whatever the ranges say.
    view.SetRanges({Bars(90, 40), Bars(81, 29)}, 1);
    EXPECT_FALSE(view.Scroll(1).VEnabled);
    EXPECT_FALSE(view.Scroll(1).HEnabled);
    EXPECT_EQ(view.ScrollRow(1), 1);
    EXPECT_EQ(view.ScrollRow(0), 50);
    EXPECT_FALSE(view.ScrollTo(1, 10, false));
    EXPECT_TRUE(view.ScrollTo(0, 10, true));
    EXPECT_EQ(view.ScrollRow(1), 1);
}

TEST(ComparisonView, TheHighlightIsSetByTheSearchesAndClearedByTheDrawing) {
    ComparisonView view;
    view.Highlight(7, true);  // the combined view has one pane
    EXPECT_EQ(view.HiLiteLine(0), 7);
    EXPECT_EQ(view.HiLiteLine(1), -1);
    view.Highlight(9, false);
    EXPECT_EQ(view.HiLiteLine(1), 9);
    // A two-pane drawing that scrolled the row away clears it to 0; the rows drawn are kept.
    view.Drew(1, {20, 40}, 0);
    EXPECT_EQ(view.HiLiteLine(1), 0);
    EXPECT_EQ(view.Drawn(1).Top, 20);
    EXPECT_EQ(view.BottomLine(1), 40);
    view.ClearHighlight();
    EXPECT_EQ(view.HiLiteLine(0), -1);
}

TEST(ComparisonView, TheFindBarSearchesOnFromThePlaceItFoundWhileThatStaysHighlighted) {
    ComparisonView view;
    view.ShowProc(2);
    view.Drew(0, {5, 25}, -1);
    // Nothing highlighted: forward from before the top row drawn (after File 2's pane, so File
    // 1's pane of that row comes next), backward from after the bottom row.
    EXPECT_EQ(view.TextSearchStart(3, 1, false), (SearchPlace{3, 4, 1}));
    EXPECT_EQ(view.TextSearchStart(3, -1, false), (SearchPlace{3, 26, 0}));
    EXPECT_EQ(view.TextSearchStart(3, 1, true), (SearchPlace{3, 4, 0}));
    view.Found({3, 12, 1}, false);
    EXPECT_EQ(view.HiLiteLine(0), 12);
    EXPECT_EQ(view.TextSearchStart(3, -1, false), (SearchPlace{3, 12, 1}));
    // Another entry of the list, another view, or a highlight the block search moved: from the
    // highlighted row.
    EXPECT_EQ(view.TextSearchStart(4, 1, false), (SearchPlace{4, 12, 1}));
    EXPECT_EQ(view.TextSearchStart(3, 1, true), (SearchPlace{3, 12, 0}));
    view.Highlight(15, false);
    EXPECT_EQ(view.TextSearchStart(3, 1, false), (SearchPlace{3, 15, 1}));
}

TEST(ComparisonView, TheSelectionStaysInOnePane) {
    ComparisonView view;
    view.ShowProc(2);
    view.Drew(0, {10, 30}, -1);
    view.Drew(1, {10, 30}, -1);
    view.PressRow(0, 12, false);
    view.DragToRow(1, 20);  // a drag in the other pane moves nothing
    EXPECT_EQ(view.Selection().Last(), 12);
    view.DragToRow(0, 15);
    EXPECT_EQ(view.Selection().First(), 12);
    EXPECT_EQ(view.Selection().Last(), 15);
    // Outside the extend mode the arrows stretch nothing.
    view.ExtendSelection(1, 40);
    EXPECT_EQ(view.Selection().Last(), 15);
    view.SelectAll(1, 40);
    EXPECT_TRUE(view.Selection().Holds(1, 40));
    EXPECT_FALSE(view.Selection().Holds(0, 1));
    view.SelectAll(0, 0);  // a procedure without rows selects nothing
    EXPECT_FALSE(view.Selection().Active());
}

TEST(ComparisonView, TheExtendModeLastsWhileItsSelectionDoes) {
    ComparisonView view;
    view.ShowProc(2);
    EXPECT_FALSE(view.StartExtending(0));  // no rows drawn yet: nothing to select
    EXPECT_EQ(view.ExtendingPane(), -1);
    view.Drew(0, {10, 30}, -1);
    view.Drew(1, {10, 30}, -1);
    view.Highlight(25, false);
    // F8 starts at the pane's top row, whatever is highlighted or selected.
    view.PressRow(1, 20, false);
    ASSERT_TRUE(view.StartExtending(1));
    EXPECT_EQ(view.ExtendingPane(), 1);
    EXPECT_EQ(view.Selection().Pane, 1);
    EXPECT_EQ(view.Selection().First(), 10);
    EXPECT_EQ(view.Selection().Last(), 10);
    view.ExtendSelection(1, 40);
    view.ExtendSelection(1, 40);
    EXPECT_EQ(view.Selection().Last(), 12);
    // A press in the same pane keeps the mode; the selection in the other pane ends it.
    view.PressRow(1, 14, true);
    EXPECT_EQ(view.ExtendingPane(), 1);
    view.SelectAll(0, 40);
    EXPECT_EQ(view.ExtendingPane(), -1);
    EXPECT_TRUE(view.Selection().Holds(0, 40));
    // Ending the mode leaves the selection; clearing it, or a new procedure, ends the mode.
    ASSERT_TRUE(view.StartExtending(0));
    view.EndExtending();
    EXPECT_EQ(view.ExtendingPane(), -1);
    EXPECT_TRUE(view.Selection().Holds(0, 10));
    ASSERT_TRUE(view.StartExtending(0));
    view.ClearSelection();
    EXPECT_EQ(view.ExtendingPane(), -1);
    ASSERT_TRUE(view.StartExtending(0));
    view.ShowProc(3);
    EXPECT_EQ(view.ExtendingPane(), -1);
    EXPECT_FALSE(view.Selection().Active());
}

TEST(ComparisonView, TheTextFoundIsMarkedInItsPaneWhileItsRowIsHighlightedAndDrawn) {
    ComparisonView view;
    view.ShowProc(2);
    view.Drew(0, {40, 60}, -1);
    view.Drew(1, {40, 60}, -1);
    view.Found({1, 45, 1}, false, {4, 5});
    EXPECT_FALSE(view.ShownFoundText(0, false));  // the other pane's line did not hold it
    EXPECT_FALSE(view.ShownFoundText(1, true));   // nor does another view show it
    const auto found = view.ShownFoundText(1, false);
    ASSERT_TRUE(found);
    EXPECT_EQ(found->Place, (SearchPlace{1, 45, 1}));
    EXPECT_EQ(found->Columns, (FoundColumns{4, 5}));
    // Scrolled out of the rows drawn, or a highlight that moved on: no mark.
    view.Drew(1, {50, 70}, 0);
    EXPECT_FALSE(view.ShownFoundText(1, false));
    view.Drew(1, {40, 60}, 0);
    EXPECT_FALSE(view.ShownFoundText(1, false));  // the drawing cleared the highlight
    view.Found({1, 45, 1}, false, {4, 5});
    view.Highlight(50, false);
    EXPECT_FALSE(view.ShownFoundText(1, false));
    // In the combined view the one pane shows it.
    view.Found({1, 42, 0}, true, {0, 2});
    EXPECT_TRUE(view.ShownFoundText(0, true));
    view.ShowProc(3);
    EXPECT_FALSE(view.ShownFoundText(0, true));
}

}  // namespace
}  // namespace dualis
