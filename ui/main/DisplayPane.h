// A display pane (picDisplay): draws the rows it is given once, into a stored picture, and
// shows that picture again on every repaint, so covering the window costs no redraw. The
// selected rows are tinted over the picture; presses and drags are reported as heights.
#pragma once

#include <QPixmap>
#include <QTimer>
#include <QWidget>
#include <memory>

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
    // kept, so the picture costs the same however far the lines reach. A filler row is hatched
    // in its fore colour.
    void Draw(const PanePicture& picture, int rowHeight, double pixelRatio, int visibleLeft,
              int visibleWidth);
    void Clear();
    const QPixmap& Picture() const { return picture_; }
    // Paints `height` pixels from `top` as selected, over the picture; a height of 0: none.
    void SetSelectionBand(int top, int height);
    // Marks the characters of the text the find bar found, `box` in the pane's pixels, in the
    // highlight colour over the picture; an empty box: none.
    void SetFoundMark(const QRect& box);
    const QRect& FoundMark() const { return foundMark_; }
    // Number of times a picture was drawn; the window's benchmark reads it.
    int DrawCount() const { return drawCount_; }

  signals:
    void MouseMoved();
    // Rows and columns to scroll by; Shift turns a vertical wheel into a horizontal one.
    void Wheel(int rows, int columns);
    // The left button went down `y` pixels from the top; `extend` when Shift was held.
    void RowPressed(int y, bool extend);
    // While the left button is held after a press here: the pointer's height on every move,
    // and on every tick of a timer while the pointer stays above or below the pane.
    void RowDragged(int y);
    // The context menu asked for by the mouse at `y` (or by the keyboard: y is -1).
    void MenuRequested(QPoint globalPos, int y);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

  private:
    QPixmap picture_;
    std::unique_ptr<RowPainter> rowPainter_;  // for the font and pixel ratio last drawn with
    int pictureLeft_ = 0;                     // where the picture stands in the pane
    int drawCount_ = 0;
    QPoint wheelRemainder_;
    int bandTop_ = 0;
    int bandHeight_ = 0;
    QRect foundMark_;
    bool dragging_ = false;
    int dragY_ = 0;
    QTimer edgeScroll_;  // repeats the drag while the pointer is beyond the top or bottom edge
};

}  // namespace dualis
