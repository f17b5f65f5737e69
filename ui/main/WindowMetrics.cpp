// Where the stored placement puts the window on the screen.
#include "WindowMetrics.h"

#include <algorithm>

namespace dualis {

PixelRect StoredOuterPlacement(const Settings& s, const WindowMetrics& m) {
    return {m.Pixels(s.MainWindowLeft), m.Pixels(s.MainWindowTop), m.Pixels(s.MainWindowWidth),
            m.Pixels(s.MainWindowHeight)};
}

PixelRect FitInside(PixelRect outer, const PixelRect& available) {
    if (available.Width <= 0 || available.Height <= 0) return outer;
    outer.Width = std::min(outer.Width, available.Width);
    outer.Height = std::min(outer.Height, available.Height);
    outer.Left =
        std::clamp(outer.Left, available.Left, available.Left + available.Width - outer.Width);
    outer.Top =
        std::clamp(outer.Top, available.Top, available.Top + available.Height - outer.Height);
    return outer;
}

PixelRect CentreInside(PixelRect outer, const PixelRect& available) {
    outer.Left = std::max(available.Left, available.Left + (available.Width - outer.Width) / 2);
    outer.Top = std::max(available.Top, available.Top + (available.Height - outer.Height) / 2);
    return outer;
}

}  // namespace dualis
