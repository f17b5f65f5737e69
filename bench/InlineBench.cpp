// The within-line comparison's cost for one page: 60 pairs of changed 200-character lines, as
// the panes compare them for the rows they draw. Prints figures; passes or fails nothing.
#include <array>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "InlineDiff.h"

namespace {

// A VB statement of about 200 characters; `variant` changes a few of its words.
std::string Statement(int row, int variant) {
    std::string s = "    If Orders(" + std::to_string(row) + ").Quantity > MaxQuantity Then Call ";
    s += variant == 0 ? "PostOrder" : "PostOrderLater";
    s += "(Orders(i), Customer.Name, \"Order \" & CStr(i) & \" is ";
    s += variant == 0 ? "held" : "held for review";
    s += "\", vbOKOnly, Total + Tax) ' checked ";
    s += variant == 0 ? "nightly" : "hourly";
    while (s.size() < 200) s += " ";
    return s;
}

}  // namespace

int main() {
    constexpr int kPairs = 60;
    constexpr int kRounds = 2000;
    std::vector<std::array<std::string, 2>> page;
    for (int r = 0; r < kPairs; ++r) page.push_back({Statement(r, 0), Statement(r, 1)});
    const dualis::CompareOptions options;
    size_t marked = 0;  // keeps the work from being optimised away
    const auto start = std::chrono::steady_clock::now();
    for (int round = 0; round < kRounds; ++round) {
        for (const auto& pair : page) {
            marked += dualis::CompareWithinLines({pair[0], pair[1]}, options).Ranges[1].size();
        }
    }
    const std::chrono::duration<double, std::micro> spent =
        std::chrono::steady_clock::now() - start;
    std::printf(
        "within-line comparison: %.1f us per page of %d pairs of %zu-character lines "
        "(%.2f us per pair; %zu ranges)\n",
        spent.count() / kRounds, kPairs, page[0][0].size(), spent.count() / kRounds / kPairs,
        marked / kRounds);
}
