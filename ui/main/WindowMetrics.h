// The main window's measures in one place: twips per pixel of the screen it is on, the device
// pixel ratio its pane pictures are drawn at, the height a pane paints each row with, the width
// of "W" in the panes' font, the heights of the labels' text and the frame the window manager
// puts round the window. Every conversion between twips and pixels goes through it, so the
// layout, the scroll ranges and the painting agree on one row height and one rounding.
#pragma once

#include <cmath>
#include <cstdint>

#include "Settings.h"

namespace dualis {

struct PixelRect {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
    bool operator==(const PixelRect&) const = default;
};

struct WindowMetrics {
    double TwipsPerPixel = 15;    // 1440 / the logical dots per inch of the window's screen
    double DevicePixelRatio = 1;  // device pixels per logical pixel
    int RowHeight = 16;           // logical pixels: the height of a painted row
    double CharWidth = 8;         // logical pixels: the advance of "W" in the panes' font
    int TextHeight = 16;          // logical pixels: one line of the window's own font
    int TextLineSpacing = 16;     // from one line of the window's own font to the next
    int ScrollBarExtent = 16;     // logical pixels: a scroll bar's width across its direction
    int MapWidth = 12;            // logical pixels: the procedure map beside each vertical bar
    // Outer size minus inner size, in logical pixels; 0 until the window manager framed it.
    int FrameWidth = 0;
    int FrameHeight = 0;

    double Twips(double pixels) const { return pixels * TwipsPerPixel; }
    int Pixels(double twips) const { return static_cast<int>(std::lround(twips / TwipsPerPixel)); }
    double RowHeightTwips() const { return RowHeight * TwipsPerPixel; }
    double CharWidthTwips() const { return CharWidth * TwipsPerPixel; }
    double OneLineTwips() const { return TextHeight * TwipsPerPixel; }
    double TwoLineTwips() const { return (TextHeight + TextLineSpacing) * TwipsPerPixel; }
    double ScrollBarTwips() const { return ScrollBarExtent * TwipsPerPixel; }
    double MapTwips() const { return MapWidth * TwipsPerPixel; }
    // How far a pane moves left, in logical pixels, for a horizontal scroll value (1: none).
    int ColumnShift(int32_t value) const {
        return value > 1 ? static_cast<int>(std::lround((value - 1) * CharWidth)) : 0;
    }
};

// The outer rectangle, in pixels, that the stored normal placement (twips) stands for.
PixelRect StoredOuterPlacement(const Settings& settings, const WindowMetrics& metrics);

// An outer rectangle brought inside the screen's available area: no larger than the area, and
// moved in where it stands partly or wholly off it.
PixelRect FitInside(PixelRect outer, const PixelRect& available);

// An outer rectangle moved to the middle of the available area; one larger than the area keeps
// its top left corner, and so its title bar, inside it.
PixelRect CentreInside(PixelRect outer, const PixelRect& available);

}  // namespace dualis
