#include <gtest/gtest.h>

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

TEST(Report, LeftOutEqualLinesAreMarkedOnce) {
    using test::Lines;
    CompareOptions o;
    o.DifferencesOnly = true;
    o.DifferencesBefore = 0;
    o.DifferencesAfter = 1;
    const auto st = test::CompareTexts(Lines({"A", "B", "X", "C", "D", "E", "Q"}),
                                       Lines({"A", "B", "Y", "C", "D", "E", "R"}), o);
    EXPECT_EQ(ReportOf(st, o),
              "\n# (General)\n"
              "    ...\n"
              "3   - X\n"
              "  3 + Y\n"
              "4 4 = C\n"
              "    ...\n"
              "7   - Q\n"
              "  7 + R\n"
              "\nProcs: 0 equal, 1 changed, 0 added, 0 deleted\n");
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
