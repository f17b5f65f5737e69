// Which rows a pane draws, how each row reads and which colours it takes.
#include <gtest/gtest.h>

#include "DisplayLines.h"
#include "RunTimeError.h"
#include "TestSupport.h"

namespace dualis {
namespace {

using test::Lines;

TEST(ChooseLineWindow, PagesThroughALongProcedure) {
    // 100 rows, 20 to a page: the bar runs from 1 to 81.
    EXPECT_EQ(ChooseLineWindow(100, 20, 50).Top, 50);
    EXPECT_EQ(ChooseLineWindow(100, 20, 50).Bottom, 70);  // 21 rows
    EXPECT_EQ(ChooseLineWindow(100, 20, 80).Top, 80);
    EXPECT_EQ(ChooseLineWindow(100, 20, 80).Bottom, 100);
    // The last value pulls the window back, two past the page: 82 to 100.
    EXPECT_EQ(ChooseLineWindow(100, 20, 81).Top, 82);
    EXPECT_EQ(ChooseLineWindow(100, 20, 81).Bottom, 100);
    EXPECT_EQ(ChooseLineWindow(100, 20, 0).Top, 1);  // a bar not yet set
}

TEST(ChooseLineWindow, AShortProcedureIsDrawnFromItsTopWhateverTheBarSays) {
    for (int32_t value : {0, 1, 7, 500}) {
        const LineWindow w = ChooseLineWindow(20, 20, value);
        EXPECT_EQ(w.Top, 1);
        EXPECT_EQ(w.Bottom, 20);
    }
}

TEST(RowText, PrefixesFollowTheSymbolAndNumberSettings) {
    Settings s;
    s.Symbols = true;
    s.LineNumbers = true;
    EXPECT_EQ(RowText("+", 12, 0, 2, "x = 1", s), "+ [12] x = 1");
    EXPECT_EQ(RowText("+", 12, 10, 2, "x = 1", s), "+ [ 2] x = 1");   // counted from the procedure
    EXPECT_EQ(RowText("+", 12, 0, 4, "x = 1", s), "+ [  12] x = 1");  // padded to the widest
    EXPECT_EQ(RowText("+", 0, 0, 2, "", s), "+");  // a row without a line has no number
    s.Symbols = false;
    EXPECT_EQ(RowText("+", 12, 0, 2, "x = 1", s), " [12] x = 1");
    s.LineNumbers = false;
    EXPECT_EQ(RowText("+", 12, 0, 2, "x = 1", s), " x = 1");
    EXPECT_EQ(RowText(TwoPaneSymbol(LineSymbol::HiddenMarker), 0, 0, 1, "", s), "");
    s.Symbols = true;
    EXPECT_EQ(RowText(TwoPaneSymbol(LineSymbol::HiddenMarker), 0, 0, 1, "", s),
              std::string(255, '='));
}

TEST(DisplayColumn, CountsCodePointsAndTakesTabsToTheirStopsFromTheCode) {
    EXPECT_EQ(DisplayColumn("= [3] x", 6), 6);
    EXPECT_EQ(DisplayColumn("ab\tc", 3), 8);
    EXPECT_EQ(DisplayColumn("\t\tc", 2), 16);
    EXPECT_EQ(DisplayColumn("\xC3\xA9\xC3\xA9x", 4), 2);  // two letters of two bytes
    EXPECT_EQ(DisplayColumn("abc", 99), 3);
    // The stops count from the code's first column, past a prefix of any length.
    EXPECT_EQ(DisplayColumn("= [3] \tx", 7, 6), 6 + 8);
    EXPECT_EQ(DisplayColumn("= [100] \tx", 9, 8), 8 + 8);
    EXPECT_EQ(DisplayColumn("= [3] ab\tx", 9, 6), 6 + 8);
    EXPECT_EQ(ColumnAfter(13, '\t', 6), 14);  // 7 columns into the code: the stop at 8
}

TEST(Symbols, TheCombinedViewMarksChangedLinesWithAPair) {
    EXPECT_EQ(TwoPaneSymbol(LineSymbol::Changed), "#");
    EXPECT_EQ(CombinedSymbol(LineSymbol::Changed), "<>");
    EXPECT_EQ(KindSymbol(RowKind::Changed, true), "<>");
    EXPECT_EQ(TwoPaneSymbol(static_cast<LineSymbol>(9)), "");
    Settings s;
    const LineColours unknown = KindColours(RowKind::Unknown, s, 0x123456);
    EXPECT_EQ(unknown.Back, 0xFFFFFFu);  // white, in the colour of the row before
    EXPECT_EQ(unknown.Fore, 0x123456u);
    EXPECT_EQ(KindColours(RowKind::Added, s, 0).Fore, s.ForeColorAdded);
}

// File 2 changes the second line of B, which starts at raw line 4 in both files.
const std::string kFile1 = Lines({"Option Explicit", "", "' B", "Sub B()", "  x = 1", "End Sub"});
const std::string kFile2 = Lines({"Option Explicit", "", "' B", "Sub B()", "  x = 2", "End Sub"});

int32_t ProcNamed(const ComparisonState& state, const std::string& name) {
    for (int32_t p = 1; p <= state.ProcCount(); ++p) {
        if (state.ProcStack[p].TrueProcName == name) return p;
    }
    return 0;
}

TEST(BothPanesPicture, DrawsEachSideWithNumbersFromTheProcedure) {
    const ComparisonState state = test::CompareTexts(kFile1, kFile2);
    const int32_t b = ProcNamed(state, "B");
    ASSERT_GT(b, 0);
    Settings s;
    s.Symbols = true;
    s.LineNumbers = true;
    s.LineNumberByProc = true;
    const int32_t first = state.ProcStack[b].FirstRaw[1];
    const PanePicture right = BothPanesPicture(state, s, b, 1, 20, 1, -1);
    ASSERT_FALSE(right.Lines.empty());
    EXPECT_EQ(right.Lines[0].Text, "= [1] " + std::string(state.RawStack[1].Text(first)));
    bool changed = false;
    for (const PaneLine& line : right.Lines) {
        if (line.Text == "# [" + std::to_string(5 - (first - 1)) + "]   x = 2") {
            changed = true;
            EXPECT_EQ(line.Colours.Back, s.BackColorChanged);
        }
    }
    EXPECT_TRUE(changed);
    EXPECT_EQ(right.HiLiteLine, 0);  // -1 lies outside every window
}

TEST(BothPanesPicture, TheHighlightTakesItsColoursAndIsDroppedOutOfView) {
    const ComparisonState state = test::CompareTexts(kFile1, kFile2);
    const int32_t b = ProcNamed(state, "B");
    Settings s;
    const PanePicture lit = BothPanesPicture(state, s, b, 0, 20, 1, 2);
    EXPECT_EQ(lit.HiLiteLine, 2);
    EXPECT_EQ(lit.Lines[1].Colours.Back, s.BackColorHiLite);
    EXPECT_EQ(lit.Lines[1].Colours.Fore, s.ForeColorHiLite);
    // A one-row page scrolled to row 3 no longer shows row 2, which loses its highlight.
    const PanePicture scrolled = BothPanesPicture(state, s, b, 0, 1, 3, 2);
    EXPECT_EQ(scrolled.Window.Top, 3);
    EXPECT_EQ(scrolled.HiLiteLine, 0);
    // The combined view keeps it for when the row comes back.
    EXPECT_EQ(CombinedPicture(state, s, b, 1, 3, 2).HiLiteLine, 2);
}

TEST(ChooseLineWindow, AOneRowPageStillShowsTheLastRow) {
    // The last page starts two past the page's length, which for a page of one row would lie
    // beyond the last row.
    const LineWindow last = ChooseLineWindow(3, 1, 3);
    EXPECT_EQ(last.Top, 3);
    EXPECT_EQ(last.Bottom, 3);
}

TEST(BothPanesPicture, AProcedureWithoutRowsDrawsNothing) {
    const ComparisonState state = test::CompareTexts(kFile1, kFile2);
    const Settings s;
    const PanePicture none = BothPanesPicture(state, s, 999, 0, 20, 1, -1);
    EXPECT_TRUE(none.Lines.empty());
}

// A changed line is listed as File 1's line taken out and File 2's put in.
TEST(CombinedPicture, InterleavesBothFilesWithTheirOwnNumbers) {
    const ComparisonState state = test::CompareTexts(kFile1, kFile2);
    const int32_t b = ProcNamed(state, "B");
    Settings s;
    s.LineNumbers = true;
    s.Symbols = true;
    std::vector<std::string> texts;
    for (const PaneLine& line : CombinedPicture(state, s, b, 50, 1, -1).Lines) {
        texts.push_back(line.Text);
    }
    EXPECT_NE(std::find(texts.begin(), texts.end(), "- [5]   x = 1"), texts.end());
    EXPECT_NE(std::find(texts.begin(), texts.end(), "+ [5]   x = 2"), texts.end());
}

TEST(CombinedPicture, AMarkerRowIsAFailedConsistencyCheck) {
    ComparisonState state = test::CompareTexts(kFile1, kFile2);
    state.CombinedDisplay.Clear();
    state.CombinedDisplay.Add({0, LineSymbol::HiddenMarker, 0});
    state.CombinedDisplay.EndProc();
    try {
        const Settings s;
        (void)CombinedPicture(state, s, 1, 20, 1, -1);
        FAIL() << "no error raised";
    } catch (const RunTimeError& e) {
        EXPECT_EQ(e.Place, "frmMain: ShowCombinedDisplayArray unexpected LineSymbol -2");
    }
}

// The parts of a row's text that are marked, as the code points they cover.
std::vector<std::u32string> Marked(const PaneLine& line) {
    std::u32string text;
    for (size_t i = 0; i < line.Text.size();) {
        const auto c = static_cast<unsigned char>(line.Text[i]);
        const int length = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
        char32_t point = length == 1 ? c : c & (0x3F >> (length - 1));
        for (int k = 1; k < length; ++k) point = point << 6 | (line.Text[i + k] & 0x3F);
        text += point;
        i += static_cast<size_t>(length);
    }
    std::vector<std::u32string> parts;
    for (const CharRange& r : line.Marks) parts.push_back(text.substr(r.Begin, r.End - r.Begin));
    return parts;
}

using Parts = std::vector<std::u32string>;

// In B, File 2 gives S a type and changes a value in a string with letters beyond ASCII.
const std::string kDim1 =
    Lines({"Sub B()", "  Dim S, I As Long", "  t = \"Grüße \" & x", "  y = 1", "End Sub"});
const std::string kDim2 = Lines(
    {"Sub B()", "  Dim S() As String, I As Long", "  t = \"Grüße \" & z", "  y = 1", "End Sub"});

TEST(MarkBothPanes, MarksWhatChangedWithinFacingLinesAfterTheRowPrefix) {
    const ComparisonState state = test::CompareTexts(kDim1, kDim2);
    Settings s;
    s.Symbols = s.LineNumbers = true;
    std::array<PanePicture, 2> pictures;
    for (int p = 0; p < 2; ++p) pictures[p] = BothPanesPicture(state, s, 1, p, 20, 1, -1);
    MarkBothPanes(state, s, 1, pictures);
    EXPECT_FALSE(pictures[0].UnderlineMarks);
    // Rows: the header, the Dim line, the string line, y = 1, End Sub.
    EXPECT_EQ(Marked(pictures[0].Lines[1]), Parts{});  // only File 2 adds something
    EXPECT_EQ(Marked(pictures[1].Lines[1]), Parts{U"() As String"});
    EXPECT_EQ(Marked(pictures[0].Lines[2]), Parts{U"x"});
    EXPECT_EQ(Marked(pictures[1].Lines[2]), Parts{U"z"});
    for (int row : {0, 3, 4}) EXPECT_TRUE(pictures[1].Lines[row].Marks.empty()) << row;
}

TEST(MarkBothPanes, PanesScrolledApartAreEachMarkedAndTheSettingTurnsItOff) {
    const ComparisonState state = test::CompareTexts(kDim1, kDim2);
    Settings s;
    s.Symbols = false;
    std::array<PanePicture, 2> pictures{BothPanesPicture(state, s, 1, 0, 1, 3, -1),
                                        BothPanesPicture(state, s, 1, 1, 1, 2, -1)};
    ASSERT_EQ(pictures[0].Window.Top, 3);
    ASSERT_EQ(pictures[1].Window.Top, 2);
    MarkBothPanes(state, s, 1, pictures);
    EXPECT_TRUE(pictures[1].UnderlineMarks);  // without symbols the marks are underlined
    EXPECT_EQ(Marked(pictures[0].Lines[0]), Parts{U"x"});
    EXPECT_EQ(Marked(pictures[1].Lines[0]), Parts{U"() As String"});
    EXPECT_EQ(Marked(pictures[1].Lines[1]), Parts{U"z"});

    s.HighlightInLine = false;
    for (int p = 0; p < 2; ++p) pictures[p] = BothPanesPicture(state, s, 1, p, 20, 1, -1);
    MarkBothPanes(state, s, 1, pictures);
    for (const PanePicture& picture : pictures) {
        for (const PaneLine& line : picture.Lines) EXPECT_TRUE(line.Marks.empty());
    }
}

TEST(MarkCombined, EachDeletedLineIsMarkedAgainstTheAddedLineItFaces) {
    const ComparisonState state = test::CompareTexts(kDim1, kDim2);
    Settings s;
    s.Symbols = true;
    const auto rows = state.CombinedDisplay.Row(1);
    const std::vector<int32_t> pairs = PairCombinedRows(rows);
    PanePicture whole = CombinedPicture(state, s, 1, 50, 1, -1);
    MarkCombined(state, s, 1, pairs, whole);
    std::vector<Parts> marked;
    for (const PaneLine& line : whole.Lines) {
        if (!line.Marks.empty()) marked.push_back(Marked(line));
    }
    EXPECT_EQ(marked, (std::vector<Parts>{{U"x"}, {U"() As String"}, {U"z"}}));

    // A window that shows only the added half of the block still marks it.
    const auto firstAdded = static_cast<int32_t>(
        std::find_if(rows.begin(), rows.end(),
                     [](const CombinedRow& r) { return r.Symbol == LineSymbol::Added; }) -
        rows.begin() + 1);
    PanePicture lower = CombinedPicture(state, s, 1, 1, firstAdded, -1);
    ASSERT_EQ(lower.Window.Top, firstAdded);
    MarkCombined(state, s, 1, pairs, lower);
    EXPECT_EQ(Marked(lower.Lines[0]), Parts{U"() As String"});
}

TEST(MarkBackColour, TakesTheBackAThirdOfTheWayToTheFore) {
    EXPECT_EQ(MarkBackColour({0x0000FF, 0xFFFFFF}), 0xAAAAFFu);  // red on white: a pink
    EXPECT_EQ(MarkBackColour({0xFFFFFF, 0x000000}), 0x555555u);  // white on black: a grey
}

}  // namespace
}  // namespace dualis
