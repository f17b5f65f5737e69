// The find bar's text search and its matching, without a display.
#include <gtest/gtest.h>

#include "TestSupport.h"
#include "TextSearch.h"

namespace dualis {
namespace {

// Records: 1 (General), 2 Sub A (changed), 3 Sub B (equal), 4 Sub C (a line added in File 2).
// Two-pane rows of A: 1 "Sub A()", 2 "Dim Total", 3 "Total = 1" | "Total = 2", 4 "End Sub".
// Rows of C: 1 "Sub C()", 2 "If x Then y = Dimension", 3 filler | "Log Total", 4 "End Sub".
ComparisonState ThreeSubs(const CompareOptions& options = {}) {
    const std::vector<std::string> one{"Option Explicit",
                                       "Sub A()",
                                       "  Dim Total As Long",
                                       "  Total = 1",
                                       "End Sub",
                                       "Sub B()",
                                       "  x = 1",
                                       "End Sub",
                                       "Sub C()",
                                       "  If x Then y = Dimension",
                                       "End Sub"};
    std::vector<std::string> two = one;
    two[3] = "  Total = 2";
    two.insert(two.begin() + 10, "  Log Total");
    return test::CompareTexts(test::Lines(one), test::Lines(two), options);
}

// A place as "procedure record:row:pane", so that a failure shows the walk.
std::string Name(const std::vector<ProcListEntry>& entries, const std::optional<SearchPlace>& at) {
    if (!at) return "none";
    return std::to_string(entries[static_cast<size_t>(at->Entry)].Proc) + ":" +
           std::to_string(at->Row) + ":" + std::to_string(at->Pane);
}

// Every place found by searching on from `from` until a place comes round again.
std::vector<std::string> Walk(const ComparisonState& state,
                              const std::vector<ProcListEntry>& entries, bool combined,
                              const TextQuery& query, SearchPlace from, int direction) {
    std::vector<std::string> names;
    for (int i = 0; i < 20; ++i) {
        const std::optional<SearchPlace> at =
            FindText(state, entries, combined, query, from, direction);
        const std::string name = Name(entries, at);
        if (!at || std::find(names.begin(), names.end(), name) != names.end()) break;
        names.push_back(name);
        from = *at;
    }
    return names;
}

TEST(TextSearch, GoesRowByRowThenOnThroughTheListAndRoundToTheStart) {
    const ComparisonState state = ThreeSubs();
    const auto entries = ProcListEntries(state, false);
    ASSERT_EQ(entries.size(), 4u);
    ASSERT_EQ(state.SeparateCount(4), 4);
    // From the top of Sub A: File 1 before File 2 in each row, then Sub C, then back to A.
    const std::vector<std::string> forward{"2:2:0", "2:2:1", "2:3:0", "2:3:1", "4:3:1"};
    EXPECT_EQ(Walk(state, entries, false, {"Total"}, {1, 0, 1}, 1), forward);
    // From the last procedure's last row the search goes round to the first procedure.
    EXPECT_EQ(Name(entries, FindText(state, entries, false, {"Total"}, {3, 5, 0}, 1)), "2:2:0");
    // Backward is the mirror image: up through the rows, Pane 2 before Pane 1, and round from
    // the first procedure to the last.
    EXPECT_EQ(Walk(state, entries, false, {"Total"}, {1, 3, 1}, -1),
              (std::vector<std::string>{"2:3:0", "2:2:1", "2:2:0", "4:3:1", "2:3:1"}));
    // A text found once only is found again from its own place, after the whole round.
    EXPECT_EQ(Name(entries, FindText(state, entries, false, {"Log"}, {3, 3, 1}, 1)), "4:3:1");
    EXPECT_EQ(Name(entries, FindText(state, entries, false, {"Log"}, {3, 3, 1}, -1)), "4:3:1");
}

TEST(TextSearch, FindsLinesOfEitherFileInEitherView) {
    const ComparisonState state = ThreeSubs();
    const auto entries = ProcListEntries(state, false);
    // Only File 2 has "Log": its pane, in the row whose File 1 pane is a filler.
    const auto twoPanes = FindText(state, entries, false, {"log total"}, {0, 0, 1}, 1);
    EXPECT_EQ(Name(entries, twoPanes), "4:3:1");
    ASSERT_EQ(state.SeparateDisplay.Row(4)[2].Pane[0].RawLine, 0);
    // The combined view has one pane; the row found shows File 2's line.
    const auto combined = FindText(state, entries, true, {"log total"}, {0, 0, 0}, 1);
    ASSERT_TRUE(combined);
    EXPECT_EQ(combined->Pane, 0);
    const CombinedRow& row = state.CombinedDisplay.Row(4)[static_cast<size_t>(combined->Row - 1)];
    EXPECT_EQ(row.Side, 1);
    EXPECT_EQ(state.RawStack[1].Text(row.RawLine), "  Log Total");
}

TEST(TextSearch, SearchesOnlyWhatTheListAndTheRowsShow) {
    const ComparisonState state = ThreeSubs();
    // Sub B is equal: left out of the list when only differences are shown, and not searched.
    EXPECT_EQ(Name(ProcListEntries(state, false),
                   FindText(state, ProcListEntries(state, false), false, {"x = 1"}, {0, 0, 1}, 1)),
              "3:2:0");
    EXPECT_FALSE(FindText(state, ProcListEntries(state, true), false, {"x = 1"}, {0, 0, 1}, 1));
    // Equal lines hidden behind a marker are not shown, so they are not found either.
    std::vector<std::string> one{"Sub A()", "  Hidden = 0"};
    for (int i = 1; i <= 10; ++i) one.push_back("  x = " + std::to_string(i));
    one.push_back("End Sub");
    std::vector<std::string> two = one;
    two[11] = "  x = 99";
    CompareOptions options;
    options.DifferencesOnly = true;
    options.DifferencesBefore = 1;
    options.DifferencesAfter = 1;
    const ComparisonState hiding = test::CompareTexts(test::Lines(one), test::Lines(two), options);
    const auto entries = ProcListEntries(hiding, true);
    ASSERT_EQ(hiding.SeparateDisplay.Row(entries.back().Proc)[0].Pane[0].Symbol,
              LineSymbol::HiddenMarker);
    EXPECT_FALSE(FindText(hiding, entries, false, {"Hidden"}, {0, 0, 1}, 1));
    EXPECT_TRUE(FindText(hiding, entries, false, {"x = 99"}, {0, 0, 1}, 1));
}

TEST(TextSearch, FindsNothingForATextNowhereShownOrAnEmptyOne) {
    const ComparisonState state = ThreeSubs();
    const auto entries = ProcListEntries(state, false);
    EXPECT_FALSE(FindText(state, entries, false, {"Nowhere"}, {2, 2, 0}, 1));
    EXPECT_FALSE(FindText(state, entries, true, {"Nowhere"}, {2, 2, 0}, -1));
    EXPECT_FALSE(FindText(state, entries, false, {""}, {0, 0, 1}, 1));
    EXPECT_FALSE(FindText(state, {}, false, {"Total"}, {0, 0, 1}, 1));
    // Case and word limits are the query's: no "total" with match case, no "Dim" word in C.
    EXPECT_FALSE(FindText(state, entries, false, {"total", true, false}, {0, 0, 1}, 1));
    EXPECT_EQ(Name(entries, FindText(state, entries, false, {"Dim", false, true}, {2, 2, 1}, 1)),
              "2:2:0");
}

TEST(TextMatcher, LetterCaseFollowsMatchCase) {
    EXPECT_TRUE(TextMatcher({"TOTAL"}).InLine("  Total = 1"));
    EXPECT_FALSE(TextMatcher({"TOTAL", true}).InLine("  Total = 1"));
    EXPECT_TRUE(TextMatcher({"Total", true}).InLine("  Total = 1"));
    // Latin letters fold as the comparison folds them; other characters keep their case.
    EXPECT_TRUE(TextMatcher({"CAFÉ ŒUVRE"}).InLine("' café œuvre"));
    EXPECT_FALSE(TextMatcher({"CAFÉ", true}).InLine("' café"));
    EXPECT_TRUE(TextMatcher({"Ÿ"}).InLine("ÿ"));
    EXPECT_FALSE(TextMatcher({"Ω"}).InLine("ω"));
}

TEST(TextMatcher, FindsWhereTheTextStandsInTheLine) {
    EXPECT_EQ(TextMatcher({"total", false, false}).Find("  x = Total"), size_t{6});
    EXPECT_EQ(TextMatcher({"total", true, false}).Find("  x = Total"), std::nullopt);
    // A text beyond ASCII is looked for in the lowered line, whose bytes stand where they did.
    EXPECT_EQ(TextMatcher({"\xC3\xA9t\xC3\xA9", false, false}).Find("' \xC3\x89T\xC3\x89"),
              size_t{2});
}

// A text found beyond the right edge of a pane is brought in with a quarter of the pane to its
// left; one already shown, or a bar that cannot move, leaves the pane where it is.
TEST(ScrollToColumns, BringsTheTextFoundIntoThePane) {
    EXPECT_EQ(ScrollToColumns(150, 6, 1, 80, 200), 131);
    EXPECT_EQ(ScrollToColumns(10, 6, 1, 80, 200), std::nullopt);
    EXPECT_EQ(ScrollToColumns(10, 6, 100, 80, 200), 1);   // left of the pane: back to the start
    EXPECT_EQ(ScrollToColumns(76, 6, 1, 80, 200), 57);    // only partly shown
    EXPECT_EQ(ScrollToColumns(390, 6, 1, 80, 200), 200);  // as far as the bar goes
    EXPECT_EQ(ScrollToColumns(150, 6, 1, 80, 1), std::nullopt);
}

TEST(FindColumns, MarkTheTextWhereThePaneShowsIt) {
    const ComparisonState state = ThreeSubs();
    Settings settings;
    settings.Symbols = true;
    settings.LineNumbers = false;
    // Row 3 of Sub A: "#   Total = 1"; the symbol, a blank, the line's own two blanks.
    EXPECT_EQ(FindColumns(state, settings, 2, false, 0, 3, {"Total"}), (FoundColumns{4, 5}));
    EXPECT_EQ(FindColumns(state, settings, 2, false, 1, 3, {"= 2"}), (FoundColumns{10, 3}));
    EXPECT_EQ(FindColumns(state, settings, 2, false, 0, 3, {"= 2"}), std::nullopt);
    // A filler row shows no line, so nothing in it is found.
    EXPECT_EQ(FindColumns(state, settings, 4, false, 0, 3, {"Log"}), std::nullopt);
    EXPECT_EQ(FindColumns(state, settings, 4, false, 1, 3, {"Log"}), (FoundColumns{4, 3}));
    // Line numbers stand before the line; without symbols the line starts further left.
    settings.LineNumbers = true;
    const std::string printed = PaneRowText(state, settings, 2, false, 0, 3);
    const auto numbered = FindColumns(state, settings, 2, false, 0, 3, {"Total"});
    ASSERT_TRUE(numbered);
    EXPECT_EQ(printed.substr(static_cast<size_t>(numbered->Column), 5), "Total");
    settings.Symbols = settings.LineNumbers = false;
    EXPECT_EQ(FindColumns(state, settings, 2, false, 0, 3, {"Total"}), (FoundColumns{3, 5}));
    // Past a tab the text stands where the pane draws it, the tab's stop counted from the code
    // and not from the symbol; a character beyond ASCII takes one column.
    settings.Symbols = true;
    const std::string one = test::Lines(
        {"Option Explicit", "Sub T()", "\tx = \"\xC3\xA9t\xC3\xA9\" & Tail", "End Sub"});
    const ComparisonState tabbed = test::CompareTexts(one, one);
    const PrintedRow row = PrintRow(tabbed, settings, 2, false, 0, 2);
    ASSERT_EQ(row.CodeStart, 2);  // "= " before the line
    const auto tail = FindColumns(tabbed, settings, 2, false, 0, 2, {"tail"});
    ASSERT_TRUE(tail);
    // The tab reaches column 2 + 8; "x = \"\xC3\xA9t\xC3\xA9\" & " takes 12 more.
    EXPECT_EQ(*tail, (FoundColumns{22, 4}));
    EXPECT_EQ(tail->Column, DisplayColumn(row.Text, row.Text.find("Tail"), 2));
    const auto accented = FindColumns(tabbed, settings, 2, false, 0, 2, {"\xC3\xA9t\xC3\xA9"});
    ASSERT_TRUE(accented);
    EXPECT_EQ(accented->Length, 3);
}

// A found row stands wholly inside the pane, whatever the pane's height and the place of the row:
// never the row the drawing cuts off at the pane's bottom edge.
TEST(ScrollToWholeRow, PutsTheRowFoundWhollyInsideThePane) {
    const int32_t rows = 60;
    for (const bool combined : {false, true}) {
        for (int32_t whole = 2; whole <= 12; ++whole) {
            // The page is what the scroll ranges count: in the two-pane views one row less than
            // fits, in the combined view every row that fits, rounded (so one more at times).
            for (const int32_t page : {whole - 1, whole, whole + (combined ? 1 : 0)}) {
                if (page < 1) continue;
                const int32_t scrollMax = rows - page + 1;
                for (int32_t row = 1; row <= rows; ++row) {
                    for (const int direction : {1, -1}) {
                        for (const int32_t from : {1, 20, scrollMax}) {
                            const LineWindow before = ChooseLineWindow(rows, page, from);
                            const auto value =
                                ScrollToWholeRow(row, direction, before, whole, scrollMax);
                            const LineWindow shown =
                                value ? ChooseLineWindow(rows, page, *value) : before;
                            const std::string at =
                                "row " + std::to_string(row) + " whole " + std::to_string(whole) +
                                " page " + std::to_string(page) + " from " + std::to_string(from);
                            ASSERT_GE(row, shown.Top) << at;
                            ASSERT_LE(row, std::min(shown.Bottom, shown.Top + whole - 1)) << at;
                            if (value) {
                                ASSERT_LE(*value, scrollMax) << at;
                            }
                        }
                    }
                }
            }
        }
    }
}

TEST(ScrollToWholeRow, ShowsTheRowSecondGoingForwardAndLastGoingBack) {
    // Ten whole rows, the drawing taking an eleventh in part.
    EXPECT_EQ(ScrollToWholeRow(45, 1, {1, 11}, 10, 91), 44);
    EXPECT_EQ(ScrollToWholeRow(45, -1, {60, 70}, 10, 91), 36);
    // The row the pane cuts off at its bottom is not in view: the pane moves.
    EXPECT_EQ(ScrollToWholeRow(11, 1, {1, 11}, 10, 91), 10);
    EXPECT_EQ(ScrollToWholeRow(11, -1, {1, 11}, 10, 91), 2);
    // A whole row already in view, or a bar that cannot move, leaves the pane where it is.
    EXPECT_EQ(ScrollToWholeRow(10, 1, {1, 11}, 10, 91), std::nullopt);
    EXPECT_EQ(ScrollToWholeRow(5, 1, {1, 5}, 10, 1), std::nullopt);
    EXPECT_EQ(ScrollToWholeRow(1, 1, {30, 40}, 10, 91), 1);
}

TEST(FoundMarkBox, CoversTheCharactersFoundInTheirRow) {
    EXPECT_EQ(FoundMarkBox(45, {4, 5}, {44, 60}, 16, 8.0), (MarkBox{32, 16, 40, 16}));
    EXPECT_EQ(FoundMarkBox(44, {0, 1}, {44, 60}, 16, 7.5), (MarkBox{0, 0, 8, 16}));
    EXPECT_EQ(FoundMarkBox(43, {4, 5}, {44, 60}, 16, 8.0), MarkBox{});  // not drawn
    EXPECT_EQ(FoundMarkBox(61, {4, 5}, {44, 60}, 16, 8.0), MarkBox{});
    EXPECT_EQ(FoundMarkBox(45, {4, 0}, {44, 60}, 16, 8.0), MarkBox{});
}

TEST(TextMatcher, AWholeWordIsNoPartOfALongerIdentifier) {
    const TextMatcher dim({"Dim", false, true});
    EXPECT_TRUE(dim.InLine("  Dim x"));
    EXPECT_FALSE(dim.InLine("  Dimension = 1"));
    EXPECT_FALSE(dim.InLine("  ReDim_x"));
    EXPECT_TRUE(dim.InLine("  Dimension = 1: Dim x"));  // a later occurrence stands alone
    EXPECT_EQ(dim.Find("  Dimension = 1: Dim x"), size_t{17});
    const TextMatcher i({"I", false, true});
    EXPECT_FALSE(i.InLine("  If x Then"));
    EXPECT_TRUE(i.InLine("  For i = 1 To 9"));
    EXPECT_FALSE(TextMatcher({"Total", false, true}).InLine("  Totalé = 1"));
    EXPECT_FALSE(TextMatcher({"x1", false, true}).InLine("  x12 = 0"));
    // Only a limit where the text itself is an identifier character is checked.
    EXPECT_TRUE(TextMatcher({"(x", false, true}).InLine("  f(x)"));
    EXPECT_FALSE(TextMatcher({"(x", false, true}).InLine("  f(xy)"));
}

TEST(TextMatcher, ARangeOfLinesMatchesOnlyWithinOneLine) {
    RawStore raw;
    raw.LoadUtf8("  x = 1\r\nEnd Sub\r\n\r\nDimension\r\nDim y\r\nCAFÉ\r\n");
    EXPECT_FALSE(TextMatcher({"1End"}).InLines(raw, 1, 6));  // across a line end
    EXPECT_TRUE(TextMatcher({"end sub"}).InLines(raw, 1, 6));
    EXPECT_FALSE(TextMatcher({"end sub"}).InLines(raw, 3, 6));
    const TextMatcher dim({"Dim", false, true});
    EXPECT_FALSE(dim.InLines(raw, 1, 4));
    EXPECT_TRUE(dim.InLines(raw, 4, 5));  // after a line that only looked like a match
    EXPECT_TRUE(TextMatcher({"café"}).InLines(raw, 5, 6));
    EXPECT_FALSE(TextMatcher({"café", true}).InLines(raw, 1, 6));
    EXPECT_FALSE(TextMatcher({"x"}).InLines(raw, 4, 3));  // an empty range
}

TEST(TextMatcher, EveryLengthOfTextAgreesWithAPlainSearch) {
    // Short texts take memchr, longer ones Horspool's skips, non-ASCII ones their ASCII run.
    const std::vector<std::string> lines{
        "  X = 1", "End Sub", "", "xx", "  s = \"Ÿ café\" & x1 ' ÉTÉ", "Dim ÿ As Long", "é"};
    std::string file;
    for (const std::string& line : lines) file += line + "\r\n";
    RawStore raw;
    raw.LoadUtf8(file);
    ASSERT_EQ(raw.Count(), 7);
    for (const char* text :
         {"x",   "X",     "1",   "e",    "é",          "É",   "xx",   "x1",    "1E",  "ub",
          "Sub", "End S", "ÿ a", "CAFÉ", "café\" & X", "été", "Long", "ong\r", "ÉTÉ", "&"}) {
        for (const bool matchCase : {false, true}) {
            const TextMatcher matcher({text, matchCase});
            const std::string needle = matchCase ? text : LowerCase(text);
            bool any = false;
            for (int32_t j = 1; j <= raw.Count(); ++j) {
                const std::string line(raw.Text(j));
                const bool holds =
                    (matchCase ? line : LowerCase(line)).find(needle) != std::string::npos;
                EXPECT_EQ(matcher.InLine(line), holds) << text << " in " << line;
                any = any || holds;
            }
            EXPECT_EQ(matcher.InLines(raw, 1, raw.Count()), any) << text << " " << matchCase;
        }
    }
}

}  // namespace
}  // namespace dualis
