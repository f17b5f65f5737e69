#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

#include "DirectionControls.h"
#include "Report.h"
#include "TestSupport.h"

namespace dualis {
namespace {

std::string ReportOf(const ComparisonState& st, const CompareOptions& o, bool colour = false) {
    char* buffer = nullptr;
    size_t size = 0;
    std::FILE* out = open_memstream(&buffer, &size);
    EXPECT_EQ(WriteReport(st, o, out, colour), "");
    std::fclose(out);
    std::string text(buffer, size);
    std::free(buffer);
    // The file names are temporary; keep what follows them.
    return text.substr(text.find("\n", text.find("File 2: ")) + 1);
}

TEST(Report, BlocksRowsAndCounts) {
    using test::Lines;
    const CompareOptions o;
    const auto st = test::CompareTexts(Lines({"Sub A()", "x = 1", "End Sub", "Sub Old()"}),
                                       Lines({"Sub A()", "x = 2", "End Sub", "Sub New()"}), o);
    EXPECT_EQ(ReportOf(st, o),
              "\n# A\n"
              "1 1 = Sub A()\n"
              "2   - x = 1\n"
              "  2 + x = 2\n"
              "3 3 = End Sub\n"
              "\n- Old\n"
              "4   - Sub Old()\n"
              "\n+ New\n"
              "  4 + Sub New()\n"
              "\nProcs: 0 equal, 1 changed, 1 added, 1 deleted\n");
}

// The report tells what the window draws: a line only File 1 has is "-", one only File 2 has
// "+", in a changed procedure as in one that only one file has.
TEST(Report, LinesOnlyFile1HasAreDeletedAndLinesOnlyFile2HasAdded) {
    using test::Lines;
    const CompareOptions o;
    const auto st = test::CompareTexts(
        Lines({"Sub Gone()", "End Sub", "Sub Kept()", "a", "b", "c", "e", "End Sub"}),
        Lines({"Sub Kept()", "a", "c", "e", "d", "End Sub"}), o);
    EXPECT_EQ(ReportOf(st, o),
              "\n- Gone\n"
              "1   - Sub Gone()\n"
              "2   - End Sub\n"
              "\n# Kept\n"
              "3 1 = Sub Kept()\n"
              "4 2 = a\n"
              "5   - b\n"
              "6 3 = c\n"
              "7 4 = e\n"
              "  5 + d\n"
              "8 6 = End Sub\n"
              "\nProcs: 0 equal, 1 changed, 0 added, 1 deleted\n");
}

TEST(Report, DifferencesOnlyLeavesEqualProceduresOutAndShowsControlsSafely) {
    using test::Lines;
    CompareOptions o;
    o.DifferencesOnly = true;
    const auto st = test::CompareTexts(Lines({"Sub A()", "Sub B()", "a\x1b[2Jb"}),
                                       Lines({"Sub A()", "Sub B()", "c"}), o);
    const std::string report = ReportOf(st, o);
    EXPECT_EQ(report.find("# A"), std::string::npos);
    EXPECT_NE(report.find("# B\n"), std::string::npos);
    EXPECT_NE(report.find("a\xE2\x90\x9B[2Jb"), std::string::npos);
    EXPECT_NE(report.find("Procs: 1 equal, 1 changed, 0 added, 0 deleted"), std::string::npos);
}

TEST(Report, CharactersThatTurnALineRoundAreNamed) {
    using test::Lines;
    const CompareOptions o;
    // Code that reads as a comment once the override turns it round, and a procedure whose name
    // holds an isolate.
    const std::string hidden = "x = 1 ' \xE2\x80\xAE\xE2\x81\xA6 admin check \xE2\x81\xA9";
    const auto st = test::CompareTexts(Lines({"Sub A\xD8\x9C()", hidden, "End Sub"}),
                                       Lines({"Sub A\xD8\x9C()", "x = 2", "End Sub"}), o);
    for (const bool colour : {false, true}) {
        const std::string report = ReportOf(st, o, colour);
        EXPECT_FALSE(HoldsDirectionControl(report)) << report;
        EXPECT_NE(report.find(" A<U+061C>"), std::string::npos) << report;
        EXPECT_NE(report.find("<U+202E><U+2066> admin check <U+2069>"), std::string::npos)
            << report;
    }
}

TEST(Report, DifferencesOnlyKeepsContextBeforeAndAfterEachDifference) {
    using test::Lines;
    const auto compare = [](int16_t before, int16_t after) {
        CompareOptions o;
        o.DifferencesOnly = true;
        o.DifferencesBefore = before;
        o.DifferencesAfter = after;
        const auto st = test::CompareTexts(
            Lines({"A", "B", "C", "D", "X", "E", "F", "G", "H", "I", "J", "K", "Q", "L", "M"}),
            Lines({"A", "B", "C", "D", "Y", "E", "F", "G", "H", "I", "J", "K", "R", "L", "M"}), o);
        const std::string report = ReportOf(st, o);
        // Past the options line and the block's header.
        return report.substr(report.find("(General)\n") + 10);
    };
    EXPECT_EQ(compare(1, 1),
              "      ... 3 equal lines ...\n"
              " 4  4 = D\n"
              " 5    - X\n"
              "    5 + Y\n"
              " 6  6 = E\n"
              "      ... 5 equal lines ...\n"
              "12 12 = K\n"
              "13    - Q\n"
              "   13 + R\n"
              "14 14 = L\n"
              "      ... 1 equal line ...\n"
              "\nProcs: 0 equal, 1 changed, 0 added, 0 deleted\n");
    EXPECT_EQ(compare(3, 0),
              "      ... 1 equal line ...\n"
              " 2  2 = B\n"
              " 3  3 = C\n"
              " 4  4 = D\n"
              " 5    - X\n"
              "    5 + Y\n"
              "      ... 4 equal lines ...\n"
              "10 10 = I\n"
              "11 11 = J\n"
              "12 12 = K\n"
              "13    - Q\n"
              "   13 + R\n"
              "      ... 2 equal lines ...\n"
              "\nProcs: 0 equal, 1 changed, 0 added, 0 deleted\n");
    // Context that reaches from one difference to the next, or overlaps it, merges: every line
    // is listed once and nothing is left out.
    const std::string merged = compare(4, 3);
    EXPECT_EQ(merged.find("..."), std::string::npos) << merged;
    EXPECT_EQ(std::count(merged.begin(), merged.end(), '\n'), 19) << merged;
    EXPECT_EQ(compare(5, 5), merged);
    EXPECT_NE(compare(3, 3).find("8  8 = G\n      ... 1 equal line ...\n10 10 = I\n"),
              std::string::npos);
    // No context at all: the differences alone, the lines between counted.
    EXPECT_EQ(compare(0, 0),
              "      ... 4 equal lines ...\n"
              " 5    - X\n"
              "    5 + Y\n"
              "      ... 7 equal lines ...\n"
              "13    - Q\n"
              "   13 + R\n"
              "      ... 2 equal lines ...\n"
              "\nProcs: 0 equal, 1 changed, 0 added, 0 deleted\n");
}

TEST(Report, IgnoredLinesAreContextAndCountedWhereLeftOut) {
    using test::Lines;
    CompareOptions o;
    o.IgnoreComments = true;
    o.DifferencesOnly = true;
    o.DifferencesBefore = 2;
    o.DifferencesAfter = 0;
    const auto st = test::CompareTexts(Lines({"A", "' one", "B", "C", "' two", "D", "X"}),
                                       Lines({"A", "B", "C", "D", "Y"}), o);
    const std::string report = ReportOf(st, o);
    // The comment between C and D is one of the two lines before the difference; A, the first
    // comment, B and C are left out.
    EXPECT_NE(report.find("\n# (General)\n"
                          "    ... 3 equal and 1 ignored lines ...\n"
                          "5   * ' two\n"
                          "6 4 = D\n"
                          "7   - X\n"
                          "  5 + Y\n"
                          "\nProcs:"),
              std::string::npos)
        << report;
}

TEST(Report, ProceduresOfOneFileAndEqualOnesUnderDifferencesOnly) {
    using test::Lines;
    CompareOptions o;
    o.DifferencesOnly = true;
    o.DifferencesBefore = 1;
    o.DifferencesAfter = 1;
    const auto st = test::CompareTexts(
        Lines({"Sub Same()", "a", "End Sub", "Sub Gone()", "b", "c", "d", "e", "End Sub"}),
        Lines({"Sub Same()", "a", "End Sub"}), o);
    // A procedure only one file has is one difference, listed whole with no marker.
    EXPECT_EQ(ReportOf(st, o),
              "Options: differences only (1,1)\n"
              "\n- Gone\n"
              "4   - Sub Gone()\n"
              "5   - b\n"
              "6   - c\n"
              "7   - d\n"
              "8   - e\n"
              "9   - End Sub\n"
              "\nProcs: 1 equal, 0 changed, 0 added, 1 deleted\n");
}

TEST(Report, TheHeaderNamesTheOptionsInEffect) {
    using test::Lines;
    const auto st = test::CompareTexts(Lines({"A"}), Lines({"a"}));
    // Default options: the header is the two names alone.
    EXPECT_EQ(ReportOf(st, {}).rfind("\n# (General)\n1 ", 0), 0u);
    CompareOptions o;
    o.IgnoreCase = true;
    o.ExpandTabs = true;
    EXPECT_EQ(ReportOf(st, o).rfind("Options: ignore case, expand tabs (4)\n\n# (General)\n", 0),
              0u);
}

// Escapes written as "\\e" so that the expectations read as text.
std::string Readable(std::string text) {
    for (size_t at; (at = text.find('\x1b')) != std::string::npos;) text.replace(at, 1, "\\e");
    return text;
}

TEST(Report, InColourRowsTakeTheirClassAndPairsShowWhatChanged) {
    using test::Lines;
    CompareOptions o;
    o.IgnoreComments = true;
    const auto st = test::CompareTexts(
        Lines({"Sub A(n)", "' note", "Dim S, I As Long", "x = 1", "End Sub"}),
        Lines({"Sub A(n)", "Dim S() As String, I As Long", "x = 1", "Beep", "End Sub"}), o);
    // One equal line is too few to resynchronise: "x = 1" faces itself, with nothing marked.
    EXPECT_EQ(Readable(ReportOf(st, o, true)),
              "Options: ignore comments\n"
              "\n\\e[1m# A\\e[m\n"
              "1 1 = Sub A(n)\n"
              "\\e[2m2   * ' note\\e[m\n"
              "\\e[31m3   - Dim S, I As Long\\e[m\n"
              "\\e[31m4   - x = 1\\e[m\n"
              "\\e[32m  2 + Dim S\\e[7m() As String\\e[27m, I As Long\\e[m\n"
              "\\e[32m  3 + x = 1\\e[m\n"
              "\\e[32m  4 + Beep\\e[m\n"
              "5 5 = End Sub\n"
              "\nProcs: 0 equal, 1 changed, 0 added, 0 deleted\n");
    // Without colour not one escape is written.
    EXPECT_EQ(ReportOf(st, o).find('\x1b'), std::string::npos);
}

}  // namespace
}  // namespace dualis
