// The floating legend: its text for each view, and the rules that keep it inside the window
// while the window is resized or the legend is dragged by its title bar. Lengths in twips.
#pragma once

#include <string>
#include <string_view>

namespace dualis {

struct LegendPlace {
    double Left = 0;
    double Top = 0;
};

// The explanation shown in the legend for the view mode; empty for an unknown mode, which
// leaves the legend's text as it was.
std::string LegendProse(std::string_view viewMode);

// Where the legend stands until the user moves it: in the bottom right corner of the inner
// area, just above the status line (statusHeight, 0 when it is hidden), in the band that the
// view area leaves free for it (LayoutInput::LegendBand). So it covers no file name, no row of
// the panes and no word of the status line, which keeps its whole width.
LegendPlace FirstLegendPlace(double width, double height, double innerWidth, double innerHeight,
                             double statusHeight);

// Keeps the legend (width, height) inside an inner area of innerWidth by innerHeight.
LegendPlace ClampLegend(LegendPlace place, double width, double height, double innerWidth,
                        double innerHeight);

// After a resize from the outer size (lastWidth, lastHeight) to (outerWidth, outerHeight): the
// legend keeps its position in proportion, is pulled back 60 twips inside when it would reach
// the right edge, and then stays inside the inner area. A last size of 0 keeps that coordinate.
LegendPlace LegendAfterResize(LegendPlace place, double width, double height, double lastWidth,
                              double lastHeight, double outerWidth, double outerHeight,
                              double innerWidth, double innerHeight);

// Dragging by the title bar with the mouse at (x, y) inside it: the legend's centre top follows
// the mouse and stays inside the inner area.
LegendPlace LegendDrag(LegendPlace place, double x, double y, double width, double height,
                       double titleBarHeight, double innerWidth, double innerHeight);

}  // namespace dualis
