#include <gtest/gtest.h>

#include <regex>

#include "Dump.h"
#include "Pipeline.h"
#include "PseudoTerminal.h"
#include "RunTimeError.h"
#include "TestSupport.h"

namespace dualis {
namespace {

// Dates and the data folder's path change from run to run; the golden file holds neither.
std::string Masked(std::string text) {
    text = std::regex_replace(text, std::regex(R"(\d{4}-\d\d-\d\d \d\d:\d\d:\d\d)"), "<date>");
    return std::regex_replace(text, std::regex(DUALIS_TEST_DATA "/"), "<data>/");
}

class Dump : public ::testing::Test {
  protected:
    void SetUp() override {
        SetFileNames(state, DUALIS_TEST_DATA "/small1.bas", DUALIS_TEST_DATA "/small2.bas");
        options.IgnoreCase = true;
        options.IgnoreEmbeddedBlanks = true;
        options.DifferencesOnly = true;
        options.DifferencesBefore = 1;
        options.DifferencesAfter = 0;
        ASSERT_TRUE(CompareAFile(state, options, host));
        dumpFile = dir.Write("DUMP.TXT", "");
    }
    void DumpAll() {
        for (std::string_view section : DumpSections) {
            DumpArrays(state, options, section, dumpFile, program, host);
        }
    }
    test::TempDir dir;
    test::RecordingHost host;
    ComparisonState state;
    CompareOptions options;
    std::string dumpFile;
    const DumpProgramFacts program{"2026-01-02 03:04:05", "1.0.0 (2026-01-02 03:04:05)"};
};

TEST_F(Dump, AllSectionsMatchTheGoldenFile) {
    DumpAll();
    EXPECT_EQ(Masked(test::ReadFile(dumpFile)), test::ReadFile(DUALIS_TEST_DATA "/small.dump"));
    EXPECT_TRUE(host.Messages.empty());
}

TEST_F(Dump, SecondDumpAppendsACompleteSet) {
    DumpAll();
    const std::string once = test::ReadFile(dumpFile);
    DumpAll();
    EXPECT_EQ(test::ReadFile(dumpFile).substr(0, once.size()), once);
    EXPECT_EQ(Masked(test::ReadFile(dumpFile)), Masked(once) + Masked(once));
}

TEST_F(Dump, SectionNamesIgnoreCaseAndUnknownNamesAreReported) {
    DumpArrays(state, options, "pRoC", dumpFile, program, host);
    DumpArrays(state, options, "Nonsense", dumpFile, program, host);
    const std::string text = Masked(test::ReadFile(dumpFile));
    EXPECT_NE(text.find("\r\n<date>pRoC\r\n 1  4 (General)\r\n"), std::string::npos);
    EXPECT_NE(text.find("\r\n<date>Nonsense\r\n" + std::string(64, '=') + "\r\n"),
              std::string::npos);
    EXPECT_EQ(host.Messages, std::vector<std::string>{"Invalid-Nonsense"});
}

TEST(DumpEmpty, TwoEmptyFilesGiveOneGeneralRecordOfZeros) {
    test::TempDir dir;
    test::RecordingHost host;
    ComparisonState state;
    SetFileNames(state, dir.Write("a.bas", ""), dir.Write("b.bas", ""));
    ASSERT_TRUE(CompareAFile(state, {}, host));
    const std::string dump = dir.Write("d.txt", "");
    DumpArrays(state, {}, "Proc", dump, {}, host);
    DumpArrays(state, {}, "Match", dump, {}, host);
    const std::string text = Masked(test::ReadFile(dump));
    EXPECT_NE(text.find(" 1  4 (General)\r\n 0  0  0  0 \r\n 0  0  0  0 \r\n"), std::string::npos);
    EXPECT_NE(text.find(" 1  1  1  1  0  0 \r\n"), std::string::npos);
}

std::string Bracketed(std::string_view text) {
    return "[" + std::string(text) + "]";
}

TEST(DumpWrite, ATerminalGetsTheFilteredTextAndAFileEveryByte) {
    test::TempDir dir;
    test::RecordingHost host;
    // An escape that retitles a terminal and a character that turns the line round.
    const std::string line =
        "x = \"\x1b]2;owned\x07\" ' \xE2\x80\xAE"
        "cba";
    const ComparisonState state =
        test::CompareTexts(test::Lines({"Sub A()", line, "End Sub"}), test::Lines({"Sub A()"}));
    test::PseudoTerminal terminal;
    ASSERT_FALSE(terminal.Name().empty());
    const std::string file = dir.Write("d.txt", "");
    DumpArrays(state, {}, "Raw", terminal.Name(), {}, host, Bracketed);
    DumpArrays(state, {}, "Raw", file, {}, host, Bracketed);
    const std::string stored = test::ReadFile(file);
    EXPECT_NE(stored.find(line + "\r\n"), std::string::npos);
    EXPECT_EQ(Masked(terminal.Written()), "[" + Masked(stored) + "]");
    // Without a filter a terminal gets the bytes too.
    test::PseudoTerminal plain;
    DumpArrays(state, {}, "Raw", plain.Name(), {}, host);
    EXPECT_EQ(Masked(plain.Written()), Masked(stored));
}

TEST(DumpWrite, UnwritableFileIsARunTimeError) {
    test::TempDir dir;
    test::RecordingHost host;
    ComparisonState state;
    EXPECT_THROW(
        DumpArrays(state, {}, "Raw", (dir.Path() / "no" / "such" / "dir").string(), {}, host),
        RunTimeError);
}

}  // namespace
}  // namespace dualis
