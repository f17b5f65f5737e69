// The within-line comparison: what it marks in real VB changes, under the comparison options,
// and the combined view's pairing of deleted and added lines.
#include <gtest/gtest.h>

#include <random>

#include "InlineDiff.h"
#include "VbTokens.h"

namespace dualis {
namespace {

// The line with each changed part in brackets; ASCII lines only, so characters are bytes.
std::string Marked(std::string_view line, const std::vector<CharRange>& ranges) {
    std::string out;
    int32_t at = 0;
    for (const CharRange& r : ranges) {
        out.append(line.substr(at, r.Begin - at)).append("[");
        out.append(line.substr(r.Begin, r.End - r.Begin)).append("]");
        at = r.End;
    }
    return out.append(line.substr(at));
}

std::array<std::string, 2> Compare(std::string_view a, std::string_view b,
                                   const CompareOptions& o = {}) {
    const LineChanges c = CompareWithinLines({a, b}, o);
    return {Marked(a, c.Ranges[0]), Marked(b, c.Ranges[1])};
}

using Pair = std::array<std::string, 2>;

TEST(InlineDiff, RealChangesMarkWholeWords) {
    EXPECT_EQ(Compare("Dim S, I As Long", "Dim S() As String, I As Long"),
              (Pair{"Dim S, I As Long", "Dim S[() As String], I As Long"}));
    EXPECT_EQ(Compare("Call Post(Order, Qty)", "Call Post(Order, Qty, True)"),
              (Pair{"Call Post(Order, Qty)", "Call Post(Order, Qty[, True])"}));
    EXPECT_EQ(Compare("x = Total + Tax", "x = Total - Discount"),
              (Pair{"x = Total [+ Tax]", "x = Total [- Discount]"}));
}

TEST(InlineDiff, StringsAndCommentsAreComparedWordByWord) {
    EXPECT_EQ(Compare("MsgBox \"Order saved\", vbOKOnly", "MsgBox \"Order not saved\", vbOKOnly"),
              (Pair{"MsgBox \"Order saved\", vbOKOnly", "MsgBox \"Order [not] saved\", vbOKOnly"}));
    // A quote doubled inside a literal is text, not its end.
    EXPECT_EQ(Compare("s = \"say \"\"hi\"\"\" ' greet", "s = \"say \"\"ho\"\"\" ' greet"),
              (Pair{"s = \"say \"\"[hi]\"\"\" ' greet", "s = \"say \"\"[ho]\"\"\" ' greet"}));
    EXPECT_EQ(Compare("x = 1 ' old rate", "x = 1 Rem new rate"),
              (Pair{"x = 1 [' old] rate", "x = 1 [Rem new] rate"}));
}

TEST(InlineDiff, ARewrittenLineIsMarkedWhole) {
    EXPECT_EQ(Compare("  x = Foo(a)", "  Call Bar(y, z)  "),
              (Pair{"  [x = Foo(a)]", "  [Call Bar(y, z)]  "}));
    EXPECT_EQ(Compare("", "Exit Sub"), (Pair{"", "[Exit Sub]"}));
}

TEST(InlineDiff, CaseIsAChangeUnlessIgnored) {
    EXPECT_EQ(Compare("If Done Then Exit Sub", "IF Done THEN Exit Sub"),
              (Pair{"[If] Done [Then] Exit Sub", "[IF] Done [THEN] Exit Sub"}));
    CompareOptions o;
    o.IgnoreCase = true;
    EXPECT_EQ(Compare("If Done Then Exit Sub", "IF Done THEN Exit Sub", o),
              (Pair{"If Done Then Exit Sub", "IF Done THEN Exit Sub"}));
    // Latin letters beyond ASCII follow the comparison's lower-casing; ranges count characters.
    const LineChanges c = CompareWithinLines({"É = 1", "é = 2"}, o);
    EXPECT_EQ(c.Ranges[0], (std::vector<CharRange>{{4, 5}}));
    EXPECT_EQ(c.Ranges[1], (std::vector<CharRange>{{4, 5}}));
}

TEST(InlineDiff, BlanksAreAChangeUnlessIgnored) {
    EXPECT_EQ(Compare("x = 1", "x  =  1"), (Pair{"x[ ]=[ ]1", "x[  ]=[  ]1"}));
    CompareOptions o;
    o.IgnoreEmbeddedBlanks = true;
    EXPECT_EQ(Compare("x = 1", "x  =  1", o), (Pair{"x = 1", "x  =  1"}));
    // Collapsing runs of blanks does not make "x=1" equal to "x = 1".
    EXPECT_EQ(Compare("x=1 + y", "x = 1 + y", o)[1], "x[ ]=[ ]1 + y");

    EXPECT_EQ(Compare("    y = 2", "  y = 2 "), (Pair{"[    ]y = 2", "[  ]y = 2[ ]"}));
    o = {};
    o.IgnoreLeadingBlanks = o.IgnoreTrailingBlanks = true;
    EXPECT_EQ(Compare("    y = 2", "  y = 2 ", o), (Pair{"    y = 2", "  y = 2 "}));
}

TEST(InlineDiff, TabsCountAsBlanksOnlyWhenExpanded) {
    EXPECT_EQ(Compare("\tx = 1", "    x = 1"), (Pair{"[\t]x = 1", "[    ]x = 1"}));
    CompareOptions o;
    o.ExpandTabs = true;
    o.TabWidth = 4;
    EXPECT_EQ(Compare("\tx = 1", "    x = 1", o), (Pair{"\tx = 1", "    x = 1"}));
    o.TabWidth = 2;
    EXPECT_EQ(Compare("\tx = 1", "    x = 1", o)[0], "[\t]x = 1");
}

TEST(InlineDiff, AnIgnoredLineNumberIsNotMarked) {
    CompareOptions o;
    o.IgnoreLineNumbers = true;
    EXPECT_EQ(Compare("10 x = 1", "20 x = 2", o), (Pair{"10 x = [1]", "20 x = [2]"}));
    o.IgnoreLineNumbers = false;
    EXPECT_EQ(Compare("10 x = 1", "20 x = 2", o), (Pair{"[10] x = [1]", "[20] x = [2]"}));
}

TEST(InlineDiff, TokensSuitVb) {
    const std::string_view line = "If n% <= &HFF Then s$ = \"a\"\"b\" Rem done";
    std::vector<std::string_view> texts;
    for (const Token& t : TokenizeVbLine(line))
        texts.push_back(line.substr(t.Begin, t.End - t.Begin));
    EXPECT_EQ(texts, (std::vector<std::string_view>{"If",   " ", "n%", " ", "<=",  " ", "&HFF", " ",
                                                    "Then", " ", "s$", " ", "=",   " ", "\"",   "a",
                                                    "\"\"", "b", "\"", " ", "Rem", " ", "done"}));
}

// Whatever the edit script and its cleanup leave unmarked reads the same on both sides.
TEST(InlineDiff, UnmarkedTextIsTheSameOnBothSides) {
    std::mt19937 random(12);
    for (int round = 0; round < 300; ++round) {
        std::array<std::string, 2> lines;
        for (std::string& s : lines) {
            for (int n = random() % 12; n > 0; --n) {
                s += std::string(1, "abc"[random() % 3]) + ",";
            }
        }
        const LineChanges c = CompareWithinLines({lines[0], lines[1]}, {});
        std::array<std::string, 2> kept;
        for (int f = 0; f < 2; ++f) {
            int32_t at = 0;
            for (const CharRange& r : c.Ranges[f]) {
                kept[f] += lines[f].substr(at, r.Begin - at);
                at = r.End;
            }
            kept[f] += lines[f].substr(at);
        }
        if (c.Ranges[0].empty() && c.Ranges[1].empty()) {
            EXPECT_EQ(lines[0], lines[1]);
        }
        EXPECT_EQ(kept[0], kept[1]) << lines[0] << " | " << lines[1];
    }
}

TEST(InlineDiff, VeryLongLinesAreMarkedWhole) {
    std::string a, b;
    for (int i = 0; i < 1500; ++i) a += "a+", b += "b+";
    const LineChanges c = CompareWithinLines({a, b}, {});
    EXPECT_EQ(c.Ranges[0], (std::vector<CharRange>{{0, 3000}}));
}

// A call with `args` arguments a0, a1, ...; those whose index `renamed` picks are b0, b1, ...
std::string CallWith(int args, bool (*renamed)(int)) {
    std::string line = "Call Post(";
    for (int i = 0; i < args; ++i) {
        line += (i > 0 ? ", " : "") + std::string(renamed(i) ? "b" : "a") + std::to_string(i);
    }
    return line + ")";
}

// The search's work, not only the lines' tokens and edits, decides when a pair is marked whole:
// these two pairs have the same 500 tokens; every second argument renamed is 170 edits, well
// under the edit limit, but a search far costlier than printing the lines.
TEST(InlineDiff, APairTooCostlyToSearchIsMarkedWhole) {
    const std::string a = CallWith(170, [](int) { return false; });
    const std::string costly = CallWith(170, [](int i) { return i % 2 == 1; });
    const std::string cheap = CallWith(170, [](int i) { return i == 3 || i == 150; });
    ASSERT_LT(TokenizeVbLine(a).size(), static_cast<size_t>(MaxInlineTokens));

    const LineChanges whole = CompareWithinLines({a, costly}, {});
    EXPECT_EQ(whole.Ranges[0], (std::vector<CharRange>{{0, static_cast<int32_t>(a.size())}}));
    EXPECT_EQ(whole.Ranges[1], (std::vector<CharRange>{{0, static_cast<int32_t>(costly.size())}}));

    const LineChanges words = CompareWithinLines({a, cheap}, {});
    ASSERT_EQ(words.Ranges[1].size(), 2u);
    EXPECT_EQ(
        cheap.substr(words.Ranges[1][0].Begin, words.Ranges[1][0].End - words.Ranges[1][0].Begin),
        "b3");
}

// Only the first MaxInlineTokens + 1 tokens of a longer line are looked at, however long it is;
// its mark still runs to its last non-blank character and leaves out an ignored line number.
TEST(InlineDiff, ALineOfTooManyTokensIsMarkedWholeFromItsStart) {
    EXPECT_EQ(TokenizeVbLine("a = b + c", 3).size(), 3u);
    std::string a = "10 x =", b = "10 x =";
    for (int i = 0; i < 3000; ++i) a += " a", b += " b";
    a += "  ";
    CompareOptions o;
    o.IgnoreLineNumbers = true;
    const LineChanges c = CompareWithinLines({a, b}, o);
    EXPECT_EQ(c.Ranges[0], (std::vector<CharRange>{{3, static_cast<int32_t>(a.size()) - 2}}));
    EXPECT_EQ(c.Ranges[1], (std::vector<CharRange>{{3, static_cast<int32_t>(b.size())}}));

    // A line number longer than the tokens looked at: the mark starts after it, or there is
    // none when the line is nothing else.
    std::string label;
    for (int i = 0; i < 1500; ++i) label += "1:";
    const std::string labelled = label + " x = 1";
    EXPECT_EQ(CompareWithinLines({labelled, "x = 2"}, o).Ranges[0],
              (std::vector<CharRange>{{static_cast<int32_t>(label.size()) + 1,
                                       static_cast<int32_t>(labelled.size())}}));
    EXPECT_TRUE(CompareWithinLines({label, "x = 2"}, o).Ranges[0].empty());
}

TEST(CombinedPairing, KthDeletedFacesKthAddedWithinABlock) {
    using S = LineSymbol;
    const std::vector<CombinedRow> rows = {
        {1, S::Equal, 0}, {2, S::Deleted, 0}, {3, S::Ignored, 0}, {4, S::Deleted, 0},
        {2, S::Added, 1}, {3, S::Added, 1},   {4, S::Added, 1},   {5, S::Equal, 0},
        {6, S::Added, 1}, {8, S::Deleted, 0}, {7, S::Deleted, 0}, {7, S::Added, 1}};
    // Rows 8 and 9: an added line, then a deleted one of the next block, never paired; rows 10
    // and 11 are lines 7 of both files.
    EXPECT_EQ(PairCombinedRows(rows),
              (std::vector<int32_t>{-1, 4, -1, 5, 1, 3, -1, -1, -1, -1, 11, 10}));
}

}  // namespace
}  // namespace dualis
