#include <gtest/gtest.h>

#include "Pipeline.h"
#include "TestSupport.h"

namespace dualis {
namespace {

using test::Lines;
using Pairs = std::vector<std::pair<int32_t, int32_t>>;

// Both searches must give the same rows, so every case runs through both.
class Matching : public ::testing::TestWithParam<CandidateSearch> {
  protected:
    ComparisonState Compare(const std::vector<std::string>& a, const std::vector<std::string>& b,
                            CompareOptions o = {}) {
        return test::CompareTexts(Lines(a), Lines(b), o, GetParam());
    }
};

TEST_P(Matching, IdenticalProceduresMatchEveryLine) {
    const auto st = Compare({"Sub A()", "x", "y", "End Sub"}, {"Sub A()", "x", "y", "End Sub"});
    EXPECT_EQ(test::Matches(st, 1), (Pairs{{1, 1}, {2, 2}, {3, 3}, {4, 4}}));
    EXPECT_EQ(st.MatchStack.Row(1).back().MatchLine, (std::array<int32_t, 2>{5, 5}));
    EXPECT_EQ(st.ProcStack[1].Status, ProcEqual);
}

TEST_P(Matching, ResynchronisingNeedsSyncNumberLinesOrTheCommonEnd) {
    // A B C against A C X: C-C would need the line after C to equal X.
    auto st = Compare({"A", "B", "C"}, {"A", "C", "X"});
    EXPECT_EQ(test::Matches(st, 1), (Pairs{{1, 1}}));
    EXPECT_EQ(st.ProcStack[1].Status, ProcChanged);
    // X A against Y A: A-A, since both procedures end right after it.
    st = Compare({"X", "A"}, {"Y", "A"});
    EXPECT_EQ(test::Matches(st, 1), (Pairs{{2, 2}}));
    // A B against A B C: no failing candidate, but the lengths differ.
    st = Compare({"A", "B"}, {"A", "B", "C"});
    EXPECT_EQ(test::Matches(st, 1), (Pairs{{1, 1}, {2, 2}}));
    EXPECT_EQ(st.ProcStack[1].Status, ProcChanged);
}

TEST_P(Matching, NearestCandidateWinsAndFile1LinesAreNeverSkippedBySearch) {
    const auto st = Compare({"A", "B", "C", "D", "E"}, {"A", "X", "C", "D", "C", "D", "E"});
    EXPECT_EQ(test::Matches(st, 1), (Pairs{{1, 1}, {3, 3}, {4, 4}, {5, 7}}));
}

TEST_P(Matching, LargerSyncNumber) {
    CompareOptions o;
    o.SyncNumber = 3;
    const auto st =
        Compare({"A", "X", "B", "C", "Q", "B", "C", "D"}, {"A", "B", "C", "R", "B", "C", "D"}, o);
    EXPECT_EQ(test::Matches(st, 1), (Pairs{{1, 1}, {6, 5}, {7, 6}, {8, 7}}));
}

TEST_P(Matching, BlocksReachIntoTheNextProcedure) {
    // The block at the end of Sub A reads on into Sub B's lines of both files.
    const auto st =
        Compare({"Sub A()", "X", "Y", "Sub B()", "Z"}, {"Sub A()", "Q", "Y", "Sub B()", "Z"});
    EXPECT_EQ(test::Matches(st, 1), (Pairs{{1, 1}, {3, 3}}));
}

TEST_P(Matching, NextDifferenceFieldsUnderDifferencesOnly) {
    CompareOptions o;
    o.DifferencesOnly = true;
    const auto st = Compare({"A", "B", "C", "D"}, {"A", "B", "X", "D"}, o);
    const auto row = st.MatchStack.Row(1);
    ASSERT_EQ(row.size(), 4u);  // A, B, D and the sentinel
    EXPECT_EQ(row[0].NextDiff, (std::array<int32_t, 2>{3, 3}));
    EXPECT_EQ(row[1].NextDiff, (std::array<int32_t, 2>{3, 3}));
    EXPECT_EQ(row[2].NextDiff, (std::array<int32_t, 2>{NoNextDiff, NoNextDiff}));
    EXPECT_EQ(row[3].NextDiff, (std::array<int32_t, 2>{NoNextDiff, NoNextDiff}));
    // Without the option the fields stay unfilled.
    const auto plain = Compare({"A", "B", "C", "D"}, {"A", "B", "X", "D"});
    for (const MatchRecord& m : plain.MatchStack.Row(1)) {
        EXPECT_EQ(m.NextDiff, (std::array<int32_t, 2>{0, 0}));
    }
}

TEST_P(Matching, RunsFollowedOnlyByLinesOfTheLongerSideReachNoDifference) {
    CompareOptions o;
    o.DifferencesOnly = true;
    const auto st = Compare({"A", "B"}, {"A", "B", "C", "D"}, o);
    EXPECT_EQ(st.MatchStack.Row(1)[0].NextDiff, (std::array<int32_t, 2>{NoNextDiff, NoNextDiff}));
}

TEST_P(Matching, ProcedureInOneFileOnlyHasOnlyTheSentinel) {
    const auto st = Compare({"Sub A()", "x"}, {"Sub B()", "x"});
    ASSERT_EQ(st.ProcCount(), 2);
    EXPECT_EQ(st.MatchCount(1), 1);
    EXPECT_EQ(st.MatchStack.Row(1)[0].MatchLine, (std::array<int32_t, 2>{3, 1}));
    EXPECT_EQ(st.MatchStack.Row(2)[0].MatchLine, (std::array<int32_t, 2>{1, 3}));
    EXPECT_EQ(st.ProcStack[1].Status, ProcDeleted);
    EXPECT_EQ(st.ProcStack[2].Status, ProcAdded);
}

TEST_P(Matching, AdversarialAlternationAgainstRepetition) {
    std::vector<std::string> a{"Sub A()"}, b{"Sub A()"};
    for (int k = 0; k < 3000; ++k) {
        a.push_back(k % 2 ? "B" : "A");
        b.push_back("A");
    }
    const auto st = Compare(a, b);
    // Only the leading A pairs up: after B fails, no two-line block A B exists in File 2,
    // until both procedures end together.
    const Pairs matches = test::Matches(st, 1);
    ASSERT_GE(matches.size(), 2u);
    EXPECT_EQ(matches[0], (std::pair<int32_t, int32_t>{1, 1}));
    EXPECT_EQ(matches[1], (std::pair<int32_t, int32_t>{2, 2}));
}

TEST_P(Matching, EmptyLinesAfterTheEndOfTheFileAreEqualToEmptyLines) {
    const auto st = Compare({"A", "X", "B", ""}, {"A", "Y", "B"});
    EXPECT_EQ(test::Matches(st, 1), (Pairs{{1, 1}, {3, 3}}));
}

INSTANTIATE_TEST_SUITE_P(BothSearches, Matching,
                         ::testing::Values(CandidateSearch::Literal, CandidateSearch::Indexed));

TEST(PositionalMatching, PairsLinesByPositionOnly) {
    CompareOptions o;
    o.LineByLine = true;
    auto st = test::CompareTexts(Lines({"A", "B", "C"}), Lines({"A", "X", "C"}), o);
    EXPECT_EQ(test::Matches(st, 1), (Pairs{{1, 1}, {3, 3}}));
    EXPECT_EQ(st.ProcStack[1].Status, ProcChanged);
    st = test::CompareTexts(Lines({"A", "B", "C"}), Lines({"X", "A", "B", "C"}), o);
    EXPECT_TRUE(test::Matches(st, 1).empty());
}

TEST(CompareProcs, TracesCandidatesAndRowsWhenAsked) {
    test::RecordingHost host;
    host.Trace = true;
    test::CompareTexts(Lines({"A", "B"}), Lines({"A", "C"}), {}, CandidateSearch::Auto, &host);
    const auto& log = host.Log;
    auto has = [&](const std::string& line) {
        return std::find(log.begin(), log.end(), line) != log.end();
    };
    EXPECT_TRUE(has("->mCompare: CompareAFile"));
    EXPECT_TRUE(has("Comparing 1 1 False"));
    EXPECT_TRUE(has("Comparing 2 2 False"));
    EXPECT_TRUE(has("1:(General)"));
    EXPECT_TRUE(has("1, 1"));
    EXPECT_TRUE(has("3, 3"));
    EXPECT_EQ(log.back(), "<-mCompare: CompareAFile");
}

// Every traced procedure is left in the order it was entered, also when a file is refused.
void ExpectBalancedTrace(const std::vector<std::string>& log) {
    std::vector<std::string> open;
    for (const std::string& line : log) {
        if (line.starts_with("->")) open.push_back(line.substr(2));
        if (line.starts_with("<-")) {
            ASSERT_FALSE(open.empty()) << line;
            ASSERT_EQ(open.back(), line.substr(2));
            open.pop_back();
        }
    }
    EXPECT_TRUE(open.empty());
}

TEST(CompareAFile, TraceNamesEveryStageAndBalances) {
    test::RecordingHost host;
    host.Trace = true;
    test::CompareTexts(Lines({"Sub A()", "x"}), Lines({"Sub A()", "y"}), {}, CandidateSearch::Auto,
                       &host);
    ExpectBalancedTrace(host.Log);
    for (const char* stage :
         {"FileExists", "InitializeStacks", "LoadRawStack", "LoadCookedStack", "HashLine",
          "GetProcName", "LoadProcStack", "CompareProcs", "BlockIsEqual", "LinesAreEqual",
          "LoadSeparateDisplayArrays", "LoadCombinedDisplayArray"}) {
        EXPECT_NE(std::find(host.Log.begin(), host.Log.end(), std::string("->mCompare: ") + stage),
                  host.Log.end())
            << stage;
    }
    test::TempDir dir;
    test::RecordingHost refused;
    refused.Trace = true;
    ComparisonState state;
    SetFileNames(state, dir.Write("a.bas", "x"), dir.Write("b.bas", std::string(40000, 'z')));
    EXPECT_FALSE(CompareAFile(state, {}, refused));
    ExpectBalancedTrace(refused.Log);
}

}  // namespace
}  // namespace dualis
