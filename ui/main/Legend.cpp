// The legend's text and the rules of its position.
#include "Legend.h"

#include <cmath>

namespace dualis {

namespace {

double HalfOf(double length) {
    return static_cast<double>(static_cast<long>(std::lround(length)) / 2);
}

}  // namespace

std::string LegendProse(std::string_view viewMode) {
    const std::string added = " Lines are added, deleted or changed to create File 2.";
    auto twoPanes = [&](const char* first, const char* second) {
        return std::string("In the ") + first +
               " display and Proc list, File 1 is considered the base file." + added + "\r\n" +
               "In the " + second + " display, File 1 is considered the base file." + added;
    };
    if (viewMode == "V") return twoPanes("left", "right");
    if (viewMode == "H") return twoPanes("top", "bottom");
    if (viewMode == "C") {
        return "In the display and Proc list, File 1 is considered the base file." + added;
    }
    return "";
}

LegendPlace FirstLegendPlace(double width, double height, double innerWidth, double innerHeight,
                             double statusHeight) {
    return ClampLegend({innerWidth - width, innerHeight - statusHeight - height}, width, height,
                       innerWidth, innerHeight);
}

LegendPlace ClampLegend(LegendPlace p, double width, double height, double innerWidth,
                        double innerHeight) {
    if (p.Left < 0) {
        p.Left = 0;
    } else if (p.Left + width > innerWidth) {
        p.Left = innerWidth - width;
    }
    if (p.Top < 0) {
        p.Top = 0;
    } else if (p.Top > innerHeight - height) {
        p.Top = innerHeight - height;
    }
    return p;
}

LegendPlace LegendAfterResize(LegendPlace p, double width, double height, double lastWidth,
                              double lastHeight, double outerWidth, double outerHeight,
                              double innerWidth, double innerHeight) {
    if (lastWidth > 0) {
        p.Left = p.Left / lastWidth * outerWidth;
        if (p.Left + width >= outerWidth) p.Left = outerWidth - width - 60;
    }
    if (lastHeight > 0) p.Top = p.Top / lastHeight * outerHeight;
    return ClampLegend(p, width, height, innerWidth, innerHeight);
}

LegendPlace LegendDrag(LegendPlace p, double x, double y, double width, double height,
                       double titleBarHeight, double innerWidth, double innerHeight) {
    p.Left = p.Left + x - HalfOf(width);
    p.Top = p.Top + y - HalfOf(titleBarHeight);
    return ClampLegend(p, width, height, innerWidth, innerHeight);
}

}  // namespace dualis
