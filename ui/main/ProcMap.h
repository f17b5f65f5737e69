// The procedure map: the whole of the current procedure scaled to the height of the strip beside
// a pane's vertical scroll bar, one bin per device pixel, marked where rows differ, with a frame
// round the rows on screen. The strip widget only paints what these functions return.
//
// Example: 4 rows (equal, changed, equal, added) on a strip 8 pixels high give the bins
// None None Changed Changed None None Added Added. 1,000 equal rows and one deleted row on 100
// pixels give 99 bins None and one Deleted, at the pixel where that row falls.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "ComparisonState.h"
#include "DisplayLines.h"
#include "RowKind.h"
#include "Settings.h"

namespace dualis {

// What one bin shows, in rising priority: a bin that several classes share shows the highest,
// so a lone difference among thousands of equal rows keeps its pixel. Equal, ignored and
// marker rows are no difference and leave no mark.
enum class MapMark : uint8_t { None, Added, Deleted, Changed };

MapMark MarkOf(RowKind kind);

// The bins of `rows` on a strip `height` pixels high (none when height < 1). Row i of n (0-based)
// covers the pixels from i * height / n up to (i + 1) * height / n, and always at least one. A
// row is marked by what it is to the comparison, a filler by the line it faces, so the two panes'
// maps mark the same rows alike: a line only File 1 has is Deleted in both.
std::vector<MapMark> MapBins(std::span<const SeparateRow> rows, int pane, int32_t height);
std::vector<MapMark> MapBins(std::span<const CombinedRow> rows, int32_t height);

// The bins of procedure `proc` as view `viewMode` shows it: pane `pane` of the two-pane views,
// or the combined listing ("C").
std::vector<MapMark> ProcMapBins(const ComparisonState& state, int32_t proc,
                                 std::string_view viewMode, int pane, int32_t height);

// Settings colours (red in the low byte) of a map.
struct MapColours {
    uint32_t Ground = 0xFFFFFF;      // the strip: the equal rows' back colour, as in the pane
    uint32_t Frame = 0;              // the rows on screen: the equal rows' text colour
    std::array<uint32_t, 4> Mark{};  // indexed by MapMark; Mark[None] is Ground
    bool operator==(const MapColours&) const = default;
};

MapColours ProcMapColours(const Settings& settings);

// Of a class's back and text colours, the one a mark of one pixel shows on `ground`: the back
// colour when its brightness stands far enough from the ground's, else whichever stands farther.
// Pale back colours that tint a whole row vanish in a one-pixel line.
uint32_t MarkColour(uint32_t back, uint32_t fore, uint32_t ground);

// A run of pixels from Top up to, not including, Bottom; empty when Bottom <= Top.
struct PixelSpan {
    int32_t Top = 0;
    int32_t Bottom = 0;
    bool operator==(const PixelSpan&) const = default;
};

// The frame round rows `shown` of `rows` on a strip `height` pixels high: every pixel the rows
// touch, and at least `minimum` pixels (centred on the rows, kept inside the strip), so that a
// page of a very long procedure can still be seen. Empty when no rows are shown.
PixelSpan MapFrame(int32_t rows, LineWindow shown, int32_t height, int32_t minimum);

// The vertical scroll value that brings the row under `y` of a strip `height` high (any one unit)
// to the middle of a page of `linesPerPane` rows, kept within the bar's 1 to `maximum`.
int32_t MapScrollValue(double y, double height, int32_t rows, int32_t linesPerPane,
                       int32_t maximum);

// What a built map depends on; the window builds it again only when one of these changes.
struct ProcMapSource {
    int64_t Comparison = 0;  // which comparison: the window counts those it has shown
    int32_t Proc = 0;
    char ViewMode = 0;
    int32_t Height = 0;  // device pixels
    double PixelRatio = 1;
    MapColours Colours;
    bool operator==(const ProcMapSource&) const = default;
};

}  // namespace dualis
