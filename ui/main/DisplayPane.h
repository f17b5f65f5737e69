// A display pane (picDisplay): draws the rows it is given once, into a stored picture, and
// shows that picture again on every repaint, so covering the window costs no redraw.
#pragma once

#include <QPixmap>
#include <QWidget>

#include "DisplayLines.h"

namespace dualis {

class DisplayPane : public QWidget {
    Q_OBJECT
  public:
    explicit DisplayPane(QWidget* parent = nullptr);

    // Clears the picture and draws the rows from the top, one band of `lineHeight` pixels each.
    // Only the part of the pane that its frame shows, `visibleWidth` pixels from `visibleLeft`,
    // is kept, so the picture costs the same however far the lines reach.
    void Draw(const PanePicture& picture, int lineHeight, int visibleLeft, int visibleWidth);
    void Clear();
    // Number of times a picture was drawn; the window's benchmark reads it.
    int DrawCount() const { return drawCount_; }

  signals:
    void MouseMoved();
    void Wheel(int steps);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

  private:
    QPixmap picture_;
    int pictureLeft_ = 0;  // where the picture stands in the pane
    int drawCount_ = 0;
    int wheelRemainder_ = 0;
};

// An RGB value of the settings (red in the low byte) as a colour.
QColor SettingsColour(uint32_t rgb);

}  // namespace dualis
