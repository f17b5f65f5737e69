// The rows a pane draws, their texts and their colours.
#include "DisplayLines.h"

#include <algorithm>

#include "DirectionText.h"
#include "RunTimeError.h"
#include "Symbols.h"

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

// A row as the pane draws it: its printed text with placeholders for direction controls.
PaneLine ShownLine(std::string text, LineColours colours) {
    PaneLine line{std::move(text), colours, {}, {}};
    line.Placeholders = ShowDirectionPlaceholders(line.Text);
    return line;
}

std::string_view LineText(const ComparisonState& state, int file, int32_t rawLine) {
    if (rawLine < 1 || rawLine > state.RawCount(file)) return {};
    return state.RawStack[file].Text(rawLine);
}

}  // namespace

LineColours TwoPaneColours(LineSymbol symbol, const Settings& settings, uint32_t previousFore) {
    bool known = false;
    const LineColours colours = ClassColours(symbol, settings, known);
    return known ? colours : LineColours{previousFore, 0xFFFFFF};
}

int32_t DisplayColumn(std::string_view text, size_t offset) {
    int32_t column = 0;
    for (size_t i = 0; i < std::min(offset, text.size()); ++i) {
        // A UTF-8 continuation byte belongs to the character before it.
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) {
            column = ColumnAfter(column, text[i]);
        }
    }
    return column;
}

std::string RowText(const std::string& symbol, int32_t rawLine, int32_t numberOffset,
                    std::string_view lineText, const Settings& settings) {
    std::string text = settings.Symbols ? symbol : std::string();
    if (settings.LineNumbers && rawLine > 0) {
        text += " [" + std::to_string(rawLine - numberOffset) + "]";
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

RowSource PaneRowSource(const ComparisonState& state, int32_t proc, bool combined, int pane,
                        int32_t row) {
    if (combined) {
        if (row < 1 || row > state.CombinedCount(proc)) return {};
        const CombinedRow& r = state.CombinedDisplay.Row(proc)[static_cast<size_t>(row - 1)];
        return {r.Side == 1 ? 1 : 0, r.RawLine, r.Symbol};
    }
    if (row < 1 || row > state.SeparateCount(proc) || pane < 0 || pane > 1) return {};
    const DisplayCell& cell =
        state.SeparateDisplay.Row(proc)[static_cast<size_t>(row - 1)].Pane[pane];
    return {pane, cell.RawLine, cell.Symbol};
}

std::string PaneRowText(const ComparisonState& state, const Settings& settings, int32_t proc,
                        bool combined, int pane, int32_t row) {
    const RowSource source = PaneRowSource(state, proc, combined, pane, row);
    const std::string symbol =
        combined ? CombinedSymbol(source.Symbol) : TwoPaneSymbol(source.Symbol);
    return RowText(symbol, source.RawLine, NumberOffset(state, proc, source.File, settings),
                   LineText(state, source.File, source.RawLine), settings);
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
        const LineColours colours = TwoPaneColours(cell.Symbol, settings, fore);
        fore = colours.Fore;
        picture.Lines.push_back(
            ShownLine(PaneRowText(state, settings, proc, false, pane, line),
                      WithHiLite(colours, line == picture.HiLiteLine, settings)));
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
        bool known = false;
        const LineColours colours = ClassColours(row.Symbol, settings, known);
        if (!known || row.Symbol == LineSymbol::HiddenMarker) {
            throw AssertFailure("frmMain: ShowCombinedDisplayArray unexpected LineSymbol " +
                                std::to_string(static_cast<int>(row.Symbol)));
        }
        picture.Lines.push_back(ShownLine(PaneRowText(state, settings, proc, true, 0, line),
                                          WithHiLite(colours, line == hiLiteLine, settings)));
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

int32_t CodePoints(std::string_view text) {
    return static_cast<int32_t>(std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

// The code points of a row's text before its line: the symbol, the number and a blank. Counted
// from the end, as placeholders may take more bytes than what they stand for, never more code
// points.
int32_t PrefixCodePoints(const PaneLine& line, std::string_view lineText) {
    return CodePoints(line.Text) - CodePoints(lineText);
}

void AddMarks(PaneLine& line, std::string_view lineText, const std::vector<CharRange>& ranges) {
    const int32_t shift = PrefixCodePoints(line, lineText);
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
                AddMarks(shown.Lines[static_cast<size_t>(row - shown.Window.Top)], texts[side],
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
            AddMarks(picture.Lines[static_cast<size_t>(pairRows[side] - w.Top)], texts[side],
                     changes.Ranges[side]);
        }
    }
}

}  // namespace dualis
