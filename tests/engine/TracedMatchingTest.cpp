// A traced comparison: it matches exactly as an untraced one, its trace grows with the input
// as the search does, and a full log stops the trace of every line.
#include <gtest/gtest.h>

#include <algorithm>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "Pipeline.h"
#include "TestSupport.h"

namespace dualis {
namespace {

using test::Lines;

// "<name><index> = <value>", built in steps (GCC 12 warns wrongly about the one-expression form).
std::string Assignment(const char* name, int index, int value) {
    std::string line(name);
    line += std::to_string(index);
    line += " = ";
    line += std::to_string(value);
    return line;
}

// One procedure of n distinct lines, and the same procedure with its body reversed.
std::array<std::string, 2> ReversedPair(int n) {
    std::vector<std::string> body;
    for (int k = 0; k < n; ++k) body.push_back(Assignment("x", k, k));
    std::vector<std::string> a{"Sub A()"}, b{"Sub A()"};
    a.insert(a.end(), body.begin(), body.end());
    b.insert(b.end(), body.rbegin(), body.rend());
    a.push_back("End Sub");
    b.push_back("End Sub");
    return {Lines(a), Lines(b)};
}

// A procedure with scattered edits, so that runs resynchronise after each.
std::array<std::string, 2> EditedPair(int n) {
    std::vector<std::string> a{"Sub A()"}, b{"Sub A()"};
    for (int k = 0; k < n; ++k) {
        const std::string line = Assignment("y", k % 37, k % 11);
        if (k % 13 != 5) a.push_back(line);
        b.push_back(k % 17 == 3 ? line + " ' changed" : line);
        if (k % 29 == 7) b.push_back("Call Inserted");
    }
    a.push_back("End Sub");
    b.push_back("End Sub");
    return {Lines(a), Lines(b)};
}

size_t Count(const std::vector<std::string>& log, const std::string& prefix) {
    return static_cast<size_t>(std::count_if(
        log.begin(), log.end(), [&](const std::string& line) { return line.starts_with(prefix); }));
}

// The rows, statuses and next-difference fields, which a trace must not change.
void ExpectSameComparison(const ComparisonState& a, const ComparisonState& b) {
    ASSERT_EQ(a.ProcCount(), b.ProcCount());
    for (int32_t p = 1; p <= a.ProcCount(); ++p) {
        EXPECT_EQ(a.ProcStack[p].Status, b.ProcStack[p].Status) << p;
        const auto rowA = a.MatchStack.Row(p), rowB = b.MatchStack.Row(p);
        ASSERT_EQ(rowA.size(), rowB.size()) << p;
        for (size_t k = 0; k < rowA.size(); ++k) {
            EXPECT_EQ(rowA[k].MatchLine, rowB[k].MatchLine) << p << " " << k;
            EXPECT_EQ(rowA[k].NextDiff, rowB[k].NextDiff) << p << " " << k;
        }
    }
}

TEST(TracedMatching, MatchesAsUntraced) {
    CompareOptions differencesOnly;
    differencesOnly.DifferencesOnly = true;
    CompareOptions sync3;
    sync3.SyncNumber = 3;
    for (const auto& pair : {ReversedPair(150), EditedPair(400), EditedPair(60)}) {
        for (const CompareOptions& o : {CompareOptions{}, differencesOnly, sync3}) {
            for (CandidateSearch search :
                 {CandidateSearch::Auto, CandidateSearch::Literal, CandidateSearch::Indexed}) {
                test::RecordingHost traced;
                traced.Trace = true;
                ExpectSameComparison(test::CompareTexts(pair[0], pair[1], o, search, &traced),
                                     test::CompareTexts(pair[0], pair[1], o, search));
                EXPECT_GT(Count(traced.Log, "Comparing "), 0u);
            }
        }
    }
}

// The trace names the candidates the search tries, so twice the input gives about twice the
// lines (the literal search tries every line and would give four times as many).
TEST(TracedMatching, TheTraceGrowsInProportionToTheInput) {
    std::array<size_t, 2> candidates{}, lines{};
    for (int f = 0; f < 2; ++f) {
        const auto pair = ReversedPair(400 << f);
        test::RecordingHost host;
        host.Trace = true;
        test::CompareTexts(pair[0], pair[1], {}, CandidateSearch::Auto, &host);
        candidates[f] = Count(host.Log, "Comparing ");
        lines[f] = host.Log.size();
    }
    EXPECT_GE(candidates[0], 400u);
    EXPECT_LE(candidates[1], candidates[0] * 21 / 10);
    EXPECT_LE(lines[1], lines[0] * 21 / 10);
    // Each candidate named is one whose lines are compared.
    test::RecordingHost host;
    host.Trace = true;
    const auto pair = ReversedPair(400);
    test::CompareTexts(pair[0], pair[1], {}, CandidateSearch::Indexed, &host);
    for (size_t k = 0; k < host.Log.size(); ++k) {
        if (!host.Log[k].starts_with("Comparing ")) continue;
        ASSERT_LT(k + 1, host.Log.size());
        EXPECT_EQ(host.Log[k + 1], "->mCompare: BlockIsEqual");
    }
}

// Once the log takes no more lines, nothing that runs once per line or per candidate asks the
// host for anything: only the few procedure scopes go on, for the call chain.
TEST(TracedMatching, AFullLogStopsThePerLineTrace) {
    std::array<size_t, 2> afterFull{};
    for (int f = 0; f < 2; ++f) {
        const auto pair = ReversedPair(400 << f);
        test::RecordingHost host;
        host.Trace = true;
        host.LogLimit = 50;  // full while the first file is still being read
        ExpectSameComparison(test::CompareTexts(pair[0], pair[1], {}, CandidateSearch::Auto, &host),
                             test::CompareTexts(pair[0], pair[1]));
        const std::vector<std::string> late(host.Log.begin() + 50, host.Log.end());
        for (const std::string& line : late) {
            EXPECT_TRUE(line.starts_with("->mCompare: ") || line.starts_with("<-mCompare: "))
                << line;
            for (const char* perLine :
                 {"HashLine", "GetProcName", "BlockIsEqual", "LinesAreEqual"}) {
                EXPECT_EQ(line.find(perLine), std::string::npos) << line;
            }
        }
        afterFull[f] = late.size();
    }
    EXPECT_EQ(afterFull[0], afterFull[1]);
    EXPECT_LT(afterFull[0], 30u);
}

// Records the threads that trace; safe to call from several.
class ThreadRecordingHost : public test::RecordingHost {
  public:
    void TraceEnter(std::string_view text) override {
        Record([&] { RecordingHost::TraceEnter(text); });
    }
    void TraceExit(std::string_view text) override {
        Record([&] { RecordingHost::TraceExit(text); });
    }
    void LogData(std::string_view text) override {
        Record([&] { RecordingHost::LogData(text); });
    }
    bool TraceTakesLines() const override {
        std::lock_guard<std::mutex> lock(mutex_);
        return RecordingHost::TraceTakesLines();
    }
    std::set<std::thread::id> Threads;

  private:
    template <class Call>
    void Record(Call call) {
        std::lock_guard<std::mutex> lock(mutex_);
        Threads.insert(std::this_thread::get_id());
        call();
    }
    mutable std::mutex mutex_;
};

// A large File 2 is read on a second thread only while nothing is traced, so that the trace's
// lines keep their order.
TEST(TracedMatching, ATracedComparisonRunsOnOneThread) {
    const auto pair = EditedPair(30000);
    ASSERT_GT(pair[1].size(), 256u << 10);
    ThreadRecordingHost host;
    host.Trace = true;
    test::CompareTexts(pair[0], pair[1], {}, CandidateSearch::Auto, &host);
    EXPECT_EQ(host.Threads, (std::set<std::thread::id>{std::this_thread::get_id()}));
    // File 1 is read and normalised before File 2 is read.
    const auto load1 = std::find(host.Log.begin(), host.Log.end(), "->mCompare: LoadRawStack");
    const auto load2 = std::find(load1 + 1, host.Log.end(), "->mCompare: LoadRawStack");
    ASSERT_NE(load2, host.Log.end());
    EXPECT_NE(std::find(load1, load2, "<-mCompare: LoadCookedStack"), load2);
}

}  // namespace
}  // namespace dualis
