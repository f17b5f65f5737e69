// Selecting rows in a pane and the text that copying them gives.
#include <gtest/gtest.h>

#include "Selection.h"
#include "TestSupport.h"

namespace dualis {
namespace {

int32_t ProcNamed(const ComparisonState& state, const std::string& name) {
    for (int32_t p = 1; p <= state.ProcCount(); ++p) {
        if (state.ProcStack[p].TrueProcName == name) return p;
    }
    return 0;
}

// File 1 ends its lines with CR LF and its last line with nothing; File 2 uses LF. File 2
// adds two lines and changes one, so File 1's pane has filler rows facing the added lines.
const std::string kFile1 = "Sub S()\r\n  a = 1\r\n  b = 2\r\n  c = 3\r\n  d = 4\r\nEnd Sub";
const std::string kFile2 =
    "Sub S()\n  a = 1\n  added 1\n  added 2\n  b = 2\n  c = 3\n  d = 40\nEnd Sub\n";

Settings SymbolsAndNumbers() {
    Settings s;
    s.Symbols = true;
    s.LineNumbers = true;
    s.LineNumberByProc = false;
    return s;
}

struct CopyCase : testing::Test {
    ComparisonState state = test::CompareTexts(kFile1, kFile2);
    int32_t proc = ProcNamed(state, "S");
    int32_t rows = state.SeparateCount(proc);

    std::string Copy(const RowSelection& selection, CopyForm form, bool combined = false,
                     const Settings& settings = SymbolsAndNumbers()) const {
        return SelectionText(state, settings, proc, combined, selection, form).Text;
    }
};

TEST_F(CopyCase, EveryRowOfAPaneGivesBackItsFilesLinesWithTheirOwnEnds) {
    ASSERT_GT(proc, 0);
    ASSERT_EQ(rows, 8);
    // Fillers are skipped; the last line of File 1 had no end and gets none.
    EXPECT_EQ(Copy(SelectAllRows(0, rows), CopyForm::Lines), kFile1);
    EXPECT_EQ(Copy(SelectAllRows(1, rows), CopyForm::Lines), kFile2);
    const CopiedText copied = SelectionText(state, SymbolsAndNumbers(), proc, false,
                                            SelectAllRows(0, rows), CopyForm::Lines);
    EXPECT_EQ(copied.Lines, 6);
}

TEST_F(CopyCase, ASelectionAcrossFillerRowsCopiesOnlyTheLinesShown) {
    // Rows 2 to 5 of File 1's pane: "a = 1", two fillers, "b = 2".
    const RowSelection selection{0, 5, 2};
    ASSERT_EQ(PaneRowSource(state, proc, false, 0, 3).RawLine, 0);
    EXPECT_EQ(Copy(selection, CopyForm::Lines), "  a = 1\r\n  b = 2\r\n");
    // As shown, every row is there, the fillers as the empty rows they are: no symbol, no text.
    EXPECT_EQ(Copy(selection, CopyForm::AsShown), "= [2]   a = 1\n\n\n= [3]   b = 2\n");
    // File 2's pane shows the lines File 1 lacks as added, and its changed line as changed.
    EXPECT_EQ(Copy({1, 2, 8}, CopyForm::AsShown),
              "= [2]   a = 1\n+ [3]   added 1\n+ [4]   added 2\n= [5]   b = 2\n= [6]   c = 3\n"
              "# [7]   d = 40\n= [8] End Sub\n");
    Settings plain = SymbolsAndNumbers();
    plain.Symbols = false;
    plain.LineNumbers = false;
    EXPECT_EQ(Copy(selection, CopyForm::AsShown, false, plain), "   a = 1\n\n\n   b = 2\n");
    // The same rows of File 2's pane hold lines only.
    EXPECT_EQ(Copy({1, 2, 5}, CopyForm::Lines), "  a = 1\n  added 1\n  added 2\n  b = 2\n");
}

TEST_F(CopyCase, FillersAloneAndRowsBeyondTheProcedureHoldNoLines) {
    EXPECT_TRUE(SelectionHasLines(state, proc, false, {0, 2, 3}));
    EXPECT_FALSE(SelectionHasLines(state, proc, false, {0, 3, 4}));  // two fillers
    EXPECT_TRUE(SelectionHasLines(state, proc, false, {1, 3, 4}));   // the lines they face
    EXPECT_EQ(Copy({0, 3, 4}, CopyForm::Lines), "");
    // A selection reaching past the procedure's rows copies those it has.
    EXPECT_FALSE(SelectionHasLines(state, proc, false, {0, rows + 1, rows + 9}));
    EXPECT_EQ(Copy({0, rows + 1, rows + 50}, CopyForm::AsShown), "");
    EXPECT_EQ(Copy({0, rows, rows + 50}, CopyForm::Lines), "End Sub");
    EXPECT_EQ(Copy(RowSelection{}, CopyForm::Lines), "");
}

TEST_F(CopyCase, TheCombinedViewCopiesEachRowsOwnFilesLine) {
    const int32_t combinedRows = state.CombinedCount(proc);
    const std::string lines = Copy(SelectAllRows(0, combinedRows), CopyForm::Lines, true);
    // File 1's lines end in CR LF, File 2's in LF, in the order the listing shows them.
    EXPECT_EQ(lines,
              "Sub S()\r\n  a = 1\r\n  added 1\n  added 2\n  b = 2\r\n  c = 3\r\n  d = 4\r\n"
              "  d = 40\nEnd Sub");
    EXPECT_EQ(Copy(SelectAllRows(0, combinedRows), CopyForm::AsShown, true),
              "= [1] Sub S()\n= [2]   a = 1\n+ [3]   added 1\n+ [4]   added 2\n= [3]   b = 2\n"
              "= [4]   c = 3\n- [5]   d = 4\n+ [7]   d = 40\n= [6] End Sub\n");
}

TEST(SelectionText, MarkersOfHiddenLinesAreNoLines) {
    CompareOptions options;
    options.DifferencesOnly = true;
    options.DifferencesBefore = 1;
    options.DifferencesAfter = 1;
    const std::string one = test::Lines({"Sub S()", "a", "b", "c", "d", "e", "End Sub"});
    const std::string two = test::Lines({"Sub S()", "a", "b", "c", "d", "E", "End Sub"});
    const ComparisonState state = test::CompareTexts(one, two, options);
    const int32_t proc = ProcNamed(state, "S");
    const int32_t rows = state.SeparateCount(proc);
    // The first row stands for "Sub S()" to "c", hidden.
    ASSERT_EQ(PaneRowSource(state, proc, false, 0, 1).Symbol, LineSymbol::HiddenMarker);
    Settings s = SymbolsAndNumbers();
    EXPECT_EQ(SelectionText(state, s, proc, false, SelectAllRows(0, rows), CopyForm::Lines).Text,
              "d\r\ne\r\nEnd Sub\r\n");
    const std::string shown =
        SelectionText(state, s, proc, false, {0, 1, 2}, CopyForm::AsShown).Text;
    EXPECT_EQ(shown, std::string(255, '=') + "\n= [5] d\n");
}

TEST(RowSelection, PressShiftPressAndDragStretchFromTheAnchorInOnePane) {
    RowSelection s = PressRow({}, 0, 5, false);
    EXPECT_EQ(s.First(), 5);
    EXPECT_EQ(s.Last(), 5);
    s = PressRow(s, 0, 9, true);
    EXPECT_EQ(s.First(), 5);
    EXPECT_EQ(s.Last(), 9);
    s = PressRow(s, 0, 2, true);  // across the anchor: 2 to 5, the anchor stays
    EXPECT_EQ(s.First(), 2);
    EXPECT_EQ(s.Last(), 5);
    EXPECT_TRUE(s.Holds(0, 3));
    EXPECT_FALSE(s.Holds(1, 3));
    // Shift in the other pane starts a selection there; the first pane's is gone.
    s = PressRow(s, 1, 8, true);
    EXPECT_EQ(s.Pane, 1);
    EXPECT_EQ(s.First(), 8);
    EXPECT_EQ(s.Last(), 8);
    EXPECT_EQ(DragToRow(s, 0, 2).Last(), 8);  // a drag in another pane moves nothing
    s = DragToRow(s, 1, 3);
    EXPECT_EQ(s.First(), 3);
    EXPECT_EQ(s.Last(), 8);
    EXPECT_FALSE(SelectAllRows(1, 0).Active());
}

TEST(RowSelection, TheExtendModesArrowsStretchRowByRowWithinTheProcedure) {
    RowSelection s = ExtendByRow({1, 4, 4}, 1, 1, 10);
    EXPECT_EQ(s.First(), 4);
    EXPECT_EQ(s.Last(), 5);
    s = ExtendByRow(s, 1, -1, 10);
    s = ExtendByRow(s, 1, -1, 10);  // back across the anchor
    EXPECT_EQ(s.First(), 3);
    EXPECT_EQ(s.Last(), 4);
    EXPECT_EQ(ExtendByRow({1, 9, 10}, 1, 1, 10).Last(), 10);  // no further than the last row
    EXPECT_EQ(ExtendByRow({1, 2, 1}, 1, -1, 10).First(), 1);
    // Nothing selected, or a selection in the other pane: nothing to stretch.
    EXPECT_FALSE(ExtendByRow({}, 1, 1, 10).Active());
    s = ExtendByRow({1, 2, 6}, 0, 1, 10);
    EXPECT_EQ(s.Pane, 1);
    EXPECT_EQ(s.Last(), 6);
    EXPECT_EQ(ExtendByRow({1, 1, 1}, 1, 1, 0).Last(), 1);  // a procedure without rows
}

TEST(RowSelection, PixelsMapToTheRowsDrawn) {
    const LineWindow window{50, 70};
    EXPECT_EQ(RowAtPixel(15, 16, window), 50);
    EXPECT_EQ(RowAtPixel(16, 16, window), 51);
    EXPECT_EQ(RowAtPixel(-40, 16, window), 50);          // above the pane: its top row
    EXPECT_EQ(RowAtPixel(5000, 16, window), 70);         // below the rows: the last one drawn
    EXPECT_EQ(RowAtPixel(10, 16, LineWindow{1, 0}), 0);  // nothing drawn
    EXPECT_EQ(EdgeScrollStep(-1, 300), -1);
    EXPECT_EQ(EdgeScrollStep(299, 300), 0);
    EXPECT_EQ(EdgeScrollStep(300, 300), 1);
}

TEST(RowSelection, TheBandFollowsTheRowsDrawn) {
    const RowSelection s{0, 55, 45};
    const PixelBand band = SelectedBand(s, 0, {50, 70}, 16);
    EXPECT_EQ(band.Top, 0);  // rows 45 to 49 are scrolled off the top
    EXPECT_EQ(band.Height, 6 * 16);
    const PixelBand later = SelectedBand(s, 0, {52, 72}, 16);
    EXPECT_EQ(later.Height, 4 * 16);
    EXPECT_EQ(SelectedBand(s, 0, {40, 60}, 16).Top, 5 * 16);
    EXPECT_EQ(SelectedBand(s, 0, {56, 76}, 16).Height, 0);
    EXPECT_EQ(SelectedBand(s, 1, {50, 70}, 16).Height, 0);  // the other pane
}

}  // namespace
}  // namespace dualis
