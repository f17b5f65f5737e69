// Where the main window stands: the stored placement applied once the window manager has
// framed the window, brought inside the screen, and recorded again as the window moves.
#include <QGuiApplication>
#include <QScreen>

#include "ProcList.h"
#include "WindowFrame.h"
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
        // The designed size, on a small screen no larger than the screen, in its middle.
        const PixelRect designed{0, 0, metrics_.Pixels(kDesignedWidth),
                                 metrics_.Pixels(kDesignedHeight)};
        SetOuterGeometry(CentreInside(FitInside(designed, available), available));
    } else {
        // A maximised window keeps this as the placement it returns to.
        SetOuterGeometry(FitInside(stored, available));
    }
    // Maximised only once framed, so that the window manager keeps the right normal placement
    // to restore the window to.
    maximiseWhenFramed_ = placement == LoadPlacement::Maximise;
}

void frmMain::SetOuterGeometry(const PixelRect& outer) {
    const std::optional<QMargins> frame = frame_ ? frame_->Margins() : std::nullopt;
    // A window's position and size are those of its inside, with the frame round it. Until the
    // window manager has framed the window, the inside is given the whole rectangle, and the
    // rectangle is given again once the frame is known.
    const QRect whole(outer.Left, outer.Top, outer.Width, outer.Height);
    setGeometry(whole.marginsRemoved(frame.value_or(QMargins())));
    pendingOuter_ = frame ? std::nullopt : std::optional(outer);
}

void frmMain::WatchFrame() {
    if (!frame_) {
        frame_ = new WindowFrame(this);
        connect(frame_, &WindowFrame::Changed, this, &frmMain::ApplyPendingPlacement);
    }
    ApplyPendingPlacement();
}

void frmMain::ApplyPendingPlacement() {
    if (!pendingOuter_ || !frame_->Margins()) return;
    // The smallest inside first, which the frame now counts towards.
    RefreshMetrics();
    const QSize before = size();
    SetOuterGeometry(*std::exchange(pendingOuter_, std::nullopt));
    if (size() != before) sizeBeforeFrame_ = before;
    if (std::exchange(maximiseWhenFramed_, false)) setWindowState(Qt::WindowMaximized);
}

void frmMain::RecordPlacement() {
    // Until the window is framed and given its outer rectangle, its rectangle is not yet the
    // one it is placed at; the placement stays as stored.
    const std::optional<QMargins> frame = frame_ ? frame_->Margins() : std::nullopt;
    if (pendingOuter_ || !frame) return;
    if (sizeBeforeFrame_) {
        // The window system may still report the size the window had before its frame was
        // allowed for, after the window was resized; that is no new size.
        if (size() == *sizeBeforeFrame_) return;
        sizeBeforeFrame_.reset();
    }
    Settings& s = ctx_.Values;
    const QRect outer = geometry().marginsAdded(*frame);
    s.MainWindowLeft = static_cast<float>(metrics_.Twips(outer.left()));
    s.MainWindowTop = static_cast<float>(metrics_.Twips(outer.top()));
    s.MainWindowHeight = static_cast<float>(metrics_.Twips(outer.height()));
    s.MainWindowWidth = static_cast<float>(metrics_.Twips(outer.width()));
}

}  // namespace dualis
