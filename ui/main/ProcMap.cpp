// The procedure map's bins, colours, frame and the scroll value of a point on it.
#include "ProcMap.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace dualis {

namespace {

// One pass over the rows, touching only the pixels of differing rows: O(rows + height).
template <class Row, class KindOf>
std::vector<MapMark> Bins(std::span<const Row> rows, int32_t height, KindOf kindOf) {
    std::vector<MapMark> bins(static_cast<size_t>(std::max(0, height)), MapMark::None);
    const auto n = static_cast<int64_t>(rows.size());
    if (n == 0 || height < 1) return bins;
    for (int64_t i = 0; i < n; ++i) {
        const MapMark mark = MarkOf(kindOf(rows[static_cast<size_t>(i)]));
        if (mark == MapMark::None) continue;
        const int64_t first = i * height / n;
        const int64_t last = std::max(first + 1, (i + 1) * height / n);
        for (int64_t pixel = first; pixel < last; ++pixel) {
            MapMark& bin = bins[static_cast<size_t>(pixel)];
            bin = std::max(bin, mark);
        }
    }
    return bins;
}

// Brightness on a 0 to 255 scale, weighted as the eye sees the three primaries.
int Brightness(uint32_t rgb) {
    const int red = static_cast<int>(rgb & 0xFF);
    const int green = static_cast<int>((rgb >> 8) & 0xFF);
    const int blue = static_cast<int>((rgb >> 16) & 0xFF);
    return (299 * red + 587 * green + 114 * blue) / 1000;
}

// A brightness step a one-pixel line shows clearly.
constexpr int kVisibleStep = 64;

}  // namespace

MapMark MarkOf(RowKind kind) {
    switch (kind) {
        case RowKind::Added:
            return MapMark::Added;
        case RowKind::Changed:
            return MapMark::Changed;
        case RowKind::Deleted:
            return MapMark::Deleted;
        default:
            return MapMark::None;
    }
}

std::vector<MapMark> MapBins(std::span<const SeparateRow> rows, int pane, int32_t height) {
    return Bins(rows, height,
                [pane](const SeparateRow& r) { return SeparateRowDifference(r, pane); });
}

std::vector<MapMark> MapBins(std::span<const CombinedRow> rows, int32_t height) {
    return Bins(rows, height, [](const CombinedRow& r) { return CombinedRowKind(r.Symbol); });
}

std::vector<MapMark> ProcMapBins(const ComparisonState& state, int32_t proc,
                                 std::string_view viewMode, int pane, int32_t height) {
    if (viewMode == "C") return MapBins(state.CombinedDisplay.Row(proc), height);
    return MapBins(state.SeparateDisplay.Row(proc), pane, height);
}

uint32_t MarkColour(uint32_t back, uint32_t fore, uint32_t ground) {
    const int groundBrightness = Brightness(ground);
    const int backStep = std::abs(Brightness(back) - groundBrightness);
    if (backStep >= kVisibleStep) return back;
    return std::abs(Brightness(fore) - groundBrightness) > backStep ? fore : back;
}

MapColours ProcMapColours(const Settings& s) {
    MapColours c;
    c.Ground = s.BackColorEqual;
    c.Frame = s.ForeColorEqual;
    c.Mark[static_cast<size_t>(MapMark::None)] = c.Ground;
    c.Mark[static_cast<size_t>(MapMark::Added)] =
        MarkColour(s.BackColorAdded, s.ForeColorAdded, c.Ground);
    c.Mark[static_cast<size_t>(MapMark::Deleted)] =
        MarkColour(s.BackColorDeleted, s.ForeColorDeleted, c.Ground);
    c.Mark[static_cast<size_t>(MapMark::Changed)] =
        MarkColour(s.BackColorChanged, s.ForeColorChanged, c.Ground);
    return c;
}

PixelSpan MapFrame(int32_t rows, LineWindow shown, int32_t height, int32_t minimum) {
    if (rows < 1 || height < 1 || shown.Bottom < shown.Top) return {};
    const int64_t n = rows;
    const int64_t top = std::clamp<int64_t>(shown.Top, 1, n) - 1;
    const int64_t bottom = std::clamp<int64_t>(shown.Bottom, 1, n);
    PixelSpan frame{static_cast<int32_t>(top * height / n),
                    static_cast<int32_t>((bottom * height + n - 1) / n)};
    const int32_t wanted = std::min(minimum, height);
    if (frame.Bottom - frame.Top < wanted) {
        const int32_t middle = (frame.Top + frame.Bottom) / 2;
        frame.Top = std::clamp(middle - wanted / 2, 0, height - wanted);
        frame.Bottom = frame.Top + wanted;
    }
    return frame;
}

int32_t MapScrollValue(double y, double height, int32_t rows, int32_t linesPerPane,
                       int32_t maximum) {
    if (rows < 1 || !(height > 0)) return 1;
    const double at = std::floor(std::clamp(y / height, 0.0, 1.0) * rows);
    const int64_t row = std::clamp<int64_t>(static_cast<int64_t>(at) + 1, 1, rows);
    const int64_t value = row - std::max(1, linesPerPane) / 2;
    return static_cast<int32_t>(std::clamp<int64_t>(value, 1, std::max(1, maximum)));
}

}  // namespace dualis
