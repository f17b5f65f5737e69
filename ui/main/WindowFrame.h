// The frame the window manager puts round a top-level window, read from the window system
// itself: Qt measures its frame margins on a move or resize and keeps them, so they can still
// say "no frame" after the window manager has framed the window.
#pragma once

#include <QAbstractNativeEventFilter>
#include <QMargins>
#include <QObject>
#include <cstdint>
#include <optional>

class QWidget;

namespace dualis {

class WindowFrame : public QObject, public QAbstractNativeEventFilter {
    Q_OBJECT
  public:
    // Watches `window`, a top-level widget that has been shown.
    explicit WindowFrame(QWidget* window);

    // The frame's widths in logical pixels once the window manager has framed the window (all
    // 0 where it puts no frame round it); nothing before.
    std::optional<QMargins> Margins() const;

  signals:
    // The window came on screen, or the window manager framed it or changed its frame.
    void Changed();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

  private:
    // The frame a window manager announces in a property of the window; nothing while it has
    // not set it.
    std::optional<QMargins> AnnouncedMargins() const;

    QWidget* window_;
    bool x11_;  // under the X window system
    // Set where the window manager announces the frames it puts round windows.
    void* connection_ = nullptr;
    uint32_t extentsAtom_ = 0;
};

}  // namespace dualis
