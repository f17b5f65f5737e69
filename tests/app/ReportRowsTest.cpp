#include <gtest/gtest.h>

#include <algorithm>

#include "ReportRows.h"
#include "TestSupport.h"

namespace dualis {
namespace {

using test::Lines;

bool SameRow(const CombinedRow& a, const CombinedRow& b) {
    return a.RawLine == b.RawLine && a.Symbol == b.Symbol && a.Side == b.Side;
}

// The report lists exactly what the combined listing shows when no equal line is hidden,
// whether or not the comparison itself hid lines.
TEST(ReportRows, ListedRowsAreTheCombinedListingWithoutHiddenLines) {
    const std::vector<std::pair<std::string, std::string>> pairs = {
        {Lines({"Sub A()", "x = 1", "' note", "", "y = 2", "End Sub", "Sub Old()", "End Sub"}),
         Lines({"Sub A()", "x = 2", "y = 2", "", "' other", "z = 3", "End Sub", "Sub New()",
                "End Sub"})},
        {Lines({"A", "B", "C", "D", "E", "F", "G"}), Lines({"A", "X", "C", "D", "E", "Y", "G"})},
        {Lines({"Sub S()", "End Sub"}), Lines({"Sub S()", "End Sub"})},
        {"", Lines({"Sub T()", "End Sub"})},
        {"", ""}};
    for (const auto& [one, two] : pairs) {
        CompareOptions all;
        all.IgnoreComments = true;
        all.IgnoreBlankLines = true;
        CompareOptions hidden = all;
        hidden.DifferencesOnly = true;
        hidden.DifferencesBefore = 0;
        hidden.DifferencesAfter = 0;
        const auto full = test::CompareTexts(one, two, all);
        const auto cut = test::CompareTexts(one, two, hidden);
        ASSERT_EQ(cut.ProcCount(), full.ProcCount());
        for (int32_t p = 1; p <= full.ProcCount(); ++p) {
            const auto expected = full.CombinedDisplay.Row(p);
            const std::vector<CombinedRow> rows = ListedRows(cut, p);
            EXPECT_TRUE(
                std::equal(rows.begin(), rows.end(), expected.begin(), expected.end(), SameRow))
                << one << "|" << two << " procedure " << p;
        }
    }
}

TEST(ReportRows, ContextWindowsAroundDifferingRows) {
    using S = LineSymbol;
    const std::vector<CombinedRow> rows = {{1, S::Equal, 0},   {2, S::Ignored, 0}, {3, S::Equal, 0},
                                           {4, S::Deleted, 0}, {4, S::Added, 1},   {5, S::Equal, 0},
                                           {6, S::Ignored, 1}, {7, S::Equal, 0}};
    using Shown = std::vector<bool>;
    EXPECT_EQ(RowsNearDifferences(rows, 1, 1), (Shown{0, 0, 1, 1, 1, 1, 0, 0}));
    EXPECT_EQ(RowsNearDifferences(rows, 2, 0), (Shown{0, 1, 1, 1, 1, 0, 0, 0}));
    EXPECT_EQ(RowsNearDifferences(rows, -5, -1), (Shown{0, 0, 0, 1, 1, 0, 0, 0}));
    EXPECT_EQ(RowsNearDifferences(rows, 32767, 32767), Shown(8, true));
    // Without a differing row nothing is near one.
    EXPECT_EQ(RowsNearDifferences(std::span(rows).first(3), 3, 3), Shown(3, false));
}

TEST(ReportRows, TheLeftOutLineCountsWhatItStandsFor) {
    EXPECT_EQ(LeftOutText(1, 0), "... 1 equal line ...");
    EXPECT_EQ(LeftOutText(12, 0), "... 12 equal lines ...");
    EXPECT_EQ(LeftOutText(0, 2), "... 2 ignored lines ...");
    EXPECT_EQ(LeftOutText(4, 1), "... 4 equal and 1 ignored lines ...");
}

}  // namespace
}  // namespace dualis
