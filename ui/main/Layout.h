// The main window's geometry in twips: the procedure list, the view area, the labels, frames,
// scroll bars and pictures of the panes, the splitter and its drag, the minimum window size.
// The window converts the results to pixels and applies them.
#pragma once

#include <array>
#include <optional>
#include <string_view>

namespace dualis {

struct Rect {
    double Left = 0;
    double Top = 0;
    double Width = 0;
    double Height = 0;
    bool operator==(const Rect&) const = default;
};

// The smallest outer size of a normal window.
inline constexpr double MinimumWindowTwips = 3000;
// Width of the splitter bar across its direction.
inline constexpr double SplitterTwips = 60;
// Width of a pane's picture: wider than any frame, so that horizontal scrolling moves it left.
inline constexpr double PictureWidthTwips = 32000;

struct ProcListPlace {
    Rect Label;  // lblProc, with its designed size
    Rect List;   // cboProcedures, with its own height
};

// Label at (60, T + 60), list at (535, T + 30) reaching to 60 twips from the right edge, where T
// is the toolbar's height (0 when hidden).
ProcListPlace PositionProcList(double toolbarHeight, double innerWidth, Rect label, Rect list);

// What the layout depends on besides the view mode.
struct LayoutInput {
    std::string_view ViewMode;
    double InnerWidth = 0;  // the window's scale width and height
    double InnerHeight = 0;
    double ToolbarHeight = 0;   // 0 when the toolbar is hidden
    double ProcListHeight = 0;  // the list's height plus 30, 0 when the list is hidden
    double StatusHeight = 0;    // 0 when the status line is hidden
    // The legend's height while it stands in its first place, at the bottom of the inner area
    // above the status line; 0 when it is hidden or was moved. The view area ends above it.
    double LegendBand = 0;
    double FindBarHeight = 0;  // 0 when the find bar is hidden
    double HScrollBarHeight = 0;
    double VScrollBarWidth = 0;
    double MapWidth = 0;  // the procedure map beside each vertical bar; 0: none
    double OneLineHeight = 0;
    double TwoLineHeight = 0;
    std::array<double, 2> LineHeight{};  // of "W" in each pane's font
    std::array<double, 2> CharWidth{};
    double SplitRatioV = 0.5;
    double SplitRatioH = 0.5;
};

struct ViewArea {
    Rect View;
    std::optional<Rect> Splitter;  // none in the combined view
};

ViewArea PositionViewArea(const LayoutInput& in);

// The height kept free below the view area: the status line's and the legend's in its first
// place above it.
double BottomBand(const LayoutInput& in);

// The find bar: across the window's width between the view area and the status line.
Rect PositionFindBar(const LayoutInput& in);

struct PaneFrame {
    Rect Label;  // lblFileInformation(p)
    Rect Frame;  // fraDisplay(p)
    // Inside the frame:
    Rect HScroll;
    Rect VScroll;
    Rect Map;  // the procedure map, between the text and the vertical bar
    Rect Picture;
};

struct DisplayAreas {
    std::array<PaneFrame, 2> Pane;  // Pane[1] unused in the combined view
    bool TwoPanes = false;
    // Where the splitter ends up when a pane had to be widened to its minimum, with the ratio
    // it then stands for.
    std::optional<Rect> Splitter;
    double SplitRatio = 0.5;
};

// Places the labels and frames in the view area, keeping each pane at least its minimum size:
// in the vertical view three "W" widths, the map and a scroll bar, in the horizontal view a label,
// a scroll bar and one and a half rows.
DisplayAreas PositionDisplayAreas(const LayoutInput& in, const ViewArea& area);

// The splitter's new left (vertical view) or top (horizontal view) while dragging, for the
// mouse at `offset` from its edge; none when the splitter would come within 50 twips of the
// window's outer edge, where it stops.
std::optional<double> SplitterDragTarget(double splitterPos, double offset, double splitterSize,
                                         double outerSize);

// The outcome of dropping the splitter at `pos` (its left or top): the new split ratio, or
// none when it was dropped onto an edge of the view, which switches to the combined view.
std::optional<double> SplitterDrop(std::string_view viewMode, double pos, const LayoutInput& in,
                                   const Rect& view);

// A normal window is never smaller than MinimumWindowTwips in either direction.
inline double AtLeastMinimum(double length) {
    return length < MinimumWindowTwips ? MinimumWindowTwips : length;
}

}  // namespace dualis
