// Which display rows a pane draws and how each one looks: its text with the symbol and number
// prefix, and its colours. The pane widget only paints what these functions return.
//
// Example: with symbols and line numbers on, in a procedure whose largest line number is 120,
// raw line 12 that only File 2 has, reading "x = 1", is drawn as "+ [ 12] x = 1" in the added
// colours; the row facing it in File 1's pane is a filler: no text, on the filler's quiet ground.
// A tab in "x = 1" would stand at the columns 8, 16, ... counted from the "x", never from the "+".
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "ComparisonState.h"
#include "InlineDiff.h"
#include "RowKind.h"
#include "Settings.h"
#include "Symbols.h"

namespace dualis {

// The rows of procedure `proc` in view `viewMode` ("C" combined, else the two-pane rows).
int32_t ViewRowCount(const ComparisonState& state, int32_t proc, std::string_view viewMode);

// The first and last display row a pane draws (1-based, inclusive); Bottom < Top: none.
struct LineWindow {
    int32_t Top = 1;
    int32_t Bottom = 0;
};

// The rows drawn for n rows, a page of `linesPerPane` rows and the vertical scroll value. When
// the page is shorter than the rows, the window starts at the scroll value and takes one row
// more than the page; at the end it is pulled back so that row n is the last one (starting at
// n - linesPerPane + 2, which keeps the last page's top row below the scroll value's).
LineWindow ChooseLineWindow(int32_t n, int32_t linesPerPane, int32_t scrollValue);

struct LineColours {
    uint32_t Fore = 0;
    uint32_t Back = 0xFFFFFF;
};

// One row as drawn: a band of Back across the pane with Text in Fore; the parts that differ
// from the line facing it (code points of Text) stand on a stronger background. A character
// that changes the text direction is drawn as a placeholder (DirectionText.h); Placeholders
// holds where (code points of Text). The line's own text starts at code point CodeStart, after
// the symbol and number, which are ASCII: it is also the column where the code starts and from
// which its tab stops count. A filler row has no text; its band is hatched in Fore.
struct PaneLine {
    std::string Text;
    LineColours Colours;
    std::vector<CharRange> Marks;
    std::vector<int32_t> Placeholders = {};
    int32_t CodeStart = 0;
    bool Filler = false;
};

// What a two-pane view draws for one pane of procedure `proc`, and the highlight it keeps.
struct PanePicture {
    LineWindow Window;
    std::vector<PaneLine> Lines;  // rows Window.Top to Window.Bottom
    int32_t HiLiteLine = 0;       // the highlight, cleared to 0 when outside the window
    // Without symbols a colour is all that tells a row's class, so marks are underlined too and
    // stay visible to readers who cannot tell the colours apart.
    bool UnderlineMarks = false;
};

// The background of a row's changed parts: its back colour taken a third of the way towards its
// fore colour, so that it stands out in whatever colours the user chose.
uint32_t MarkBackColour(LineColours colours);

// The colours of a row of the kind: its class's colours, the filler's, or for an unknown class
// white with `previousFore`.
LineColours KindColours(RowKind kind, const Settings& settings, uint32_t previousFore);

// A filler says "nothing here" in whatever colours the user chose: its ground is the equal rows'
// back colour taken a little towards their fore colour, hatched (Fore) a little further.
LineColours FillerColours(const Settings& settings);

// Tabs stand every eight columns, counted from the column where the code starts: the column
// after a character that starts at `column`. Before `codeStart` (the symbol and number) every
// character takes one column. The painter, the search and the marks all count by this rule.
inline constexpr int32_t TabColumns = 8;
inline int32_t ColumnAfter(int32_t column, char c, int32_t codeStart = 0) {
    if (c != '\t' || column < codeStart) return column + 1;
    return codeStart + ((column - codeStart) / TabColumns + 1) * TabColumns;
}

// The column (from 0) at which the character at byte `offset` of a printed row stands, whose
// code starts at byte (and column) `codeStart`: code points counted, tabs taken to their stop.
int32_t DisplayColumn(std::string_view text, size_t offset, size_t codeStart = 0);

// The columns the widest raw line of `file` takes, tabs taken to their stops.
int32_t WidestLineColumns(const ComparisonState& state, int file);

// The printed text of a row: the symbol (when Symbols is on), " [number]" when LineNumbers is on
// and the row shows a line, the number padded with blanks in front to `numberWidth` digits, then
// a blank and the line's text when it shows one.
std::string RowText(const std::string& symbol, int32_t rawLine, int32_t numberOffset,
                    int32_t numberWidth, std::string_view lineText, const Settings& settings);

// The number subtracted from a raw line's number: the procedure's first raw line in the file,
// minus 1, when numbers count from the top of the procedure; else 0.
int32_t NumberOffset(const ComparisonState& state, int32_t proc, int file,
                     const Settings& settings);

// The digits of the largest line number procedure `proc` shows in either file, so that every
// row of it, in every view, starts its code in the same column.
int32_t NumberWidth(const ComparisonState& state, int32_t proc, const Settings& settings);

// What display row `row` (1-based) of a pane shows: the file whose raw line it is, that line
// (0: none, as in a filler row facing another file's line, or a marker of hidden lines), the
// row's class as the array holds it and what the row is to the comparison. In the combined view
// the one pane is pane 0 and each row names its own file. A row outside the procedure shows
// nothing.
struct RowSource {
    int File = 0;
    int32_t RawLine = 0;
    LineSymbol Symbol = LineSymbol::Ignored;
    RowKind Kind = RowKind::Filler;
};
RowSource PaneRowSource(const ComparisonState& state, int32_t proc, bool combined, int pane,
                        int32_t row);

// Display row `row` of a pane as the pane prints it, and where its line's text starts.
struct PrintedRow {
    std::string Text;
    int32_t CodeStart = 0;
};
PrintedRow PrintRow(const ComparisonState& state, const Settings& settings, int32_t proc,
                    bool combined, int pane, int32_t row);
std::string PaneRowText(const ComparisonState& state, const Settings& settings, int32_t proc,
                        bool combined, int pane, int32_t row);

PanePicture BothPanesPicture(const ComparisonState& state, const Settings& settings, int32_t proc,
                             int pane, int32_t linesPerPane, int32_t scrollValue,
                             int32_t hiLiteLine);

// The combined view's one pane. A row whose class is not one of Equal to Deleted is a failed
// consistency check (a run-time error naming "frmMain: ShowCombinedDisplayArray"). The highlight
// is kept even when outside the window.
PanePicture CombinedPicture(const ComparisonState& state, const Settings& settings, int32_t proc,
                            int32_t linesPerPane, int32_t scrollValue, int32_t hiLiteLine);

// Marks what differs within the lines of the rows where a changed line of File 1 faces a changed
// line of File 2. The panes may scroll apart, so each picture has its own window; a pair of
// lines both show is compared once. Nothing is marked when HighlightInLine is off.
void MarkBothPanes(const ComparisonState& state, const Settings& settings, int32_t proc,
                   std::array<PanePicture, 2>& pictures);

// The same in the combined view, where `pairs` (PairCombinedRows of the procedure's rows) tells
// which Added row each Deleted row faces.
void MarkCombined(const ComparisonState& state, const Settings& settings, int32_t proc,
                  std::span<const int32_t> pairs, PanePicture& picture);

}  // namespace dualis
