// The main window's layout in twips.
#include "Layout.h"

#include <algorithm>
#include <cmath>

namespace dualis {

ProcListPlace PositionProcList(double toolbarHeight, double innerWidth, Rect label, Rect list) {
    label.Left = 60;
    label.Top = toolbarHeight + 60;
    list.Left = 535;
    list.Top = toolbarHeight + 30;
    list.Width = innerWidth - 595;
    return {label, list};
}

double BottomBand(const LayoutInput& in) {
    return in.StatusHeight + in.LegendBand;
}

ViewArea PositionViewArea(const LayoutInput& in) {
    ViewArea a;
    a.View.Left = 60;
    a.View.Top = in.ProcListHeight + in.ToolbarHeight;
    const double w = in.InnerWidth;
    const double h = in.InnerHeight - in.FindBarHeight;  // the bar sits above the status line
    const double bottom = BottomBand(in);
    if (in.ViewMode == "C") {
        a.View.Width = w - 120;
        a.View.Height = h - bottom - a.View.Top;
    } else if (in.ViewMode == "H") {
        a.View.Width = w - 120;
        a.View.Height = h - a.View.Top - 60 - bottom;
        a.Splitter = Rect{a.View.Left, a.View.Top + in.SplitRatioH * a.View.Height,
                          a.View.Width - in.VScrollBarWidth, SplitterTwips};
    } else if (in.ViewMode == "V") {
        a.View.Width = w - 180;
        a.View.Height = h - bottom - a.View.Top;
        a.Splitter =
            Rect{in.SplitRatioV * a.View.Width + a.View.Left, a.View.Top + in.TwoLineHeight,
                 SplitterTwips, a.View.Height - in.TwoLineHeight - in.HScrollBarHeight};
    }
    return a;
}

Rect PositionFindBar(const LayoutInput& in) {
    return {60, in.InnerHeight - BottomBand(in) - in.FindBarHeight, in.InnerWidth - 120,
            in.FindBarHeight};
}

namespace {

// Keeps the smaller of the two shares at `minimum` of `length` or more; returns the ratio and
// whether it had to change.
bool WidenSmallerPane(double& ratio, double length, double minimum) {
    if (!(ratio > 0 && ratio < 1)) ratio = 0.5;
    double smaller = ratio < 0.5 ? ratio : 1 - ratio;
    if (smaller * length >= minimum) return false;
    smaller = minimum / length;
    ratio = ratio <= 0.5 ? smaller : 1 - smaller;
    return true;
}

void PlaceInsideFrame(PaneFrame& p, const LayoutInput& in) {
    const double fw = p.Frame.Width;
    const double fh = p.Frame.Height;
    p.HScroll = {0, fh - in.HScrollBarHeight, fw - in.VScrollBarWidth, in.HScrollBarHeight};
    p.VScroll = {fw - in.VScrollBarWidth, 0, in.VScrollBarWidth, fh - in.HScrollBarHeight};
    p.Map = {p.VScroll.Left - in.MapWidth, 0, in.MapWidth, p.VScroll.Height};
    p.Picture = {0, 0, PictureWidthTwips, fh - in.HScrollBarHeight};
}

}  // namespace

DisplayAreas PositionDisplayAreas(const LayoutInput& in, const ViewArea& area) {
    DisplayAreas d;
    const Rect& v = area.View;
    std::array<PaneFrame, 2>& p = d.Pane;
    if (in.ViewMode == "C") {
        p[0].Label = {v.Left, v.Top, v.Width, in.OneLineHeight};
        p[1].Label = {v.Left, v.Top + in.OneLineHeight, v.Width, in.OneLineHeight};
        p[0].Frame = {v.Left, v.Top + in.TwoLineHeight, v.Width, v.Height - in.TwoLineHeight};
    } else if (in.ViewMode == "H" && area.Splitter) {
        double r = in.SplitRatioH;
        Rect splitter = *area.Splitter;
        const double minimum = in.OneLineHeight + in.HScrollBarHeight + 1.5 * in.LineHeight[0];
        if (WidenSmallerPane(r, v.Height, minimum)) {
            splitter.Top = r * v.Height + v.Top;
            d.Splitter = splitter;
        }
        d.SplitRatio = r;
        const double y2 = splitter.Top + SplitterTwips;
        p[0].Label = {v.Left, v.Top, v.Width, in.OneLineHeight};
        p[0].Frame = {v.Left, v.Top + in.OneLineHeight, v.Width, r * v.Height - in.OneLineHeight};
        p[1].Label = {v.Left, y2, v.Width, in.OneLineHeight};
        p[1].Frame = {v.Left, y2 + in.OneLineHeight, v.Width,
                      (1 - r) * v.Height - in.OneLineHeight};
        d.TwoPanes = true;
    } else if (in.ViewMode == "V" && area.Splitter) {
        double r = in.SplitRatioV;
        Rect splitter = *area.Splitter;
        const double minimum = 3 * in.CharWidth[0] + in.MapWidth + in.VScrollBarWidth;
        if (WidenSmallerPane(r, v.Width, minimum)) {
            splitter.Left = r * v.Width + v.Left;
            d.Splitter = splitter;
        }
        d.SplitRatio = r;
        const double x2 = splitter.Left + SplitterTwips;
        p[0].Label = {v.Left, v.Top, r * v.Width, in.TwoLineHeight};
        p[0].Frame = {v.Left, v.Top + in.TwoLineHeight, r * v.Width, v.Height - in.TwoLineHeight};
        p[1].Label = {x2, v.Top, (1 - r) * v.Width, in.TwoLineHeight};
        p[1].Frame = {x2, v.Top + in.TwoLineHeight, (1 - r) * v.Width, v.Height - in.TwoLineHeight};
        d.TwoPanes = true;
    } else {
        return d;
    }
    PlaceInsideFrame(p[0], in);
    if (d.TwoPanes) PlaceInsideFrame(p[1], in);
    return d;
}

std::optional<double> SplitterDragTarget(double splitterPos, double offset, double splitterSize,
                                         double outerSize) {
    const double target = splitterPos + offset - static_cast<int>(std::lround(splitterSize)) / 2;
    if (target > 50 && target < outerSize - 50) return target;
    return std::nullopt;
}

std::optional<double> SplitterDrop(std::string_view viewMode, double pos, const LayoutInput& in,
                                   const Rect& view) {
    if (viewMode == "V") {
        if (in.VScrollBarWidth + view.Left < pos &&
            pos < view.Width + view.Left - in.VScrollBarWidth) {
            return (pos - view.Left) / view.Width;
        }
    } else if (viewMode == "H") {
        if (in.OneLineHeight + view.Top + in.HScrollBarHeight < pos &&
            pos < view.Height + view.Top - in.HScrollBarHeight) {
            return (pos - view.Top) / view.Height;
        }
    }
    return std::nullopt;
}

}  // namespace dualis
