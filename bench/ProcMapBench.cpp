// The procedure map's cost: building the bins of one long procedure for a strip of 700 device
// pixels, in the combined listing and in one pane of the two-pane views, with a difference on
// about one row in a hundred. Prints figures; passes or fails nothing.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <random>
#include <vector>

#include "ProcMap.h"

namespace {

constexpr int32_t kHeight = 700;
constexpr int kRounds = 20;

// One procedure of `rows` display rows in both forms, its differences in runs of one to three.
dualis::ComparisonState LongProcedure(int32_t rows) {
    using dualis::LineSymbol;
    dualis::ComparisonState state;
    std::mt19937 random(12345);
    std::uniform_int_distribution<int> pick(0, 299);
    const LineSymbol kinds[] = {LineSymbol::Changed, LineSymbol::Added, LineSymbol::Deleted};
    for (int32_t row = 1; row <= rows;) {
        const int roll = pick(random);
        const LineSymbol symbol = roll < 3 ? kinds[roll] : LineSymbol::Equal;
        for (int run = roll < 3 ? 1 + roll : 1; run > 0 && row <= rows; --run, ++row) {
            state.SeparateDisplay.Add({{dualis::DisplayCell{row, symbol}, {row, symbol}}});
            state.CombinedDisplay.Add({row, symbol, 0});
        }
    }
    state.SeparateDisplay.EndProc();
    state.CombinedDisplay.EndProc();
    return state;
}

struct Figures {
    double Median = 0;  // milliseconds
    double Worst = 0;
    long Marked = 0;  // bins with a mark
};

Figures Measure(const dualis::ComparisonState& state, const char* view) {
    std::vector<double> times;
    Figures f;
    for (int round = 0; round < kRounds; ++round) {
        const auto start = std::chrono::steady_clock::now();
        const auto bins = dualis::ProcMapBins(state, 1, view, 0, kHeight);
        const std::chrono::duration<double, std::milli> spent =
            std::chrono::steady_clock::now() - start;
        times.push_back(spent.count());
        f.Marked = std::count_if(bins.begin(), bins.end(),
                                 [](dualis::MapMark m) { return m != dualis::MapMark::None; });
    }
    std::sort(times.begin(), times.end());
    f.Median = times[times.size() / 2];
    f.Worst = times.back();
    return f;
}

}  // namespace

int main() {
    for (int32_t rows : {100'000, 1'000'000}) {
        const dualis::ComparisonState state = LongProcedure(rows);
        for (const char* view : {"C", "V"}) {
            const Figures f = Measure(state, view);
            std::printf(
                "procedure map: %7d rows, %s view, %d px: %.2f ms median, %.2f ms worst "
                "of %d (%ld bins marked)\n",
                rows, *view == 'C' ? "combined" : "two-pane", kHeight, f.Median, f.Worst, kRounds,
                f.Marked);
        }
    }
}
