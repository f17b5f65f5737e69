// Every module pair of two sources compared by the engine on a pool of workers: the same results
// in the same order whatever the number of workers, same bytes equal without parsing, a module
// that cannot be read listed with its reason, and a traced comparison kept on one thread.
#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <thread>

#include "ModuleCompare.h"
#include "ProjectTestSupport.h"

namespace dualis::project {
namespace {

using test::BasText;
using test::Procedures;
using Strings = std::vector<std::string>;

struct Opened {
    Source A, B;
    ProjectComparison Result;
};

Opened Open(const test::Tree& one, const test::Tree& two) {
    Opened o{OpenSource(one.Path()), OpenSource(two.Path()), {}};
    ProjectOptions options;
    options.PairSameBytes = false;  // as the command line pairs: the workers read the bytes
    o.Result = CompareSources(o.A, o.B, options);
    return o;
}

// Each result as "pair status parsed changed/added/deleted lines1/lines2 problem".
std::string Describe(const ModuleResult& r) {
    static const char* const words[] = {"unknown", "equal", "changed", "added", "deleted"};
    return std::to_string(r.Pair) + " " + words[static_cast<int>(r.Status)] +
           (r.Parsed ? " parsed " : " bytes ") + std::to_string(r.Procedures.Changed) + "/" +
           std::to_string(r.Procedures.Added) + "/" + std::to_string(r.Procedures.Deleted) + " " +
           std::to_string(r.Lines[0]) + "/" + std::to_string(r.Lines[1]) +
           (r.Problem.empty() ? "" : " " + r.Problem);
}

Strings CompareAll(const Opened& o, ModuleCompareOptions options) {
    Strings results;
    CompareModules(o.A, o.B, o.Result, options,
                   [&](ModuleResult&& r) { results.push_back(Describe(r)); });
    return results;
}

// Forty modules: every fifth changed, one deleted, one added.
void WriteVersions(const test::Tree& one, const test::Tree& two) {
    for (int k = 0; k < 40; ++k) {
        const std::string name = "mod" + std::to_string(100 + k);
        one.Write(name + ".bas", BasText(name, Procedures("P", 4)));
        if (k == 7) continue;
        std::vector<std::string> body = Procedures("P", 4);
        if (k % 5 == 0) body[1] = "    Debug.Print \"edited\"";
        two.Write(name + ".bas", BasText(name, body));
    }
    two.Write("modNew.bas", BasText("modNew", Procedures("N", 2)));
}

TEST(CompareModules, TheSameResultsInTheSameOrderWhateverTheWorkers) {
    test::Tree one, two;
    WriteVersions(one, two);
    const Opened o = Open(one, two);
    ModuleCompareOptions options;
    options.Threads = 1;
    const Strings alone = CompareAll(o, options);
    ASSERT_EQ(alone.size(), 41u);
    EXPECT_EQ(alone[0], "0 changed parsed 1/0/0 1/1");  // mod100: one line edited
    EXPECT_EQ(alone[1], "1 equal bytes 0/0/0 0/0");     // the same bytes: not parsed
    // (General) counts as a procedure: two lines, then four of three lines each.
    EXPECT_EQ(alone[7], "7 deleted parsed 0/0/5 14/0");
    EXPECT_EQ(alone[40], "40 added parsed 0/3/0 0/8");
    for (const int threads : {2, 3, 8, 64}) {
        options.Threads = threads;
        EXPECT_EQ(CompareAll(o, options), alone) << threads << " workers";
    }
}

TEST(CompareModules, AResultCountsProceduresAndLinesAsTheReportDoes) {
    test::Tree one, two;
    one.Write("modA.bas",
              BasText("modA", {"Sub A()", "  x = 1", "  y = 2", "End Sub", "Sub B()", "End Sub"}));
    two.Write("modA.bas", BasText("modA", {"Sub A()", "  x = 1", "  y = 3", "  z = 4", "End Sub",
                                           "Sub C()", "End Sub"}));
    const Opened o = Open(one, two);
    ModuleCompareOptions options;
    options.Keep = {KeepState::WhenParsed};
    std::unique_ptr<ComparisonState> state;
    CompareModules(o.A, o.B, o.Result, options, [&](ModuleResult&& r) {
        EXPECT_EQ(Describe(r), "0 changed parsed 1/1/1 3/4");
        state = std::move(r.State);
    });
    ASSERT_TRUE(state);
    EXPECT_EQ(state->ProcCount(), 4);  // (General), A, B and C, kept for the module's report
}

TEST(CompareModules, OptionsDecideWhatDiffersAndSameBytesAreEqualUnderAny) {
    test::Tree one, two;
    one.Write("modA.bas", BasText("modA", {"Sub A()", "  X = 1", "End Sub"}));
    two.Write("modA.bas", BasText("modA", {"Sub A()", "  x = 1", "End Sub"}));
    one.Write("modB.bas", BasText("modB", {"Sub B()", "End Sub"}));
    two.Write("modB.bas", BasText("modB", {"Sub B()", "End Sub"}));
    const Opened o = Open(one, two);
    ModuleCompareOptions options;
    EXPECT_EQ(CompareAll(o, options),
              (Strings{"0 changed parsed 1/0/0 1/1", "1 equal bytes 0/0/0 0/0"}));
    options.Compare.IgnoreCase = true;
    EXPECT_EQ(CompareAll(o, options),
              (Strings{"0 equal parsed 0/0/0 0/0", "1 equal bytes 0/0/0 0/0"}));
}

TEST(CompareModules, KeptStatesComeBackOnlyWhereAsked) {
    test::Tree one, two;
    WriteVersions(one, two);
    const Opened o = Open(one, two);
    ModuleCompareOptions options;
    options.Threads = 4;
    options.Keep.assign(o.Result.Modules.size(), KeepState::No);
    options.Keep[1] = KeepState::Always;      // the same bytes, parsed all the same
    options.Keep[5] = KeepState::WhenParsed;  // changed
    options.Keep[6] = KeepState::WhenParsed;  // the same bytes: nothing to keep
    std::vector<size_t> kept;
    CompareModules(o.A, o.B, o.Result, options, [&](ModuleResult&& r) {
        if (r.State) kept.push_back(r.Pair);
        if (r.Pair == 1) {
            EXPECT_EQ(Describe(r), "1 equal parsed 0/0/0 0/0");
        }
    });
    EXPECT_EQ(kept, (std::vector<size_t>{1, 5}));
}

TEST(CompareModules, AModuleThatCannotBeReadIsListedAndTheRestCompared) {
    test::Tree one, two;
    one.Write("modA.bas", BasText("modA"));
    two.Write("modA.bas", std::string("Attribute VB_Name = \"modA\"\r\n\0\0", 30));
    one.Write("modB.bas", BasText("modB", Procedures("P", 1)));
    two.Write("modB.bas", BasText("modB", Procedures("Q", 1)));
    one.Write("modC.bas", BasText("modC", {"Sub C()", std::string(40000, 'x'), "End Sub"}));
    two.Write("modC.bas", BasText("modC", {"Sub C()", "End Sub"}));
    const Opened o = Open(one, two);
    ModuleCompareOptions options;
    options.Threads = 2;
    const Strings results = CompareAll(o, options);
    ASSERT_EQ(results.size(), 3u);
    EXPECT_EQ(results[0], "0 unknown bytes 0/0/0 0/0 File 2: It is not a text file.");
    EXPECT_EQ(results[1], "1 changed parsed 0/1/1 3/3");
    EXPECT_EQ(results[2], "2 unknown bytes 0/0/0 0/0 Unable to compare File 1\n" +
                              (one / "modC.bas").string() +
                              "\nLine 4 is longer than 32,767 characters.");
}

TEST(CompareModules, AFileThatVanishesBeforeItsTurnIsListed) {
    test::Tree one, two;
    one.Write("modA.bas", BasText("modA", Procedures("P", 1)));
    two.Write("modA.bas", BasText("modA", Procedures("Q", 1)));
    const Opened o = Open(one, two);
    std::filesystem::remove(two / "modA.bas");
    EXPECT_EQ(CompareAll(o, {}),
              Strings{"0 unknown bytes 0/0/0 0/0 File 2: No such file or directory"});
}

// A host that traces, and notes the threads it was called on.
class TracingHost : public dualis::test::RecordingHost {
  public:
    TracingHost() { Trace = true; }
    void TraceEnter(std::string_view text) override {
        Threads.push_back(std::this_thread::get_id());
        RecordingHost::TraceEnter(text);
    }
    std::vector<std::thread::id> Threads;
};

TEST(CompareModules, ATracedComparisonRunsOnTheCallersThreadInOrder) {
    test::Tree one, two;
    WriteVersions(one, two);
    const Opened o = Open(one, two);
    TracingHost host;
    ModuleCompareOptions options;
    options.Threads = 4;
    options.Host = &host;
    std::vector<std::thread::id> delivered;
    const Strings traced = [&] {
        Strings results;
        CompareModules(o.A, o.B, o.Result, options, [&](ModuleResult&& r) {
            delivered.push_back(std::this_thread::get_id());
            results.push_back(Describe(r));
        });
        return results;
    }();
    options.Host = nullptr;
    EXPECT_EQ(traced, CompareAll(o, options));
    ASSERT_FALSE(host.Threads.empty());
    const auto caller = std::this_thread::get_id();
    EXPECT_TRUE(std::all_of(host.Threads.begin(), host.Threads.end(),
                            [&](std::thread::id id) { return id == caller; }));
    EXPECT_TRUE(std::all_of(delivered.begin(), delivered.end(),
                            [&](std::thread::id id) { return id == caller; }));
    // One comparison after the other: each entry of CompareAFile is left before the next.
    int open = 0;
    for (const std::string& line : host.Log) {
        if (line == "->mCompare: CompareAFile") {
            EXPECT_EQ(open++, 0);
        }
        if (line == "<-mCompare: CompareAFile") --open;
    }
}

TEST(CompareModules, AFailureOfTheCallerStopsTheWorkers) {
    test::Tree one, two;
    WriteVersions(one, two);
    const Opened o = Open(one, two);
    ModuleCompareOptions options;
    options.Threads = 4;
    size_t seen = 0;
    EXPECT_THROW(CompareModules(o.A, o.B, o.Result, options,
                                [&](ModuleResult&&) {
                                    if (++seen == 3) throw std::runtime_error("output gone");
                                }),
                 std::runtime_error);
    EXPECT_EQ(seen, 3u);
}

TEST(WorkerCount, AsAskedOrOnePerCoreNeverMoreThanThePairs) {
    EXPECT_EQ(WorkerCount(3, 100), 3);
    EXPECT_EQ(WorkerCount(8, 2), 2);
    EXPECT_EQ(WorkerCount(4, 0), 1);
    EXPECT_EQ(WorkerCount(0, 1000),
              static_cast<int>(std::max(1u, std::thread::hardware_concurrency())));
}

}  // namespace
}  // namespace dualis::project
