// The bar between the two panes (picSplitter) and the legend's title bar: plain widgets that
// report their mouse presses, moves and releases, positions in pixels inside themselves.
#pragma once

#include <QWidget>

namespace dualis {

class DragHandle : public QWidget {
    Q_OBJECT
  public:
    explicit DragHandle(QWidget* parent = nullptr) : QWidget(parent) {}

  signals:
    void MouseDown(QPoint at);
    void MouseMove(QPoint at);
    void MouseUp(QPoint at);

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
};

}  // namespace dualis
