// Scroll ranges from the pane sizes, the row count and the longest line.
#include "ScrollRanges.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace dualis {

namespace {

// Rounds to the nearest whole number, halves to even, as the stored layouts expect.
int32_t RoundHalfEven(double value) {
    return static_cast<int32_t>(std::nearbyint(value));
}

int32_t Digits(int32_t n) {
    return static_cast<int32_t>(std::to_string(n).size());
}

int32_t NumberColumn(const ScrollInput& in) {
    return in.LineNumbers ? 2 + Digits(std::max(in.RawCount[0], in.RawCount[1])) : 0;
}

// `besideText`: the width the map and the vertical bar take from the frame.
void SetRanges(PaneScroll& s, int32_t rows, int32_t width, bool enableAtPage, const PaneMeasures& m,
               double besideText) {
    const bool vertical = enableAtPage ? rows >= s.LinesPerPane : rows > s.LinesPerPane;
    s.VEnabled = vertical;
    if (vertical) {
        s.VMax = rows - s.LinesPerPane + 1;
        s.VPage = s.LinesPerPane > 2 ? s.LinesPerPane - 1 : 1;
    }
    s.CharsPerPane = std::max(1, RoundHalfEven((m.FrameWidth - besideText) / m.CharWidth));
    s.HEnabled = width > s.CharsPerPane;
    if (s.HEnabled) s.HMax = width - s.CharsPerPane;
}

}  // namespace

int32_t EstimatedLineWidth(const ScrollInput& in, int pane) {
    if (in.ViewMode == "C") {
        double w = std::max(in.MaxLineColumns[0], in.MaxLineColumns[1]);
        w += (in.Symbols ? 1 : 0) + NumberColumn(in) + 3;
        return RoundHalfEven(w * 1.1);
    }
    return RoundHalfEven((in.MaxLineColumns[pane] + 3) * 1.1) + (in.Symbols ? 1 : 0) +
           NumberColumn(in);
}

std::array<PaneScroll, 2> SetScrollBars(const ScrollInput& in,
                                        const std::array<PaneScroll, 2>& previous) {
    std::array<PaneScroll, 2> result = previous;
    if (in.ViewMode == "C") {
        PaneScroll& s = result[0];
        const PaneMeasures& m = in.Pane[0];
        s.LinesPerPane = std::max(1, RoundHalfEven(m.InnerHeight / m.LineHeight));
        SetRanges(s, in.Rows, EstimatedLineWidth(in, 0), true, m, in.VScrollBarWidth + in.MapWidth);
    } else if (in.ViewMode == "V" || in.ViewMode == "H") {
        for (int p = 0; p < 2; ++p) {
            PaneScroll& s = result[p];
            const PaneMeasures& m = in.Pane[p];
            s.LinesPerPane = std::max(1, RoundHalfEven(m.InnerHeight / m.LineHeight - 1));
            SetRanges(s, in.Rows, EstimatedLineWidth(in, p), false, m,
                      in.VScrollBarWidth + in.MapWidth);
        }
    }
    return result;
}

}  // namespace dualis
