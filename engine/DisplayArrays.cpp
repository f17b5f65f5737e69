// Worked example. File 1: A B C D, File 2: A X Y D, one procedure; matches A-A, D-D and the
// sentinel. The gap before D holds B C on one side and X Y on the other:
//
//   separate panes          combined rows
//   A = | A =               A  =  (File 1)
//   B # | X #               B  -  (File 1)
//   C # | Y #               C  -  (File 1)
//   D = | D =               X  +  (File 2)
//                           Y  +  (File 2)
//                           D  =  (File 1)
//
// A gap of three lines against one gives one Changed/Changed row and two Added/filler rows.
#include "DisplayArrays.h"

#include <algorithm>
#include <string>

#include "RunTimeError.h"

namespace dualis {
namespace {

// The record that stands for two files without a single cooked line has no rows at all.
bool IsEmptyComparison(const ProcRecord& p) {
    return p.FirstRaw[0] == 0 && p.FirstRaw[1] == 0;
}

// Every row shows a line of its own, or stands for hidden equal pairs before it (a marker), so
// there are never more rows than lines in both files.
size_t MostRows(const ComparisonState& state) {
    return static_cast<size_t>(state.RawCount(0)) + static_cast<size_t>(state.RawCount(1));
}

// The walk over one procedure's match row that both builders share: it places the gap before
// every entry and then the matched pair, keeping the last line placed and the last line placed
// as part of a difference per file.
template <class Builder>
void WalkMatchedProc(const ComparisonState& state, const ProcRecord& proc,
                     std::span<const MatchRecord> row, const char* builderName, IHost& host,
                     Builder& builder) {
    std::array<int32_t, 2> pos = {proc.FirstRaw[0] - 1, proc.FirstRaw[1] - 1};
    std::array<int32_t, 2> lastDiff = {-9999, -9999};
    for (size_t m = 0; m < row.size(); ++m) {
        const MatchRecord& entry = row[m];
        const std::array<int32_t, 2> gap = {entry.MatchLine[0] - pos[0] - 1,
                                            entry.MatchLine[1] - pos[1] - 1};
        builder.PlaceGap(state, gap, pos, lastDiff);
        for (int f = 0; f < 2; ++f) {
            if (pos[f] + 1 != entry.MatchLine[f]) {
                throw AssertFailure(std::string("mCompare: ") + builderName + " assert failure " +
                                    std::to_string(pos[f] + 1) + "," +
                                    std::to_string(entry.MatchLine[f]));
            }
            ++pos[f];
        }
        if (m + 1 < row.size()) builder.PlacePair(entry, pos, lastDiff);
        if ((m + 1) % 500 == 0) host.DoEvents();
    }
}

class SeparateBuilder {
  public:
    SeparateBuilder(ProcRows<SeparateRow>& rows, const CompareOptions& options)
        : rows_(rows), options_(options) {}

    void PlaceGap(const ComparisonState& state, std::array<int32_t, 2> gap,
                  std::array<int32_t, 2>& pos, std::array<int32_t, 2>& lastDiff) {
        const int32_t rows = std::max(gap[0], gap[1]);
        for (int32_t q = 1; q <= rows; ++q) {
            SeparateRow row;
            for (int s = 0; s < 2; ++s) {
                if (q > gap[s]) {
                    row.Pane[s] = {0, LineSymbol::Deleted};
                    continue;
                }
                const int32_t line = ++pos[s];
                lastDiff[s] = line;
                const LineSymbol symbol = state.RawStack[s].Ignored(line) ? LineSymbol::Ignored
                                          : q <= gap[1 - s]               ? LineSymbol::Changed
                                                                          : LineSymbol::Added;
                row.Pane[s] = {line, symbol};
            }
            Add(row);
        }
    }

    void PlacePair(const MatchRecord& entry, std::array<int32_t, 2> pos,
                   std::array<int32_t, 2> lastDiff) {
        const int16_t before = options_.DifferencesBefore;
        const int16_t after = options_.DifferencesAfter;
        const bool hidden = options_.DifferencesOnly && pos[0] - lastDiff[0] > after &&
                            pos[1] - lastDiff[1] > after && entry.NextDiff[0] - pos[0] > before &&
                            entry.NextDiff[1] - pos[1] > before;
        if (hidden) {
            markerPending_ = true;
            return;
        }
        Add(SeparateRow{
            {DisplayCell{pos[0], LineSymbol::Equal}, DisplayCell{pos[1], LineSymbol::Equal}}});
    }

    // A run of hidden pairs gets its marker only once another row follows it.
    void EndProc() { markerPending_ = false; }

  private:
    void Add(const SeparateRow& row) {
        if (markerPending_) {
            rows_.Add(SeparateRow{{DisplayCell{0, LineSymbol::HiddenMarker},
                                   DisplayCell{0, LineSymbol::HiddenMarker}}});
            markerPending_ = false;
        }
        rows_.Add(row);
    }

    ProcRows<SeparateRow>& rows_;
    const CompareOptions& options_;
    bool markerPending_ = false;
};

class CombinedBuilder {
  public:
    CombinedBuilder(ProcRows<CombinedRow>& rows, const CompareOptions& options)
        : rows_(rows), options_(options) {}

    void PlaceGap(const ComparisonState& state, std::array<int32_t, 2> gap,
                  std::array<int32_t, 2>& pos, std::array<int32_t, 2>& lastDiff) {
        for (int s = 0; s < 2; ++s) {
            const LineSymbol symbol = s == 0 ? LineSymbol::Deleted : LineSymbol::Added;
            for (int32_t q = 1; q <= gap[s]; ++q) {
                const int32_t line = ++pos[s];
                lastDiff[s] = line;
                rows_.Add({line, state.RawStack[s].Ignored(line) ? LineSymbol::Ignored : symbol,
                           static_cast<int16_t>(s)});
            }
        }
    }

    void PlacePair(const MatchRecord&, std::array<int32_t, 2> pos,
                   std::array<int32_t, 2> lastDiff) {
        const int16_t after = options_.DifferencesAfter;
        const bool hidden = options_.DifferencesOnly && pos[0] - lastDiff[0] > after &&
                            pos[1] - lastDiff[1] > after;
        if (!hidden) rows_.Add({pos[0], LineSymbol::Equal, 0});
    }

  private:
    ProcRows<CombinedRow>& rows_;
    const CompareOptions& options_;
};

}  // namespace

void LoadSeparateDisplayArrays(ComparisonState& state, const CompareOptions& options, IHost& host) {
    TraceScope trace(host, "mCompare: LoadSeparateDisplayArrays");
    auto& rows = state.SeparateDisplay;
    rows.Clear(MostRows(state));
    SeparateBuilder builder(rows, options);
    for (int32_t p = 1; p <= state.ProcCount(); ++p) {
        const ProcRecord& proc = state.ProcStack[p];
        if (proc.Status == ProcDeleted || proc.Status == ProcAdded) {
            // A procedure of one file only: its lines in its own pane, nothing facing them.
            const int s = proc.Status == ProcDeleted ? 0 : 1;
            for (int32_t r = proc.FirstRaw[s]; r <= proc.LastRaw[s]; ++r) {
                SeparateRow row;
                row.Pane[s] = {
                    r, state.RawStack[s].Ignored(r) ? LineSymbol::Ignored : LineSymbol::Added};
                rows.Add(row);
            }
        } else if (!(proc.Status == ProcEqual && options.DifferencesOnly) &&
                   !IsEmptyComparison(proc)) {
            WalkMatchedProc(state, proc, state.MatchStack.Row(p), "LoadSeparateDisplayArrays", host,
                            builder);
            builder.EndProc();
        }
        rows.EndProc();
        host.DoEvents();
    }
}

void LoadCombinedDisplayArray(ComparisonState& state, const CompareOptions& options, IHost& host) {
    TraceScope trace(host, "mCompare: LoadCombinedDisplayArray");
    auto& rows = state.CombinedDisplay;
    rows.Clear(MostRows(state));
    CombinedBuilder builder(rows, options);
    for (int32_t p = 1; p <= state.ProcCount(); ++p) {
        const ProcRecord& proc = state.ProcStack[p];
        if (proc.Status == ProcDeleted || proc.Status == ProcAdded) {
            // Ignored lines are not told apart here.
            const int s = proc.Status == ProcDeleted ? 0 : 1;
            const LineSymbol symbol = s == 0 ? LineSymbol::Deleted : LineSymbol::Added;
            for (int32_t r = proc.FirstRaw[s]; r <= proc.LastRaw[s]; ++r) {
                rows.Add({r, symbol, static_cast<int16_t>(s)});
            }
        } else if (!IsEmptyComparison(proc)) {
            WalkMatchedProc(state, proc, state.MatchStack.Row(p), "LoadCombinedDisplayArray", host,
                            builder);
        }
        rows.EndProc();
        host.DoEvents();
    }
}

}  // namespace dualis
