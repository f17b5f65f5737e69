// Where the main window stands: the stored placement applied once the window manager has
// framed the window, brought inside the screen, and recorded again as the window moves.
#include <QGuiApplication>
#include <QScreen>

#include "ProcList.h"
#include "frmMain.h"

namespace dualis {

namespace {

// The window's size before any placement is stored, in twips.
constexpr double kDesignedWidth = 13500;
constexpr double kDesignedHeight = 9750;

}  // namespace

void frmMain::ApplyPlacement() {
    const Settings& s = ctx_.Values;
    const LoadPlacement placement = PlacementAtLoad(s);
    const bool storedNormal =
        s.MainWindowWidth >= MinimumWindowTwips && s.MainWindowHeight >= MinimumWindowTwips;
    const PixelRect stored = StoredOuterPlacement(s, metrics_);
    const QScreen* screen = QGuiApplication::screenAt(
        QPoint(stored.Left + stored.Width / 2, stored.Top + stored.Height / 2));
    if (!screen) screen = QGuiApplication::primaryScreen();
    const QRect a = screen ? screen->availableGeometry() : QRect();
    const PixelRect available{a.x(), a.y(), a.width(), a.height()};
    if (placement == LoadPlacement::Centre || !storedNormal) {
        // The designed size, on a small screen no larger than the screen.
        const PixelRect designed = FitInside(
            {0, 0, metrics_.Pixels(kDesignedWidth), metrics_.Pixels(kDesignedHeight)}, available);
        resize(designed.Width - metrics_.FrameWidth, designed.Height - metrics_.FrameHeight);
        ctx_.Window.Center(this);
    } else {
        // A maximised window keeps this as the placement it returns to.
        SetOuterGeometry(FitInside(stored, available));
    }
    if (placement != LoadPlacement::Maximise) return;
    if (pendingOuter_) {
        // Maximised only once framed, so that the window manager keeps the right normal
        // placement to restore the window to.
        maximiseWhenFramed_ = true;
    } else {
        setWindowState(Qt::WindowMaximized);
    }
}

void frmMain::SetOuterGeometry(const PixelRect& outer) {
    RefreshMetrics();
    // A window's position is that of its frame; its size is that of its inside.
    move(outer.Left, outer.Top);
    resize(outer.Width - metrics_.FrameWidth, outer.Height - metrics_.FrameHeight);
    const bool framed = metrics_.FrameWidth > 0 || metrics_.FrameHeight > 0;
    pendingOuter_ = framed ? std::nullopt : std::optional(outer);
}

void frmMain::ApplyPendingPlacement() {
    if (!pendingOuter_) return;
    RefreshMetrics();
    const bool framed = metrics_.FrameWidth > 0 || metrics_.FrameHeight > 0;
    // A window system that puts no frame round the window leaves nothing to correct.
    if (framed) SetOuterGeometry(*pendingOuter_);
    pendingOuter_.reset();
    if (std::exchange(maximiseWhenFramed_, false)) setWindowState(Qt::WindowMaximized);
}

void frmMain::RecordPlacement() {
    Settings& s = ctx_.Values;
    const QRect outer = frameGeometry();
    s.MainWindowLeft = static_cast<float>(metrics_.Twips(outer.left()));
    s.MainWindowTop = static_cast<float>(metrics_.Twips(outer.top()));
    s.MainWindowHeight = static_cast<float>(metrics_.Twips(outer.height()));
    s.MainWindowWidth = static_cast<float>(metrics_.Twips(outer.width()));
}

}  // namespace dualis
