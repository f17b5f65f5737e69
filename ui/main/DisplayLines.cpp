// The rows a pane draws, their texts and their colours.
#include "DisplayLines.h"

#include <algorithm>
#include <optional>

#include "DirectionText.h"
#include "RunTimeError.h"

namespace dualis {

int32_t ViewRowCount(const ComparisonState& state, int32_t proc, std::string_view viewMode) {
    return viewMode == "C" ? state.CombinedCount(proc) : state.SeparateCount(proc);
}

LineWindow ChooseLineWindow(int32_t n, int32_t linesPerPane, int32_t scrollValue) {
    if (linesPerPane >= n) return {1, n};
    LineWindow w;
    w.Top = scrollValue == 0 ? 1 : scrollValue;
    w.Bottom = w.Top + linesPerPane;
    if (w.Bottom > n) {
        // The last page starts two rows past the page's length; a page of one row still shows
        // the last row rather than none.
        w.Top = std::min(n - linesPerPane + 2, n);
        w.Bottom = n;
    }
    return w;
}

namespace {

// A colour taken `part` of the way from `from` towards `to`, channel by channel.
uint32_t Towards(uint32_t from, uint32_t to, double part) {
    uint32_t mixed = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        const int a = static_cast<int>((from >> shift) & 0xFF);
        const int b = static_cast<int>((to >> shift) & 0xFF);
        mixed |= static_cast<uint32_t>(a + static_cast<int>((b - a) * part)) << shift;
    }
    return mixed;
}

LineColours ClassColours(LineSymbol symbol, const Settings& s, bool& known) {
    known = true;
    switch (symbol) {
        case LineSymbol::HiddenMarker:
        case LineSymbol::Equal:
            return {s.ForeColorEqual, s.BackColorEqual};
        case LineSymbol::Ignored:
            return {s.ForeColorIgnored, s.BackColorIgnored};
        case LineSymbol::Added:
            return {s.ForeColorAdded, s.BackColorAdded};
        case LineSymbol::Changed:
            return {s.ForeColorChanged, s.BackColorChanged};
        case LineSymbol::Deleted:
            return {s.ForeColorDeleted, s.BackColorDeleted};
    }
    known = false;
    return {};
}

LineColours WithHiLite(LineColours colours, bool hiLite, const Settings& s) {
    if (hiLite) colours = {s.ForeColorHiLite, s.BackColorHiLite};
    return colours;
}

// A row as the pane draws it: its printed text with placeholders for direction controls. The
// placeholders stand after the ASCII prefix, which keeps its bytes.
PaneLine ShownLine(PrintedRow printed, LineColours colours, bool filler) {
    PaneLine line{std::move(printed.Text), colours, {}, {}, printed.CodeStart, filler};
    line.Placeholders = ShowDirectionPlaceholders(line.Text);
    return line;
}

std::string_view LineText(const ComparisonState& state, int file, int32_t rawLine) {
    if (rawLine < 1 || rawLine > state.RawCount(file)) return {};
    return state.RawStack[file].Text(rawLine);
}

}  // namespace

LineColours KindColours(RowKind kind, const Settings& settings, uint32_t previousFore) {
    if (kind == RowKind::Filler) return FillerColours(settings);
    bool known = false;
    const std::optional<LineSymbol> symbol = KindClass(kind);
    const LineColours colours = symbol ? ClassColours(*symbol, settings, known) : LineColours{};
    return known ? colours : LineColours{previousFore, 0xFFFFFF};
}

LineColours FillerColours(const Settings& settings) {
    return {Towards(settings.BackColorEqual, settings.ForeColorEqual, 0.16),
            Towards(settings.BackColorEqual, settings.ForeColorEqual, 0.04)};
}

int32_t DisplayColumn(std::string_view text, size_t offset, size_t codeStart) {
    int32_t column = 0;
    const auto codeColumn = static_cast<int32_t>(codeStart);
    for (size_t i = 0; i < std::min(offset, text.size()); ++i) {
        // A UTF-8 continuation byte belongs to the character before it.
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) {
            column = ColumnAfter(column, text[i], codeColumn);
        }
    }
    return column;
}

int32_t WidestLineColumns(const ComparisonState& state, int file) {
    // A line without tabs takes a column a character, which the longest line bounds already.
    int32_t widest = state.MaxLineLength(file);
    const RawStore& raw = state.RawStack[file];
    for (int32_t line = 1; line <= state.RawCount(file); ++line) {
        const std::string_view text = raw.Text(line);
        if (text.find('\t') == std::string_view::npos) continue;
        widest = std::max(widest, DisplayColumn(text, text.size()));
    }
    return widest;
}

std::string RowText(const std::string& symbol, int32_t rawLine, int32_t numberOffset,
                    int32_t numberWidth, std::string_view lineText, const Settings& settings) {
    std::string text = settings.Symbols ? symbol : std::string();
    if (settings.LineNumbers && rawLine > 0) {
        const std::string number = std::to_string(rawLine - numberOffset);
        text += " [";
        text.append(static_cast<size_t>(
                        std::max<int32_t>(0, numberWidth - static_cast<int32_t>(number.size()))),
                    ' ');
        text += number + "]";
    }
    if (rawLine > 0) {
        text += ' ';
        text += lineText;
    }
    return text;
}

int32_t NumberOffset(const ComparisonState& state, int32_t proc, int file,
                     const Settings& settings) {
    if (!settings.LineNumberByProc || proc < 1 || proc > state.ProcCount()) return 0;
    return state.ProcStack[proc].FirstRaw[file] - 1;
}

int32_t NumberWidth(const ComparisonState& state, int32_t proc, const Settings& settings) {
    int32_t largest = 0;
    if (proc >= 1 && proc <= state.ProcCount()) {
        const ProcRecord& record = state.ProcStack[proc];
        for (int f = 0; f < 2; ++f) {
            if (record.FirstRaw[f] < 1 || record.LastRaw[f] < record.FirstRaw[f]) continue;
            largest = std::max(largest, record.LastRaw[f] - NumberOffset(state, proc, f, settings));
        }
    }
    return static_cast<int32_t>(std::to_string(largest).size());
}

RowSource PaneRowSource(const ComparisonState& state, int32_t proc, bool combined, int pane,
                        int32_t row) {
    if (combined) {
        if (row < 1 || row > state.CombinedCount(proc)) return {};
        const CombinedRow& r = state.CombinedDisplay.Row(proc)[static_cast<size_t>(row - 1)];
        return {r.Side == 1 ? 1 : 0, r.RawLine, r.Symbol, CombinedRowKind(r.Symbol)};
    }
    if (row < 1 || row > state.SeparateCount(proc) || pane < 0 || pane > 1) return {};
    const DisplayCell& cell =
        state.SeparateDisplay.Row(proc)[static_cast<size_t>(row - 1)].Pane[pane];
    return {pane, cell.RawLine, cell.Symbol, SeparateRowKind(pane, cell.Symbol, cell.RawLine)};
}

PrintedRow PrintRow(const ComparisonState& state, const Settings& settings, int32_t proc,
                    bool combined, int pane, int32_t row) {
    const RowSource source = PaneRowSource(state, proc, combined, pane, row);
    const std::string_view lineText = LineText(state, source.File, source.RawLine);
    PrintedRow printed;
    printed.Text = RowText(KindSymbol(source.Kind, combined), source.RawLine,
                           NumberOffset(state, proc, source.File, settings),
                           NumberWidth(state, proc, settings), lineText, settings);
    printed.CodeStart = static_cast<int32_t>(printed.Text.size() - lineText.size());
    return printed;
}

std::string PaneRowText(const ComparisonState& state, const Settings& settings, int32_t proc,
                        bool combined, int pane, int32_t row) {
    return PrintRow(state, settings, proc, combined, pane, row).Text;
}

PanePicture BothPanesPicture(const ComparisonState& state, const Settings& settings, int32_t proc,
                             int pane, int32_t linesPerPane, int32_t scrollValue,
                             int32_t hiLiteLine) {
    PanePicture picture;
    const auto rows = state.SeparateDisplay.Row(proc);
    const auto n = static_cast<int32_t>(rows.size());
    if (n < 1) return picture;
    picture.Window = ChooseLineWindow(n, linesPerPane, scrollValue);
    const LineWindow w = picture.Window;
    picture.HiLiteLine = (hiLiteLine < w.Top || hiLiteLine > w.Bottom) ? 0 : hiLiteLine;
    uint32_t fore = settings.ForeColorEqual;
    picture.Lines.reserve(static_cast<size_t>(w.Bottom - w.Top + 1));
    for (int32_t line = w.Top; line <= w.Bottom; ++line) {
        const DisplayCell& cell = rows[static_cast<size_t>(line - 1)].Pane[pane];
        const RowKind kind = SeparateRowKind(pane, cell.Symbol, cell.RawLine);
        const LineColours colours = KindColours(kind, settings, fore);
        // A filler has no text, so an unknown class after it keeps the colour of the text before.
        if (kind != RowKind::Filler) fore = colours.Fore;
        const bool hiLite = line == picture.HiLiteLine;
        picture.Lines.push_back(ShownLine(PrintRow(state, settings, proc, false, pane, line),
                                          WithHiLite(colours, hiLite, settings),
                                          kind == RowKind::Filler && !hiLite));
    }
    return picture;
}

PanePicture CombinedPicture(const ComparisonState& state, const Settings& settings, int32_t proc,
                            int32_t linesPerPane, int32_t scrollValue, int32_t hiLiteLine) {
    PanePicture picture;
    const auto rows = state.CombinedDisplay.Row(proc);
    const auto n = static_cast<int32_t>(rows.size());
    picture.HiLiteLine = hiLiteLine;
    if (n < 1) return picture;
    picture.Window = ChooseLineWindow(n, linesPerPane, scrollValue);
    const LineWindow w = picture.Window;
    picture.Lines.reserve(static_cast<size_t>(w.Bottom - w.Top + 1));
    for (int32_t line = w.Top; line <= w.Bottom; ++line) {
        const CombinedRow& row = rows[static_cast<size_t>(line - 1)];
        const RowKind kind = CombinedRowKind(row.Symbol);
        if (kind == RowKind::Unknown || kind == RowKind::Marker) {
            throw AssertFailure("frmMain: ShowCombinedDisplayArray unexpected LineSymbol " +
                                std::to_string(static_cast<int>(row.Symbol)));
        }
        const LineColours colours = KindColours(kind, settings, settings.ForeColorEqual);
        picture.Lines.push_back(ShownLine(PrintRow(state, settings, proc, true, 0, line),
                                          WithHiLite(colours, line == hiLiteLine, settings),
                                          false));
    }
    return picture;
}

uint32_t MarkBackColour(LineColours colours) {
    uint32_t mixed = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        const int back = static_cast<int>((colours.Back >> shift) & 0xFF);
        const int fore = static_cast<int>((colours.Fore >> shift) & 0xFF);
        mixed |= static_cast<uint32_t>(back + (fore - back) / 3) << shift;
    }
    return mixed;
}

namespace {

// The ranges count code points of the line; the row's text has the prefix before them.
void AddMarks(PaneLine& line, const std::vector<CharRange>& ranges) {
    const int32_t shift = line.CodeStart;
    line.Marks.clear();
    for (const CharRange& r : ranges) line.Marks.push_back({r.Begin + shift, r.End + shift});
}

bool Shows(const LineWindow& w, int32_t row) {
    return row >= w.Top && row <= w.Bottom;
}

}  // namespace

void MarkBothPanes(const ComparisonState& state, const Settings& settings, int32_t proc,
                   std::array<PanePicture, 2>& pictures) {
    for (PanePicture& picture : pictures) picture.UnderlineMarks = !settings.Symbols;
    if (!settings.HighlightInLine) return;
    const auto rows = state.SeparateDisplay.Row(proc);
    for (int p = 0; p < 2; ++p) {
        const LineWindow w = pictures[p].Window;
        for (int32_t row = w.Top; row <= w.Bottom; ++row) {
            // Rows both panes show were marked with the first pane.
            if (p == 1 && Shows(pictures[0].Window, row)) continue;
            const auto& cells = rows[static_cast<size_t>(row - 1)].Pane;
            if (cells[0].Symbol != LineSymbol::Changed || cells[1].Symbol != LineSymbol::Changed) {
                continue;
            }
            const std::array<std::string_view, 2> texts{LineText(state, 0, cells[0].RawLine),
                                                        LineText(state, 1, cells[1].RawLine)};
            const LineChanges changes = CompareWithinLines(texts, settings.Compare);
            for (int side = 0; side < 2; ++side) {
                PanePicture& shown = pictures[side];
                if (!Shows(shown.Window, row)) continue;
                AddMarks(shown.Lines[static_cast<size_t>(row - shown.Window.Top)],
                         changes.Ranges[side]);
            }
        }
    }
}

void MarkCombined(const ComparisonState& state, const Settings& settings, int32_t proc,
                  std::span<const int32_t> pairs, PanePicture& picture) {
    picture.UnderlineMarks = !settings.Symbols;
    if (!settings.HighlightInLine) return;
    const auto rows = state.CombinedDisplay.Row(proc);
    const LineWindow w = picture.Window;
    for (int32_t row = w.Top; row <= w.Bottom; ++row) {
        const auto index = static_cast<size_t>(row - 1);
        if (index >= pairs.size() || pairs[index] < 0) continue;
        const int32_t partnerRow = pairs[index] + 1;
        // A Deleted row comes before its partner, so a pair the window shows whole is compared
        // once, at its Deleted row.
        const bool deleted = rows[index].Symbol == LineSymbol::Deleted;
        if (!deleted && Shows(w, partnerRow)) continue;
        const std::array<const CombinedRow*, 2> pair =
            deleted ? std::array{&rows[index], &rows[static_cast<size_t>(partnerRow - 1)]}
                    : std::array{&rows[static_cast<size_t>(partnerRow - 1)], &rows[index]};
        const std::array<std::string_view, 2> texts{
            LineText(state, pair[0]->Side, pair[0]->RawLine),
            LineText(state, pair[1]->Side, pair[1]->RawLine)};
        const LineChanges changes = CompareWithinLines(texts, settings.Compare);
        const std::array<int32_t, 2> pairRows =
            deleted ? std::array{row, partnerRow} : std::array{partnerRow, row};
        for (int side = 0; side < 2; ++side) {
            if (!Shows(w, pairRows[side])) continue;
            AddMarks(picture.Lines[static_cast<size_t>(pairRows[side] - w.Top)],
                     changes.Ranges[side]);
        }
    }
}

}  // namespace dualis
