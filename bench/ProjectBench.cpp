// The comparison of two project trees, stage by stage: opening both sources, pairing, the first
// module's result and the last, with the number of workers, the modules' statuses and the peak
// memory. Usage: project_bench TREE1 TREE2 [THREADS] [ROUNDS]
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "ModuleCompare.h"
#include "ProjectCompare.h"
#include "Source.h"

namespace {

using Clock = std::chrono::steady_clock;
using dualis::project::ContentStatus;

double Ms(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double, std::milli>(to - from).count();
}

struct Round {
    double Open = 0, Pair = 0, First = 0, All = 0;
    std::array<int, 5> Statuses{};
    int64_t LinesChanged = 0;
};

Round RunOnce(const char* one, const char* two, int threads) {
    Round round;
    const auto start = Clock::now();
    const dualis::project::Source a = dualis::project::OpenSource(one);
    const dualis::project::Source b = dualis::project::OpenSource(two);
    if (!a.Problem.empty() || !b.Problem.empty()) {
        std::fprintf(stderr, "%s%s\n", a.Problem.c_str(), b.Problem.c_str());
        std::exit(2);
    }
    round.Open = Ms(start, Clock::now());
    dualis::project::ProjectOptions options;
    options.PairSameBytes = false;
    const dualis::project::ProjectComparison comparison = CompareSources(a, b, options);
    round.Pair = Ms(start, Clock::now());
    dualis::project::ModuleCompareOptions run;
    run.Compare = options.Compare;
    run.Threads = threads;
    bool first = true;
    CompareModules(a, b, comparison, run, [&](dualis::project::ModuleResult&& result) {
        if (first) round.First = Ms(start, Clock::now());
        first = false;
        ++round.Statuses[static_cast<size_t>(result.Status)];
        round.LinesChanged += result.Lines[0] + result.Lines[1];
    });
    round.All = Ms(start, Clock::now());
    return round;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: project_bench TREE1 TREE2 [THREADS] [ROUNDS]\n");
        return 2;
    }
    const int threads = argc > 3 ? std::atoi(argv[3]) : 0;
    const int rounds = argc > 4 ? std::max(1, std::atoi(argv[4])) : 5;
    std::vector<double> open, pair, first, all;
    Round last;
    for (int r = 0; r < rounds; ++r) {
        last = RunOnce(argv[1], argv[2], threads);
        open.push_back(last.Open);
        pair.push_back(last.Pair);
        first.push_back(last.First);
        all.push_back(last.All);
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto& s = last.Statuses;
    std::printf("workers %d, rounds %d (medians)\n",
                dualis::project::WorkerCount(threads, 1u << 20), rounds);
    std::printf("opened both      %8.1f ms\n", Median(open));
    std::printf("paired           %8.1f ms\n", Median(pair));
    std::printf("first result     %8.1f ms\n", Median(first));
    std::printf("every result     %8.1f ms\n", Median(all));
    std::printf("modules: %d equal, %d changed, %d added, %d deleted, %d not compared; "
                "%lld lines differ\n",
                s[static_cast<size_t>(ContentStatus::Equal)],
                s[static_cast<size_t>(ContentStatus::Changed)],
                s[static_cast<size_t>(ContentStatus::Added)],
                s[static_cast<size_t>(ContentStatus::Deleted)],
                s[static_cast<size_t>(ContentStatus::Unknown)],
                static_cast<long long>(last.LinesChanged));
    std::printf("peak memory      %8.1f MB\n", static_cast<double>(usage.ru_maxrss) / 1024.0);
    return 0;
}
