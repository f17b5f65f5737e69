// A display pane (picDisplay): draws the rows it is given once, into a stored picture, and
// shows that picture again on every repaint, so covering the window costs no redraw.
#pragma once

#include <QPixmap>
#include <memory>
#include <QWidget>

#include "DisplayLines.h"
#include "RowPainter.h"

namespace dualis {

class DisplayPane : public QWidget {
    Q_OBJECT
  public:
    explicit DisplayPane(QWidget* parent = nullptr);

    // Clears the picture and draws the rows from the top, one band of `rowHeight` pixels each,
    // at `pixelRatio` device pixels per pixel so that text stays sharp on dense screens. Only
    // the part of the pane that its frame shows, `visibleWidth` pixels from `visibleLeft`, is
    // kept, so the picture costs the same however far the lines reach.
    void Draw(const PanePicture& picture, int rowHeight, double pixelRatio, int visibleLeft,
              int visibleWidth);
    void Clear();
    const QPixmap& Picture() const { return picture_; }
    // Number of times a picture was drawn; the window's benchmark reads it.
    int DrawCount() const { return drawCount_; }

  signals:
    void MouseMoved();
    // Rows and columns to scroll by; Shift turns a vertical wheel into a horizontal one.
    void Wheel(int rows, int columns);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

  private:
    QPixmap picture_;
    std::unique_ptr<RowPainter> rowPainter_;  // for the font and pixel ratio last drawn with
    int pictureLeft_ = 0;  // where the picture stands in the pane
    int drawCount_ = 0;
    QPoint wheelRemainder_;
};

}  // namespace dualis
