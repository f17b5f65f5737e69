// The procedure map's strip (picMap) beside a pane's vertical scroll bar: the marks of the whole
// procedure, drawn once into a stored picture, and a frame round the rows on screen, which is
// all that scrolling repaints. Presses and drags are reported for the window to scroll there.
#pragma once

#include <QColor>
#include <QPixmap>
#include <QWidget>
#include <vector>

#include "ProcMap.h"

namespace dualis {

class ProcMapStrip : public QWidget {
    Q_OBJECT
  public:
    explicit ProcMapStrip(QWidget* parent = nullptr);

    // Draws the marks, one bin per device pixel from the top at `pixelRatio` device pixels per
    // pixel; no bins leave the strip empty. The frame goes until the next SetFrame.
    void SetMarks(const std::vector<MapMark>& bins, const MapColours& colours, double pixelRatio);
    // The rows on screen, in the marks' device pixels.
    void SetFrame(PixelSpan frame);
    const QPixmap& Marks() const { return marks_; }
    PixelSpan Frame() const { return frame_; }
    // Number of times marks were drawn; the tests read it.
    int MarksCount() const { return marksCount_; }

  signals:
    // Positions in pixels from the strip's top; moves only while the left button is held.
    void MouseDown(double y);
    void MouseMove(double y);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

  private:
    QPixmap marks_;  // null while the strip is empty
    PixelSpan frame_;
    QColor frameColour_;
    int marksCount_ = 0;
};

}  // namespace dualis
