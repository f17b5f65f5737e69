#include "Report.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <string>
#include <unordered_map>

#include "InlineDiff.h"
#include "OptionText.h"
#include "ReportRows.h"
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

// The terminal's select graphic rendition codes for a row of each class.
const char* RowColour(LineSymbol symbol) {
    switch (symbol) {
        case LineSymbol::Deleted:
            return "\x1b[31m";
        case LineSymbol::Added:
            return "\x1b[32m";
        case LineSymbol::Changed:
            return "\x1b[33m";
        case LineSymbol::Ignored:
            return "\x1b[2m";
        default:
            return "";
    }
}
constexpr const char* kBold = "\x1b[1m";
constexpr const char* kReverse = "\x1b[7m";
constexpr const char* kReverseOff = "\x1b[27m";
constexpr const char* kReset = "\x1b[m";

// The byte that starts character `chars` of UTF-8 text, counting on from (byte, char) `at`.
size_t ByteOf(std::string_view text, int32_t chars, std::array<size_t, 2>& at) {
    while (at[0] < text.size() && at[1] < static_cast<size_t>(chars)) {
        ++at[0];
        while (at[0] < text.size() && (static_cast<unsigned char>(text[at[0]]) & 0xC0) == 0x80) {
            ++at[0];
        }
        ++at[1];
    }
    return at[0];
}

// The line's text with its changed parts in reverse video, controls made visible.
void AppendMarked(std::string& out, std::string_view text, const std::vector<CharRange>& ranges) {
    std::array<size_t, 2> at{};
    size_t done = 0;
    for (const CharRange& r : ranges) {
        const size_t begin = ByteOf(text, r.Begin, at), end = ByteOf(text, r.End, at);
        AppendVisible(out, text.substr(done, begin - done));
        out += kReverse;
        AppendVisible(out, text.substr(begin, end - begin));
        out += kReverseOff;
        done = end;
    }
    AppendVisible(out, text.substr(done));
}

}  // namespace

std::string WriteReport(const ComparisonState& state, const CompareOptions& options, std::FILE* out,
                        bool colour) {
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
    // The same files compare differently under other options; say which were in effect.
    const std::string inEffect = OptionsInEffect(options);
    if (!inEffect.empty()) text += "Options: " + inEffect + "\n";
    for (int32_t p = 1; p <= state.ProcCount(); ++p) {
        const ProcRecord& proc = state.ProcStack[p];
        if (options.DifferencesOnly && proc.Status == ProcEqual) continue;
        text += "\n";
        if (colour) text += kBold;
        text += ProcStatusSymbol(proc.Status);
        text += " ";
        AppendVisible(text, proc.TrueProcName);
        if (colour) text += kReset;
        text += "\n";
        const auto matches = state.MatchStack.Row(p);
        const std::vector<CombinedRow> rows = ListedRows(state, p);
        const std::vector<bool> shown =
            options.DifferencesOnly
                ? RowsNearDifferences(rows, options.DifferencesBefore, options.DifferencesAfter)
                : std::vector<bool>(rows.size(), true);
        const std::vector<int32_t> partner =
            colour ? PairCombinedRows(rows) : std::vector<int32_t>();
        // The equal and the ignored rows left out since the last row printed.
        std::array<int32_t, 2> leftOut = {0, 0};
        auto markLeftOut = [&] {
            if (leftOut[0] + leftOut[1] == 0) return;
            text += std::string(2 * width + 2, ' ') + LeftOutText(leftOut[0], leftOut[1]) + "\n";
            leftOut = {0, 0};
        };
        // A pair is compared once, at its first row; its second row's marks wait here.
        std::unordered_map<size_t, std::vector<CharRange>> partnerMarks;
        for (size_t i = 0; i < rows.size(); ++i) {
            const CombinedRow& row = rows[i];
            if (!shown[i]) {
                ++leftOut[row.Symbol == LineSymbol::Ignored ? 1 : 0];
                continue;
            }
            markLeftOut();
            std::array<int32_t, 2> lines = {0, 0};
            lines[row.Side] = row.RawLine;
            if (row.Symbol == LineSymbol::Equal) lines[1] = MatchedLine(matches, row.RawLine);
            const char* rowColour = colour ? RowColour(row.Symbol) : "";
            text += rowColour;
            AppendNumber(text, lines[0], width);
            text += " ";
            AppendNumber(text, lines[1], width);
            text += " ";
            text += CombinedSymbol(row.Symbol);
            text += " ";
            const std::string_view lineText = state.RawStack[row.Side].Text(row.RawLine);
            if (colour && partner[i] >= 0) {
                const auto other = static_cast<size_t>(partner[i]);
                std::vector<CharRange> marks;
                if (const auto waiting = partnerMarks.find(i); waiting != partnerMarks.end()) {
                    marks = std::move(waiting->second);
                    partnerMarks.erase(waiting);
                } else {
                    // Both lines in File 1, File 2 order, whichever of them this row shows.
                    const CombinedRow& otherRow = rows[other];
                    std::array<std::string_view, 2> pair;
                    pair[row.Side] = lineText;
                    pair[otherRow.Side] = state.RawStack[otherRow.Side].Text(otherRow.RawLine);
                    LineChanges changes = CompareWithinLines(pair, options);
                    marks = std::move(changes.Ranges[row.Side]);
                    partnerMarks[other] = std::move(changes.Ranges[otherRow.Side]);
                }
                AppendMarked(text, lineText, marks);
            } else {
                AppendVisible(text, lineText);
            }
            if (*rowColour != '\0') text += kReset;
            text += "\n";
            flush(false);
        }
        markLeftOut();
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
