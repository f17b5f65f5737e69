// What a row is to the comparison, wherever the rows are shown: a line only File 1 has reads as
// deleted and one only File 2 has as added in every view, in the procedure map and in the rows
// copied as shown; a filler row is a filler, with no symbol and no text.
#include <gtest/gtest.h>

#include <algorithm>

#include "DisplayLines.h"
#include "ProcMap.h"
#include "RowKind.h"
#include "TestSupport.h"

namespace dualis {
namespace {

using S = LineSymbol;
using K = RowKind;

TEST(SeparateRowKind, ALineNothingFacesIsWhatItIsToFile2) {
    // Added in the two-pane arrays: a line of this pane with nothing facing it.
    EXPECT_EQ(SeparateRowKind(0, S::Added, 7), K::Deleted);
    EXPECT_EQ(SeparateRowKind(1, S::Added, 7), K::Added);
    // Deleted there: the row facing another file's line.
    EXPECT_EQ(SeparateRowKind(0, S::Deleted, 0), K::Filler);
    EXPECT_EQ(SeparateRowKind(1, S::Deleted, 0), K::Filler);
    // The other pane of a procedure only one file has holds Ignored rows without lines.
    EXPECT_EQ(SeparateRowKind(1, S::Ignored, 0), K::Filler);
    EXPECT_EQ(SeparateRowKind(1, S::Ignored, 3), K::Ignored);
    for (int pane : {0, 1}) {
        EXPECT_EQ(SeparateRowKind(pane, S::Equal, 3), K::Equal);
        EXPECT_EQ(SeparateRowKind(pane, S::Changed, 3), K::Changed);
        EXPECT_EQ(SeparateRowKind(pane, S::HiddenMarker, 0), K::Marker);
        EXPECT_EQ(SeparateRowKind(pane, static_cast<S>(9), 3), K::Unknown);
    }
    // The combined array says it already.
    EXPECT_EQ(CombinedRowKind(S::Deleted), K::Deleted);
    EXPECT_EQ(CombinedRowKind(S::Added), K::Added);
    EXPECT_EQ(KindSymbol(K::Deleted, false), "-");
    EXPECT_EQ(KindSymbol(K::Added, true), "+");
    EXPECT_EQ(KindSymbol(K::Filler, false), "");
    EXPECT_EQ(KindSymbol(K::Marker, false), std::string(255, '='));
}

// File 2 drops procedure Gone, drops "b = 2" from Kept and adds "d = 4" to it.
const std::string kOne =
    test::Lines({"Option Explicit", "Sub Gone()", "  g = 1", "End Sub", "Sub Kept()", "  a = 1",
                 "  b = 2", "  c = 3", "  e = 5", "  f = 6", "  g = 7", "End Sub"});
const std::string kTwo = test::Lines({"Option Explicit", "Sub Kept()", "  a = 1", "  c = 3",
                                      "  e = 5", "  f = 6", "  d = 4", "  g = 7", "End Sub"});

int32_t ProcNamed(const ComparisonState& state, const std::string& name) {
    for (int32_t p = 1; p <= state.ProcCount(); ++p) {
        if (state.ProcStack[p].TrueProcName == name) return p;
    }
    return 0;
}

Settings Shown() {
    Settings s;
    s.Symbols = true;
    s.LineNumbers = true;
    s.LineNumberByProc = false;
    s.BackColorAdded = 0x80FF80;
    s.BackColorDeleted = 0x8080FF;
    return s;
}

std::vector<std::string> Texts(const PanePicture& picture) {
    std::vector<std::string> texts;
    for (const PaneLine& line : picture.Lines) texts.push_back(line.Text);
    return texts;
}

struct Rows : testing::Test {
    ComparisonState state = test::CompareTexts(kOne, kTwo);
    Settings s = Shown();
    int32_t gone = ProcNamed(state, "Gone");
    int32_t kept = ProcNamed(state, "Kept");

    std::array<PanePicture, 2> Panes(int32_t proc) const {
        return {BothPanesPicture(state, s, proc, 0, 50, 1, -1),
                BothPanesPicture(state, s, proc, 1, 50, 1, -1)};
    }
};

TEST_F(Rows, AProcedureOnlyFile1HasIsDeletedFacingFillers) {
    ASSERT_GT(gone, 0);
    const auto panes = Panes(gone);
    EXPECT_EQ(Texts(panes[0]),
              (std::vector<std::string>{"- [2] Sub Gone()", "- [3]   g = 1", "- [4] End Sub"}));
    const LineColours filler = FillerColours(s);
    for (size_t row = 0; row < 3; ++row) {
        EXPECT_EQ(panes[0].Lines[row].Colours.Back, s.BackColorDeleted);
        EXPECT_FALSE(panes[0].Lines[row].Filler);
        const PaneLine& facing = panes[1].Lines[row];
        EXPECT_EQ(facing.Text, "");
        EXPECT_TRUE(facing.Filler);
        EXPECT_EQ(facing.Colours.Back, filler.Back);
        EXPECT_EQ(facing.Colours.Fore, filler.Fore);
    }
    const PanePicture combined = CombinedPicture(state, s, gone, 50, 1, -1);
    EXPECT_EQ(Texts(combined), Texts(panes[0]));
    for (const PaneLine& line : combined.Lines) EXPECT_EQ(line.Colours.Back, s.BackColorDeleted);
}

TEST_F(Rows, ARemovedLineIsDeletedAndAnAddedLineAddedInEveryView) {
    ASSERT_GT(kept, 0);
    const auto panes = Panes(kept);
    const std::vector<std::string> one = Texts(panes[0]);
    const std::vector<std::string> two = Texts(panes[1]);
    const auto b = std::find(one.begin(), one.end(), "- [ 7]   b = 2") - one.begin();
    const auto d = std::find(two.begin(), two.end(), "+ [ 7]   d = 4") - two.begin();
    ASSERT_LT(b, static_cast<long>(one.size()));
    ASSERT_LT(d, static_cast<long>(two.size()));
    EXPECT_EQ(panes[0].Lines[b].Colours.Back, s.BackColorDeleted);
    EXPECT_TRUE(panes[1].Lines[b].Filler);
    EXPECT_EQ(two[b], "");
    EXPECT_EQ(panes[1].Lines[d].Colours.Back, s.BackColorAdded);
    EXPECT_TRUE(panes[0].Lines[d].Filler);
    EXPECT_EQ(one[d], "");

    const PanePicture combined = CombinedPicture(state, s, kept, 50, 1, -1);
    for (const PaneLine& line : combined.Lines) {
        if (line.Text == "- [ 7]   b = 2") {
            EXPECT_EQ(line.Colours.Back, s.BackColorDeleted);
        } else if (line.Text == "+ [ 7]   d = 4") {
            EXPECT_EQ(line.Colours.Back, s.BackColorAdded);
        }
    }
    const std::vector<std::string> all = Texts(combined);
    EXPECT_EQ(std::count(all.begin(), all.end(), "- [ 7]   b = 2"), 1);
    EXPECT_EQ(std::count(all.begin(), all.end(), "+ [ 7]   d = 4"), 1);
}

TEST_F(Rows, BothPanesMapsMarkARowAsWhatItIsToTheComparison) {
    const int32_t rows = state.SeparateCount(kept);
    const auto panes = Panes(kept);
    // One bin a row: both maps are alike, whichever pane has the line.
    const std::vector<MapMark> left = ProcMapBins(state, kept, "V", 0, rows);
    EXPECT_EQ(left, ProcMapBins(state, kept, "V", 1, rows));
    for (int32_t row = 0; row < rows; ++row) {
        const std::string& text = panes[0].Lines[static_cast<size_t>(row)].Text;
        const std::string& other = panes[1].Lines[static_cast<size_t>(row)].Text;
        const MapMark expected = text.starts_with("-")    ? MapMark::Deleted
                                 : other.starts_with("+") ? MapMark::Added
                                                          : MapMark::None;
        EXPECT_EQ(left[static_cast<size_t>(row)], expected) << text << " | " << other;
    }
    EXPECT_EQ(ProcMapBins(state, gone, "H", 1, 3), std::vector<MapMark>(3, MapMark::Deleted));
}

TEST(FillerColours, AreAQuietShadeOfTheEqualRowsInAnyScheme) {
    Settings light;
    const LineColours onWhite = FillerColours(light);
    // A little darker than the white ground, the hatch darker still, both far from the text.
    EXPECT_LT(onWhite.Back & 0xFF, 0xFFu);
    EXPECT_GT(onWhite.Back & 0xFF, 0xE8u);
    EXPECT_LT(onWhite.Fore & 0xFF, onWhite.Back & 0xFF);
    EXPECT_GT(onWhite.Fore & 0xFF, 0xC0u);
    Settings dark;
    dark.BackColorEqual = 0x202020;
    dark.ForeColorEqual = 0xE0E0E0;
    const LineColours onBlack = FillerColours(dark);
    EXPECT_GT(onBlack.Back & 0xFF, 0x20u);
    EXPECT_GT(onBlack.Fore & 0xFF, onBlack.Back & 0xFF);
    EXPECT_LT(onBlack.Fore & 0xFF, 0x60u);
}

// A procedure of 120 lines whose lines 9, 10 and 100 are one tab and "x = 1", in both files.
std::string TabbedProcedure() {
    std::vector<std::string> lines{"Option Explicit", "Sub T()"};
    for (int line = 2; line < 120; ++line) {
        lines.push_back(line == 9 || line == 10 || line == 100 ? "\tx = 1"
                                                               : "  y = " + std::to_string(line));
    }
    lines.push_back("End Sub");
    return test::Lines(lines);
}

TEST(PrintRow, TabsCountFromTheCodeAndNumbersKeepItInOneColumn) {
    const ComparisonState state = test::CompareTexts(TabbedProcedure(), TabbedProcedure());
    const int32_t t = ProcNamed(state, "T");
    ASSERT_GT(t, 0);
    Settings s = Shown();
    s.LineNumberByProc = true;
    for (bool combined : {false, true}) {
        std::vector<int32_t> xColumns;
        for (int32_t row : {9, 10, 100}) {
            const PrintedRow printed = PrintRow(state, s, t, combined, 0, row);
            ASSERT_EQ(printed.Text.substr(printed.CodeStart), "\tx = 1") << row;
            // The code starts after "= [  9] ", "= [ 10] " and "= [100] " alike.
            EXPECT_EQ(printed.CodeStart, 8);
            const size_t x = printed.Text.find('x');
            xColumns.push_back(DisplayColumn(printed.Text, x, printed.CodeStart));
        }
        // The tab takes the code to its first stop, eight columns in.
        EXPECT_EQ(xColumns, (std::vector<int32_t>{16, 16, 16}));
    }
    // Without numbers and symbols the code starts after one blank, its tab still eight wide.
    s.Symbols = s.LineNumbers = false;
    const PrintedRow plain = PrintRow(state, s, t, false, 1, 9);
    EXPECT_EQ(plain.CodeStart, 1);
    EXPECT_EQ(DisplayColumn(plain.Text, plain.Text.find('x'), plain.CodeStart), 9);
}

TEST(WidestLineColumns, TakesTabsToTheirStops) {
    const ComparisonState state = test::CompareTexts(test::Lines({"Sub T()", "\t\tx", "End Sub"}),
                                                     test::Lines({"Sub T()", "End Sub"}));
    EXPECT_EQ(WidestLineColumns(state, 0), 17);
    EXPECT_EQ(WidestLineColumns(state, 1), 7);  // "Sub T()", no tabs
}

}  // namespace
}  // namespace dualis
