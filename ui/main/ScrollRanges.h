// The ranges of the panes' scroll bars for the current procedure and the longest line, and the
// rule that keeps the two panes' positions together. Lengths are in twips.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace dualis {

// What one pane's two scroll bars become. Their minimum is always 1, their small step 1.
struct PaneScroll {
    int32_t LinesPerPane = 1;  // rows that fit in the pane's height, at least 1
    int32_t CharsPerPane = 1;  // "W" widths that fit in the frame beside the map and vertical bar
    bool VEnabled = false;
    int32_t VMax = 1;
    int32_t VPage = 1;
    bool HEnabled = false;
    int32_t HMax = 1;
};

// The measures a pane's ranges depend on.
struct PaneMeasures {
    double InnerHeight = 0;  // the display picture's inner height
    double FrameWidth = 0;
    double LineHeight = 1;  // height and width of "W" in the pane's font
    double CharWidth = 1;
};

struct ScrollInput {
    std::string_view ViewMode;  // "V", "H" or "C"
    int32_t Rows = 0;           // display rows of the current procedure in this view
    std::array<PaneMeasures, 2> Pane;
    double VScrollBarWidth = 0;
    double MapWidth = 0;  // the procedure map beside the vertical bar; 0: none
    // The columns the widest raw line of each file takes, tabs taken to their stops.
    std::array<int32_t, 2> MaxLineColumns{};
    std::array<int32_t, 2> RawCount{};
    bool Symbols = false;
    bool LineNumbers = false;
};

// The ranges of pane 0 (and, in the two-pane views, pane 1). The combined view counts every
// fitting row and enables its bar already when the rows fill the page; the two-pane views keep
// one row spare and enable theirs only when the rows exceed the page. The bars take 32-bit
// ranges, so no procedure is too long to scroll. Any other view mode changes nothing: the
// result is `previous`.
std::array<PaneScroll, 2> SetScrollBars(const ScrollInput& in,
                                        const std::array<PaneScroll, 2>& previous);

// The estimated width in characters of the widest printed row.
int32_t EstimatedLineWidth(const ScrollInput& in, int pane);

// With synchronised scrolling, the value the other pane's bar takes when one bar moves to
// `value`: the same value, or the other bar's maximum when it cannot scroll that far.
inline int32_t PartnerScrollValue(int32_t value, int32_t partnerMax) {
    return value <= partnerMax ? value : partnerMax;
}

}  // namespace dualis
