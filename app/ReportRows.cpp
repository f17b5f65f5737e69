#include "ReportRows.h"

#include <algorithm>
#include <limits>

namespace dualis {

std::vector<CombinedRow> ListedRows(const ComparisonState& state, int32_t p) {
    const ProcRecord& proc = state.ProcStack[p];
    std::vector<CombinedRow> rows;
    if (proc.Status == ProcDeleted || proc.Status == ProcAdded) {
        const int s = proc.Status == ProcDeleted ? 0 : 1;
        const LineSymbol symbol = s == 0 ? LineSymbol::Deleted : LineSymbol::Added;
        rows.reserve(static_cast<size_t>(proc.LastRaw[s] - proc.FirstRaw[s] + 1));
        for (int32_t r = proc.FirstRaw[s]; r <= proc.LastRaw[s]; ++r) {
            rows.push_back({r, symbol, static_cast<int16_t>(s)});
        }
        return rows;
    }
    // The record that stands for two files without a single cooked line has no rows.
    if (proc.FirstRaw[0] == 0 && proc.FirstRaw[1] == 0) return rows;
    const auto matches = state.MatchStack.Row(p);
    // Every line of both sides is a row, except that an equal pair is one row (the sentinel is
    // not a pair).
    const int64_t expected = int64_t{proc.LastRaw[0]} - proc.FirstRaw[0] + 1 + proc.LastRaw[1] -
                             proc.FirstRaw[1] + 1 + 1 - static_cast<int64_t>(matches.size());
    rows.reserve(static_cast<size_t>(std::max<int64_t>(expected, 0)));
    PrefaultRoom(rows);
    std::array<int32_t, 2> pos = {proc.FirstRaw[0] - 1, proc.FirstRaw[1] - 1};
    for (size_t m = 0; m < matches.size(); ++m) {
        for (int s = 0; s < 2; ++s) {
            const LineSymbol symbol = s == 0 ? LineSymbol::Deleted : LineSymbol::Added;
            for (int32_t line = pos[s] + 1; line < matches[m].MatchLine[s]; ++line) {
                rows.push_back({line,
                                state.RawStack[s].Ignored(line) ? LineSymbol::Ignored : symbol,
                                static_cast<int16_t>(s)});
            }
            pos[s] = matches[m].MatchLine[s];
        }
        // The last record is the sentinel past the procedure's end.
        if (m + 1 < matches.size()) rows.push_back({pos[0], LineSymbol::Equal, 0});
    }
    return rows;
}

std::array<int32_t, 2> RowLineNumbers(const ComparisonState& state, int32_t p,
                                      const CombinedRow& row) {
    std::array<int32_t, 2> lines = {0, 0};
    lines[row.Side] = row.RawLine;
    if (row.Symbol != LineSymbol::Equal) return lines;
    const auto matches = state.MatchStack.Row(p);
    const auto it =
        std::lower_bound(matches.begin(), matches.end(), row.RawLine,
                         [](const MatchRecord& m, int32_t line) { return m.MatchLine[0] < line; });
    if (it != matches.end() && it->MatchLine[0] == row.RawLine) lines[1] = it->MatchLine[1];
    return lines;
}

std::vector<bool> RowsNearDifferences(std::span<const CombinedRow> rows, int32_t before,
                                      int32_t after) {
    const auto differs = [](const CombinedRow& r) {
        return r.Symbol == LineSymbol::Deleted || r.Symbol == LineSymbol::Added;
    };
    const int64_t n = static_cast<int64_t>(rows.size());
    std::vector<bool> shown(rows.size(), false);
    // Each row is measured from the nearest differing row above it, then below it.
    constexpr int64_t far = std::numeric_limits<int64_t>::max() / 2;
    int64_t lastAbove = -far;
    for (int64_t i = 0; i < n; ++i) {
        if (differs(rows[i])) lastAbove = i;
        shown[i] = i - lastAbove <= std::max(after, 0);
    }
    int64_t nextBelow = far;
    for (int64_t i = n - 1; i >= 0; --i) {
        if (differs(rows[i])) nextBelow = i;
        if (nextBelow - i <= std::max(before, 0)) shown[i] = true;
    }
    return shown;
}

std::string LeftOutText(int32_t equal, int32_t ignored) {
    std::string text = "... ";
    if (equal > 0) text += std::to_string(equal) + " equal";
    if (equal > 0 && ignored > 0) text += " and ";
    if (ignored > 0) text += std::to_string(ignored) + " ignored";
    text += equal + ignored == 1 ? " line ..." : " lines ...";
    return text;
}

}  // namespace dualis
