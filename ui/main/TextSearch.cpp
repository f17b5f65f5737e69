// The find bar's search through the procedures of the list.
#include "TextSearch.h"

#include <algorithm>
#include <cmath>
#include <span>
#include <tuple>

namespace dualis {

namespace {

// The places of one procedure in the view, numbered from 0 in the order of the search: row r's
// pane p is place 2(r-1)+p in the two-pane views, row r is place r-1 in the combined view.
class ProcPlaces {
  public:
    ProcPlaces(const ComparisonState& state, int32_t proc, bool combined)
        : state_(state),
          combined_(state.CombinedDisplay.Row(proc)),
          separate_(state.SeparateDisplay.Row(proc)),
          isCombined_(combined) {}

    int32_t Count() const {
        return static_cast<int32_t>(isCombined_ ? combined_.size() : 2 * separate_.size());
    }
    int32_t IndexOf(int32_t row, int pane) const {
        return isCombined_ ? row - 1 : 2 * (row - 1) + (pane == 1 ? 1 : 0);
    }
    int32_t Row(int32_t index) const { return isCombined_ ? index + 1 : index / 2 + 1; }
    int Pane(int32_t index) const { return isCombined_ ? 0 : index % 2; }

    bool Holds(int32_t index, const TextMatcher& matcher) const {
        int file = 0;
        int32_t line = 0;
        if (isCombined_) {
            const CombinedRow& row = combined_[static_cast<size_t>(index)];
            file = row.Side == 1 ? 1 : 0;
            line = row.RawLine;
        } else {
            file = index % 2;
            line = separate_[static_cast<size_t>(index / 2)].Pane[file].RawLine;
        }
        if (line < 1 || line > state_.RawCount(file)) return false;  // a filler or a marker
        return matcher.InLine(state_.RawStack[file].Text(line));
    }

  private:
    const ComparisonState& state_;
    std::span<const CombinedRow> combined_;
    std::span<const SeparateRow> separate_;
    bool isCombined_;
};

// Whether either file's lines of the procedure hold the text at all: one sweep over its lines,
// which settles every procedure that does not without looking at its rows.
bool MayHold(const ComparisonState& state, int32_t proc, const TextMatcher& matcher) {
    if (proc < 1 || proc > state.ProcCount()) return false;
    const ProcRecord& record = state.ProcStack[static_cast<size_t>(proc)];
    for (int f = 0; f < 2; ++f) {
        if (record.InFile(f) &&
            matcher.InLines(state.RawStack[f], record.FirstRaw[f], record.LastRaw[f])) {
            return true;
        }
    }
    return false;
}

}  // namespace

std::optional<SearchPlace> FindText(const ComparisonState& state,
                                    const std::vector<ProcListEntry>& entries, bool combined,
                                    const TextQuery& query, const SearchPlace& from,
                                    int direction) {
    const TextMatcher matcher(query);
    const int count = static_cast<int>(entries.size());
    if (matcher.Empty() || count == 0) return std::nullopt;
    const int step = direction < 0 ? -1 : 1;
    const int start = std::clamp(from.Entry, 0, count - 1);
    // The starting entry is visited twice: first the places after `from`, and at the very end,
    // once every other entry has been searched, the places up to `from` itself.
    for (int k = 0; k <= count; ++k) {
        const int entry = ((start + step * k) % count + count) % count;
        const int32_t proc = entries[static_cast<size_t>(entry)].Proc;
        const ProcPlaces places(state, proc, combined);
        const int32_t n = places.Count();
        const int32_t at = std::clamp(places.IndexOf(from.Row, from.Pane), -1, n);
        int32_t first = step > 0 ? 0 : n - 1;  // the places visited, in the order of the search
        int32_t last = step > 0 ? n - 1 : 0;
        if (k == 0) first = at + step;
        if (k == count) last = at;
        if ((last - first) * step < 0 || !MayHold(state, proc, matcher)) continue;
        for (int32_t i = first;; i += step) {
            if (i >= 0 && i < n && places.Holds(i, matcher))
                return SearchPlace{entry, places.Row(i), places.Pane(i)};
            if (i == last) break;
        }
    }
    return std::nullopt;
}

bool SearchWentRound(const SearchPlace& found, const SearchPlace& from, int direction) {
    const auto place = [](const SearchPlace& p) { return std::tie(p.Entry, p.Row, p.Pane); };
    return direction > 0 ? place(found) <= place(from) : place(found) >= place(from);
}

bool BytesMayHold(const std::array<std::string, 2>& bytes, const TextQuery& query) {
    const bool ascii = std::all_of(query.Text.begin(), query.Text.end(),
                                   [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    if (!ascii) return true;
    TextQuery anywhere = query;
    anywhere.WholeWord = false;  // a whole word is in the bytes only where the text is
    const TextMatcher matcher(anywhere);
    for (const std::string& file : bytes) {
        const bool utf16 = file.size() >= 2 && ((file[0] == '\xFF' && file[1] == '\xFE') ||
                                                (file[0] == '\xFE' && file[1] == '\xFF'));
        if (utf16 || matcher.Find(file)) return true;
    }
    return false;
}

std::optional<FoundColumns> FindColumns(const ComparisonState& state, const Settings& settings,
                                        int32_t proc, bool combined, int pane, int32_t row,
                                        const TextQuery& query) {
    const RowSource source = PaneRowSource(state, proc, combined, pane, row);
    if (source.RawLine < 1 || source.RawLine > state.RawCount(source.File)) return std::nullopt;
    const std::string_view line = state.RawStack[source.File].Text(source.RawLine);
    const std::optional<size_t> at = TextMatcher(query).Find(line);
    if (!at) return std::nullopt;
    // The line is printed after the symbol and the number; its tab stops count from its start.
    const PrintedRow printed = PrintRow(state, settings, proc, combined, pane, row);
    const auto codeStart = static_cast<size_t>(printed.CodeStart);
    const size_t start = codeStart + *at;
    const int32_t column = DisplayColumn(printed.Text, start, codeStart);
    return FoundColumns{column,
                        DisplayColumn(printed.Text, start + query.Text.size(), codeStart) - column};
}

std::optional<int32_t> ScrollToWholeRow(int32_t row, int direction, LineWindow drawn,
                                        int32_t wholeRows, int32_t scrollMax) {
    const int32_t whole = std::max(1, wholeRows);
    const bool wholly = row >= drawn.Top && row <= std::min(drawn.Bottom, drawn.Top + whole - 1);
    if (wholly || scrollMax <= 1) return std::nullopt;
    // Near the end the drawing pulls its rows back (ChooseLineWindow), so that the last row is
    // whole from the value that puts the row second (or last) onward, since a page never holds
    // more than one row beyond the whole ones.
    const int32_t wanted = direction > 0 ? row - std::min(1, whole - 1) : row - whole + 1;
    return std::clamp(wanted, 1, scrollMax);
}

MarkBox FoundMarkBox(int32_t row, FoundColumns columns, LineWindow drawn, int rowHeight,
                     double charWidth) {
    if (row < drawn.Top || row > drawn.Bottom || columns.Length <= 0) return {};
    const int left = static_cast<int>(std::lround(columns.Column * charWidth));
    const int right = static_cast<int>(std::lround((columns.Column + columns.Length) * charWidth));
    return {left, (row - drawn.Top) * rowHeight, right - left, rowHeight};
}

std::optional<int32_t> ScrollToColumns(int32_t column, int32_t length, int32_t value, int32_t shown,
                                       int32_t maxValue) {
    const int32_t first = value - 1;  // columns count from 0 here
    const bool onScreen = column >= first && column + length <= first + shown;
    if (onScreen || maxValue <= 1) return std::nullopt;
    const int32_t wanted = std::clamp(column - shown / 4 + 1, 1, maxValue);
    return wanted == value ? std::nullopt : std::optional<int32_t>(wanted);
}

}  // namespace dualis
