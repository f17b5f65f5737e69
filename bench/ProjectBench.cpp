// Two generated project trees compared by `dualis --report` beside `diff -r`, as a user runs
// them: the wall time of each, the time until dualis has printed its first module's line, and
// the peak memory; medians of alternating rounds. bench/run-project.sh makes the trees.
// Usage: project_bench DUALIS TREES [ROUNDS]   (TREES holds a/, few/ and all/)
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

double Ms(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double, std::milli>(to - from).count();
}

struct Timing {
    double Wall = 0;              // ms from the start to the end of the process
    std::optional<double> First;  // ms until the first module line was read
    double PeakMb = 0;            // the process's peak resident memory
    int Status = -1;
};

// Runs the command with its standard output read here. With `firstModule`, the time is taken
// when the first line after the module table's heading ("  Kind ...") has arrived.
Timing Run(const std::vector<std::string>& command, bool firstModule) {
    int pipeEnds[2];
    if (::pipe(pipeEnds) != 0) std::exit(3);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], 1);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[1]);
    std::vector<char*> argv;
    for (const std::string& word : command) argv.push_back(const_cast<char*>(word.c_str()));
    argv.push_back(nullptr);
    Timing timing;
    const auto start = Clock::now();
    pid_t pid = 0;
    if (posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0) {
        std::fprintf(stderr, "cannot start %s\n", argv[0]);
        std::exit(3);
    }
    posix_spawn_file_actions_destroy(&actions);
    ::close(pipeEnds[1]);
    std::string line;
    bool headingSeen = false;
    char block[1 << 16];
    for (;;) {
        const ssize_t got = ::read(pipeEnds[0], block, sizeof block);
        if (got <= 0) break;
        if (!firstModule || timing.First) continue;
        for (ssize_t i = 0; i < got && !timing.First; ++i) {
            if (block[i] != '\n') {
                line += block[i];
                continue;
            }
            if (headingSeen) timing.First = Ms(start, Clock::now());
            headingSeen = headingSeen || line.starts_with("  Kind ");
            line.clear();
        }
    }
    ::close(pipeEnds[0]);
    int status = 0;
    rusage usage{};
    ::wait4(pid, &status, 0, &usage);
    timing.Wall = Ms(start, Clock::now());
    timing.PeakMb = static_cast<double>(usage.ru_maxrss) / 1024.0;
    timing.Status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return timing;
}

double Median(std::vector<double> values) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

struct Series {
    std::vector<double> Wall, First, Peak;
    int WorstStatus = 0;
    void Add(const Timing& t) {
        Wall.push_back(t.Wall);
        if (t.First) First.push_back(*t.First);
        Peak.push_back(t.PeakMb);
        WorstStatus = std::max(WorstStatus, t.Status);
    }
};

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: project_bench DUALIS TREES [ROUNDS]\n");
        return 2;
    }
    const std::string dualis = argv[1];
    const std::string trees = argv[2];
    const int rounds = argc > 3 ? std::max(1, std::atoi(argv[3])) : 5;
    const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    std::printf("%u processors: dualis compares on %u worker threads; %d rounds, medians\n", cores,
                cores, rounds);
    // What starting the program costs before it compares anything: loading the libraries of
    // its window as well.
    std::vector<double> startup;
    for (int r = 0; r < 2 * rounds + 1; ++r)
        startup.push_back(Run({dualis, "--version"}, false).Wall);
    std::printf("dualis --version: %.1f ms\n\n", Median(startup));
    std::printf("%-5s %10s %10s %10s %10s %10s %8s %8s\n", "case", "diff -r", "diff -rq", "dualis",
                "first", "peak MB", "ratio", "target");
    bool failed = false;
    for (const char* name : {"few", "all"}) {
        const std::string one = trees + "/a", two = trees + "/" + name;
        Series diff, brief, ours;
        for (int r = 0; r < rounds + 1; ++r) {  // the first round warms the cache, uncounted
            const bool counted = r > 0;
            // The programs take turns at going first, so that they share the machine's load.
            const auto runOurs = [&] {
                const Timing t = Run({dualis, "--report", one, two}, true);
                if (counted) ours.Add(t);
            };
            if (r % 2 == 1) runOurs();
            const Timing d = Run({"diff", "-r", one, two}, false);
            const Timing q = Run({"diff", "-rq", one, two}, false);
            if (counted) {
                diff.Add(d);
                brief.Add(q);
            }
            if (r % 2 == 0) runOurs();
        }
        const double ratio = Median(ours.Wall) / Median(diff.Wall);
        const double target = std::strcmp(name, "few") == 0 ? 1.0 : 0.5;
        std::printf("%-5s %10.1f %10.1f %10.1f %10.1f %10.1f %8.2f %8.2f\n", name,
                    Median(diff.Wall), Median(brief.Wall), Median(ours.Wall), Median(ours.First),
                    Median(ours.Peak), ratio, target);
        if (ours.WorstStatus > 1 || diff.WorstStatus > 1) {
            std::printf("      a run ended with status %d (dualis) or %d (diff)\n",
                        ours.WorstStatus, diff.WorstStatus);
            failed = true;
        }
    }
    std::printf(
        "\nTimes in ms. few: one module in twenty changed; all: every module changed a "
        "little.\nratio: dualis / diff -r (target: at most); first: until dualis has "
        "printed its first module's line, start-up included (target under 50 ms).\n");
    return failed ? 1 : 0;
}
