#include "Report.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <string>

#include "Symbols.h"
#include "TerminalText.h"

namespace dualis {
namespace {

void AppendNumber(std::string& out, int32_t n, size_t width) {
    const std::string digits = n > 0 ? std::to_string(n) : "";
    out.append(width - std::min(width, digits.size()), ' ');
    out.append(digits);
}

// File 2's line that an equal row's File 1 line is matched with.
int32_t MatchedLine(std::span<const MatchRecord> row, int32_t line1) {
    const auto it =
        std::lower_bound(row.begin(), row.end(), line1,
                         [](const MatchRecord& m, int32_t v) { return m.MatchLine[0] < v; });
    return it != row.end() && it->MatchLine[0] == line1 ? it->MatchLine[1] : 0;
}

}  // namespace

std::string WriteReport(const ComparisonState& state, const CompareOptions& options,
                        std::FILE* out) {
    std::string text;
    int failure = 0;
    auto flush = [&](bool always) {
        if (always || text.size() > (1u << 16)) {
            if (failure == 0 && std::fwrite(text.data(), 1, text.size(), out) != text.size()) {
                failure = errno;
            }
            text.clear();
        }
    };
    const size_t width = std::to_string(std::max({state.RawCount(0), state.RawCount(1), 1})).size();
    for (int f = 0; f < 2; ++f) {
        text += "File " + std::to_string(f + 1) + ": ";
        AppendVisible(text, state.FileName[f]);
        text += "\n";
    }
    for (int32_t p = 1; p <= state.ProcCount(); ++p) {
        const ProcRecord& proc = state.ProcStack[p];
        if (options.DifferencesOnly && proc.Status == ProcEqual) continue;
        text += "\n";
        text += ProcStatusSymbol(proc.Status);
        text += " ";
        AppendVisible(text, proc.TrueProcName);
        text += "\n";
        const auto matches = state.MatchStack.Row(p);
        // Equal lines left out by DifferencesOnly stand between an equal row (or the start) and
        // the next row; a "..." row shows where.
        std::array<int32_t, 2> last = {proc.FirstRaw[0] - 1, proc.FirstRaw[1] - 1};
        bool afterEqual = true;
        for (const CombinedRow& row : state.CombinedDisplay.Row(p)) {
            std::array<int32_t, 2> lines = {0, 0};
            lines[row.Side] = row.RawLine;
            if (row.Symbol == LineSymbol::Equal) lines[1] = MatchedLine(matches, row.RawLine);
            bool skipped = false;
            for (int f = 0; f < 2; ++f) {
                if (lines[f] == 0) continue;
                skipped = skipped || lines[f] > last[f] + 1;
                last[f] = lines[f];
            }
            if (skipped && afterEqual) text += std::string(2 * width + 2, ' ') + "...\n";
            afterEqual = row.Symbol == LineSymbol::Equal;
            AppendNumber(text, lines[0], width);
            text += " ";
            AppendNumber(text, lines[1], width);
            text += " ";
            text += CombinedSymbol(row.Symbol);
            text += " ";
            AppendVisible(text, state.RawStack[row.Side].Text(row.RawLine));
            text += "\n";
            flush(false);
        }
    }
    const ProcCounts c = CountProcs(state);
    text += "\nProcs: " + std::to_string(c.Equal) + " equal, " + std::to_string(c.Changed) +
            " changed, " + std::to_string(c.Added) + " added, " + std::to_string(c.Deleted) +
            " deleted\n";
    flush(true);
    if (failure == 0 && std::fflush(out) != 0) failure = errno;
    return failure == 0 ? "" : std::strerror(failure);
}

}  // namespace dualis
