#include <gtest/gtest.h>

#include <algorithm>

#include "Pipeline.h"
#include "TestSupport.h"

namespace dualis {
namespace {

using test::Lines;
using S = LineSymbol;

// A separate row as "sym:line|sym:line" and a combined row as "side:sym:line", for
// readable expectations.
std::string Text(S s) {
    switch (s) {
        case S::HiddenMarker:
            return "~";
        case S::Equal:
            return "=";
        case S::Ignored:
            return "*";
        case S::Added:
            return "+";
        case S::Changed:
            return "#";
        case S::Deleted:
            return "-";
    }
    return "?";
}

std::vector<std::string> Separate(const ComparisonState& st, int32_t p) {
    std::vector<std::string> rows;
    for (const SeparateRow& r : st.SeparateDisplay.Row(p)) {
        rows.push_back(Text(r.Pane[0].Symbol) + std::to_string(r.Pane[0].RawLine) + "|" +
                       Text(r.Pane[1].Symbol) + std::to_string(r.Pane[1].RawLine));
    }
    return rows;
}

std::vector<std::string> Combined(const ComparisonState& st, int32_t p) {
    std::vector<std::string> rows;
    for (const CombinedRow& r : st.CombinedDisplay.Row(p)) {
        rows.push_back(std::to_string(r.Side + 1) + Text(r.Symbol) + std::to_string(r.RawLine));
    }
    return rows;
}

using Rows = std::vector<std::string>;

TEST(DisplayArrays, ChangedLinesFaceEachOther) {
    const auto st = test::CompareTexts(Lines({"A", "B", "C", "D"}), Lines({"A", "X", "Y", "D"}));
    EXPECT_EQ(Separate(st, 1), (Rows{"=1|=1", "#2|#2", "#3|#3", "=4|=4"}));
    EXPECT_EQ(Combined(st, 1), (Rows{"1=1", "1-2", "1-3", "2+2", "2+3", "1=4"}));
}

TEST(DisplayArrays, UnequalGapsArePaddedWithFillers) {
    const auto st = test::CompareTexts(Lines({"A", "B", "C", "D", "E"}), Lines({"A", "X", "E"}));
    EXPECT_EQ(Separate(st, 1), (Rows{"=1|=1", "#2|#2", "+3|-0", "+4|-0", "=5|=3"}));
    const auto inserted = test::CompareTexts(Lines({"A", "B"}), Lines({"A", "N", "B"}));
    EXPECT_EQ(Separate(inserted, 1), (Rows{"=1|=1", "-0|+2", "=2|=3"}));
}

TEST(DisplayArrays, IgnoredLinesShowAsIgnoredGapRows) {
    CompareOptions o;
    o.IgnoreBlankLines = true;
    const auto st = test::CompareTexts(Lines({"A", "", "B"}), Lines({"A", "", "B"}), o);
    EXPECT_EQ(Separate(st, 1), (Rows{"=1|=1", "*2|*2", "=3|=3"}));
    EXPECT_EQ(Combined(st, 1), (Rows{"1=1", "1*2", "2*2", "1=3"}));
    const auto one = test::CompareTexts(Lines({"A", "", "B"}), Lines({"A", "B"}), o);
    EXPECT_EQ(Separate(one, 1), (Rows{"=1|=1", "*2|-0", "=3|=2"}));
}

TEST(DisplayArrays, ProceduresOfOneFileOnly) {
    CompareOptions o;
    o.IgnoreBlankLines = true;
    const auto st = test::CompareTexts(Lines({"Sub A()", ""}), Lines({"Sub B()", "x"}), o);
    EXPECT_EQ(Separate(st, 1), (Rows{"+1|*0", "*2|*0"}));
    EXPECT_EQ(Combined(st, 1), (Rows{"1-1", "1-2"}));  // ignored lines are not told apart
    EXPECT_EQ(Separate(st, 2), (Rows{"*0|+1", "*0|+2"}));
    EXPECT_EQ(Combined(st, 2), (Rows{"2+1", "2+2"}));
}

std::vector<std::string> TwentyWithOneChange(bool second) {
    std::vector<std::string> lines;
    for (int k = 1; k <= 20; ++k) {
        std::string line = "L";
        line += std::to_string(k);
        lines.push_back(k == 10 && second ? "changed" : line);
    }
    return lines;
}

TEST(DisplayArrays, DifferencesOnlyKeepsContextAndMarksHiddenRuns) {
    CompareOptions o;
    o.DifferencesOnly = true;
    o.DifferencesBefore = 1;
    o.DifferencesAfter = 1;
    const auto st =
        test::CompareTexts(Lines(TwentyWithOneChange(false)), Lines(TwentyWithOneChange(true)), o);
    // One marker for lines 1 to 8; none for the run that reaches the end.
    EXPECT_EQ(Separate(st, 1), (Rows{"~0|~0", "=9|=9", "#10|#10", "=11|=11"}));
    EXPECT_EQ(Combined(st, 1), (Rows{"1-10", "2+10", "1=11"}));
}

TEST(DisplayArrays, HiddenRunsBeforeTrailingGapRowsGetAMarker) {
    CompareOptions o;
    o.DifferencesOnly = true;
    o.DifferencesBefore = 0;
    o.DifferencesAfter = 0;
    o.IgnoreBlankLines = true;
    // The trailing ignored line is placed by the sentinel's gap: a row follows the hidden run.
    const auto st = test::CompareTexts(Lines({"X", "A", "B", ""}), Lines({"Y", "A", "B", ""}), o);
    EXPECT_EQ(Separate(st, 1), (Rows{"#1|#1", "~0|~0", "*4|*4"}));
}

TEST(DisplayArrays, EachHiddenRunGetsItsOwnMarker) {
    CompareOptions o;
    o.DifferencesOnly = true;
    o.DifferencesBefore = 0;
    o.DifferencesAfter = 0;
    const auto st = test::CompareTexts(Lines({"A", "B", "X", "C", "D", "Y", "E"}),
                                       Lines({"A", "B", "P", "C", "D", "Q", "E"}), o);
    EXPECT_EQ(Separate(st, 1), (Rows{"~0|~0", "#3|#3", "~0|~0", "#6|#6"}));
}

TEST(DisplayArrays, IdenticalFilesUnderDifferencesOnly) {
    CompareOptions o;
    o.DifferencesOnly = true;
    o.IgnoreBlankLines = true;
    const std::string text = Lines({"A", "B", "", "C", "D", "E", "F", "G"});
    const auto st = test::CompareTexts(text, text, o);
    EXPECT_EQ(st.ProcStack[1].Status, ProcEqual);
    EXPECT_EQ(st.SeparateCount(1), 0);
    // The ignored lines count as differences for the combined context rule.
    EXPECT_EQ(Combined(st, 1), (Rows{"1*3", "2*3", "1=4", "1=5", "1=6"}));
}

TEST(DisplayArrays, TwoFilesWithoutCookedLinesHaveNoRows) {
    EXPECT_EQ(test::CompareTexts("", "").SeparateCount(1), 0);
    CompareOptions o;
    o.IgnoreComments = true;
    const auto st = test::CompareTexts(Lines({"' a"}), Lines({"' b", "' c"}), o);
    ASSERT_EQ(st.ProcCount(), 1);
    EXPECT_EQ(st.SeparateCount(1), 0);
    EXPECT_EQ(st.CombinedCount(1), 0);
}

// A comparison spared a view's rows builds them later as the full comparison would have, with
// the options it was made with, whatever the caller's options are by then.
TEST(DisplayArrays, RowsSparedAreBuiltOnDemandAsTheFullComparisonBuildsThem) {
    CompareOptions o;
    o.DifferencesOnly = true;
    o.DifferencesBefore = 1;
    o.DifferencesAfter = 1;
    const std::string one =
        Lines({"Sub A()", "x = 1", "y = 2", "z = 3", "End Sub", "Sub B()", "q", "End Sub",
               "Sub D()", "d", "End Sub"});
    const std::string two = Lines({"Sub A()", "x = 1", "y = 5", "z = 3", "End Sub", "Sub C()",
                                   "w", "End Sub", "Sub D()", "d", "End Sub"});
    const ComparisonState full = test::CompareTexts(one, two, o);
    ASSERT_TRUE(HasViewRows(full, DisplayView::Separate));
    ASSERT_TRUE(HasViewRows(full, DisplayView::Combined));

    for (const ComparisonUse use :
         {ComparisonUse::SeparateView, ComparisonUse::CombinedView, ComparisonUse::Report}) {
        SCOPED_TRACE(static_cast<int>(use));
        test::RecordingHost host;
        ComparisonState st;
        ASSERT_TRUE(CompareContents(st, o, host, {one, two}, CandidateSearch::Auto, {}, use));
        EXPECT_EQ(HasViewRows(st, DisplayView::Separate), use == ComparisonUse::SeparateView);
        EXPECT_EQ(HasViewRows(st, DisplayView::Combined), use == ComparisonUse::CombinedView);
        for (const DisplayView view : {DisplayView::Separate, DisplayView::Combined}) {
            EXPECT_TRUE(BuildViewRows(st, view, host));
            EXPECT_TRUE(HasViewRows(st, view));
        }
        EXPECT_EQ(host.BusyDepth, 0);
        EXPECT_TRUE(host.Messages.empty());
        ASSERT_EQ(st.ProcCount(), full.ProcCount());
        for (int32_t p = 1; p <= full.ProcCount(); ++p) {
            EXPECT_EQ(Separate(st, p), Separate(full, p)) << p;
            EXPECT_EQ(Combined(st, p), Combined(full, p)) << p;
        }
        // A second request keeps the rows in place.
        const SeparateRow* before = st.SeparateDisplay.Row(1).data();
        EXPECT_TRUE(BuildViewRows(st, DisplayView::Separate, host));
        EXPECT_EQ(st.SeparateDisplay.Row(1).data(), before);
    }
}

// A traced comparison builds every row, so that its trace does not depend on the view shown.
TEST(DisplayArrays, ATracedComparisonBuildsBothViews) {
    test::RecordingHost host;
    host.Trace = true;
    ComparisonState st;
    ASSERT_TRUE(CompareContents(st, {}, host, {Lines({"a", "b"}), Lines({"a", "c"})},
                                CandidateSearch::Auto, {}, ComparisonUse::SeparateView));
    EXPECT_TRUE(HasViewRows(st, DisplayView::Combined));
    EXPECT_NE(std::find(host.Log.begin(), host.Log.end(), "->mCompare: LoadCombinedDisplayArray"),
              host.Log.end());
}

}  // namespace
}  // namespace dualis
