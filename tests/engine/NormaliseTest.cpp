#include <gtest/gtest.h>

#include "Pipeline.h"
#include "TestSupport.h"

namespace dualis {
namespace {

// The cooked text of a single line under the options, or "<left out>".
std::string Cook(const std::string& line, const CompareOptions& o) {
    const ComparisonState st = test::CompareTexts(line + "\r\n", "", o);
    if (st.RawStack[0].Ignored(1)) {
        EXPECT_EQ(st.CookedCount(0), 0);
        return "<left out>";
    }
    EXPECT_EQ(st.CookedCount(0), 1);
    const CookedLine c = st.Cooked(0, 1);
    EXPECT_EQ(c.RawLine, 1);
    EXPECT_EQ(c.Length, static_cast<int16_t>(CharCount(c.Text)));
    EXPECT_EQ(c.Hash, CharCodeSum(c.Text));
    return std::string(c.Text);
}

CompareOptions With(void (*set)(CompareOptions&)) {
    CompareOptions o;
    set(o);
    return o;
}

TEST(LoadCookedStack, AllOptionsOffKeepsEveryLineAsRead) {
    const ComparisonState st = test::CompareTexts(test::Lines({"  A\t", "", "' c"}), "");
    EXPECT_EQ(st.CookedCount(0), st.RawCount(0));
    EXPECT_EQ(st.Cooked(0, 1).Text, "  A\t");
    EXPECT_EQ(st.Cooked(0, 2).Length, 0);
    EXPECT_EQ(st.Cooked(0, 3).Text, "' c");
}

TEST(LoadCookedStack, BlankLines) {
    auto o = With([](CompareOptions& o) { o.IgnoreBlankLines = true; });
    EXPECT_EQ(Cook("", o), "<left out>");
    EXPECT_EQ(Cook("   ", o), "   ");  // blanks stay unless trimmed
    o.IgnoreTrailingBlanks = true;
    EXPECT_EQ(Cook("   ", o), "<left out>");
}

TEST(LoadCookedStack, EmbeddedBlanks) {
    auto o = With([](CompareOptions& o) { o.IgnoreEmbeddedBlanks = true; });
    EXPECT_EQ(Cook("    ", o), " ");
    EXPECT_EQ(Cook("  a   b  ", o), "  a b  ");
    EXPECT_EQ(Cook("a \t  b", o), "a \t b");
}

TEST(LoadCookedStack, Comments) {
    auto o = With([](CompareOptions& o) { o.IgnoreComments = true; });
    EXPECT_EQ(Cook("   ' note", o), "<left out>");
    EXPECT_EQ(Cook("// note", o), "<left out>");
    EXPECT_EQ(Cook("REM", o), "<left out>");
    EXPECT_EQ(Cook("rem note", o), "<left out>");
    EXPECT_EQ(Cook("x = 1 ' note", o), "x = 1 ' note");
    EXPECT_EQ(Cook("\t' tabbed", o), "\t' tabbed");
    EXPECT_EQ(Cook("", o), "");  // empty lines need IgnoreBlankLines
    o.ExpandTabs = true;
    EXPECT_EQ(Cook("\t' tabbed", o), "<left out>");
}

TEST(LoadCookedStack, LineNumbers) {
    auto o = With([](CompareOptions& o) { o.IgnoreLineNumbers = true; });
    EXPECT_EQ(Cook("100 x = 1", o), " x = 1");
    EXPECT_EQ(Cook("100", o), "");
    EXPECT_EQ(Cook("10:", o), "");
    EXPECT_EQ(Cook("10abc", o), "abc");
    EXPECT_EQ(Cook("x10", o), "x10");
    // Comments are recognised before numbers are removed.
    o.IgnoreComments = true;
    EXPECT_EQ(Cook("10 ' note", o), " ' note");
    o.IgnoreLeadingBlanks = true;
    EXPECT_EQ(Cook("100 x = 1", o), "x = 1");
    o.IgnoreBlankLines = true;
    EXPECT_EQ(Cook("20:", o), "<left out>");
}

TEST(LoadCookedStack, CaseAndTabs) {
    auto o = With([](CompareOptions& o) { o.IgnoreCase = true; });
    EXPECT_EQ(Cook("Dim ÉTÉ", o), "dim été");
    o = With([](CompareOptions& o) {
        o.ExpandTabs = true;
        o.TabWidth = 4;
    });
    EXPECT_EQ(Cook("a\tb\t", o), "a    b    ");
    o.TabWidth = 0;
    EXPECT_EQ(Cook("a\tb", o), "ab");
    // Tabs become blanks before the blank rules see them.
    o.TabWidth = 2;
    o.IgnoreLeadingBlanks = true;
    o.IgnoreEmbeddedBlanks = true;
    EXPECT_EQ(Cook("\tx\t\ty", o), "x y");
}

TEST(LoadCookedStack, ChangedLinesKeepTheirRawLineAndTheStoreStaysConsistent) {
    CompareOptions o;
    o.IgnoreLeadingBlanks = true;
    o.IgnoreBlankLines = true;
    const ComparisonState st = test::CompareTexts(test::Lines({"a", "", "  b", "c", ""}), "", o);
    ASSERT_EQ(st.CookedCount(0), 3);
    EXPECT_EQ(st.Cooked(0, 1).Text, "a");
    EXPECT_EQ(st.Cooked(0, 2).Text, "b");
    EXPECT_EQ(st.Cooked(0, 2).RawLine, 3);
    EXPECT_EQ(st.Cooked(0, 3).Text, "c");
    EXPECT_TRUE(st.RawStack[0].Ignored(2));
    EXPECT_TRUE(st.RawStack[0].Ignored(5));
    // Past the last cooked line a file reads as empty lines.
    EXPECT_EQ(st.Cooked(0, 4).Length, 0);
    EXPECT_EQ(st.Cooked(0, 4).Hash, 0);
}

TEST(LoadCookedStack, FileOfLeftOutLinesOnly) {
    CompareOptions o;
    o.IgnoreComments = true;
    o.IgnoreBlankLines = true;
    const ComparisonState st = test::CompareTexts(test::Lines({"' a", "", "Rem b"}), "", o);
    EXPECT_EQ(st.CookedCount(0), 0);
    for (int32_t j = 1; j <= 3; ++j) EXPECT_TRUE(st.RawStack[0].Ignored(j));
}

// Lines the caller leaves out (a document's save noise) are ignored as comments are: they keep
// their place and number, take no part in matching, and lines past the end are passed over.
TEST(LoadCookedStack, LinesTheCallerLeavesOutAreIgnoredInPlace) {
    const std::string a =
        test::Lines({"Attribute VB_Base = \"0{A}{B}\"", "Sub S()", "  x = 1", "End Sub"});
    const std::string b =
        test::Lines({"Attribute VB_Base = \"0{C}{D}\"", "Sub S()", "  x = 1", "End Sub"});
    ComparisonState state;
    test::RecordingHost host;
    ASSERT_TRUE(CompareContents(state, {}, host, {a, b}, CandidateSearch::Auto, {{{1, 9}, {1}}}));
    for (int f = 0; f < 2; ++f) {
        EXPECT_TRUE(state.RawStack[f].Ignored(1));
        EXPECT_FALSE(state.RawStack[f].Ignored(2));
        EXPECT_EQ(state.CookedCount(f), 3);
        EXPECT_EQ(state.Cooked(f, 1).RawLine, 2);
    }
    const ProcCounts counts = CountProcs(state);
    EXPECT_EQ(counts.Changed + counts.Added + counts.Deleted, 0);

    // Without the list the same pair differs.
    ComparisonState plain;
    ASSERT_TRUE(CompareContents(plain, {}, host, {a, b}));
    EXPECT_EQ(CountProcs(plain).Changed, 1);
}

}  // namespace
}  // namespace dualis
