// The find bar's search over a whole comparison when the text is nowhere: every procedure of
// the list is searched once, in each view and with each kind of query. Prints figures; passes
// or fails nothing.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "Pipeline.h"
#include "ProcList.h"
#include "TextSearch.h"

namespace {

using Clock = std::chrono::steady_clock;

struct Case {
    const char* Label;
    dualis::TextQuery Query;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: search_bench FILE1 FILE2\n");
        return 2;
    }
    dualis::ComparisonState state;
    dualis::SetFileNames(state, argv[1], argv[2]);
    dualis::QuietHost host;
    if (!dualis::CompareAFile(state, dualis::CompareOptions{}, host)) return 2;
    const auto entries = dualis::ProcListEntries(state, false);
    std::printf("%d + %d lines, %zu procedures in the list\n", state.RawCount(0), state.RawCount(1),
                entries.size());
    const Case cases[] = {
        {"ignore case", {"NoSuchText", false, false}},
        {"match case", {"NoSuchText", true, false}},
        {"whole word", {"NoSuchText", false, true}},
        {"one character", {"~", false, false}},
        {"non-ASCII, ignore case", {"NoSuchTéxt", false, false}},
    };
    constexpr int kRounds = 7;
    for (const bool combined : {false, true}) {
        for (const Case& c : cases) {
            std::vector<double> ms;
            for (int round = 0; round < kRounds; ++round) {
                const auto start = Clock::now();
                const auto found =
                    dualis::FindText(state, entries, combined, c.Query, {0, 0, 1}, 1);
                ms.push_back(
                    std::chrono::duration<double, std::milli>(Clock::now() - start).count());
                if (found) {
                    std::fprintf(stderr, "\"%s\" was found; pick a text the files lack\n",
                                 c.Query.Text.c_str());
                    return 2;
                }
            }
            std::sort(ms.begin(), ms.end());
            std::printf("%-9s %-24s nothing found in %7.1f ms (median of %d; fastest %.1f ms)\n",
                        combined ? "combined" : "two-pane", c.Label, ms[kRounds / 2], kRounds,
                        ms.front());
        }
    }
}
