// Painting of the procedure map's strip and its mouse reports.
#include "ProcMapStrip.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

#include "DisplayPane.h"

namespace dualis {

namespace {

// Space left of and right of the marks, in pixels, so that the frame's sides stay visible.
constexpr double kMarkInset = 2;

}  // namespace

ProcMapStrip::ProcMapStrip(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ProcMapStrip::SetMarks(const std::vector<MapMark>& bins, const MapColours& colours,
                            double pixelRatio) {
    ++marksCount_;
    frame_ = {};
    frameColour_ = SettingsColour(colours.Frame);
    if (bins.empty() || width() < 1) {
        marks_ = QPixmap();
        update();
        return;
    }
    // Painted in device pixels, so that each bin is exactly one row of the picture.
    marks_ = QPixmap(std::max(1, qRound(width() * pixelRatio)), static_cast<int>(bins.size()));
    marks_.fill(SettingsColour(colours.Ground));
    QPainter painter(&marks_);
    const int inset = qRound(kMarkInset * pixelRatio);
    const int markWidth = std::max(1, marks_.width() - 2 * inset);
    for (size_t top = 0; top < bins.size();) {
        size_t end = top + 1;
        while (end < bins.size() && bins[end] == bins[top]) ++end;
        if (bins[top] != MapMark::None) {
            painter.fillRect(inset, static_cast<int>(top), markWidth, static_cast<int>(end - top),
                             SettingsColour(colours.Mark[static_cast<size_t>(bins[top])]));
        }
        top = end;
    }
    painter.end();
    marks_.setDevicePixelRatio(pixelRatio);
    update();
}

void ProcMapStrip::SetFrame(PixelSpan frame) {
    if (frame == frame_) return;
    frame_ = frame;
    update();
}

void ProcMapStrip::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    if (marks_.isNull()) {
        painter.fillRect(event->rect(), palette().color(QPalette::Base));
        return;
    }
    painter.drawPixmap(0, 0, marks_);
    // A line apart from the text beside.
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawLine(0, 0, 0, height());
    if (frame_.Bottom <= frame_.Top) return;
    const double ratio = marks_.devicePixelRatio();
    const QRectF box(0, frame_.Top / ratio, width(), (frame_.Bottom - frame_.Top) / ratio);
    QColor shade = frameColour_;
    shade.setAlpha(48);
    painter.fillRect(box, shade);
    painter.setPen(QPen(frameColour_, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(box.adjusted(0.5, 0.5, -0.5, -0.5));
}

void ProcMapStrip::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) emit MouseDown(event->position().y());
}

void ProcMapStrip::mouseMoveEvent(QMouseEvent* event) {
    if (event->buttons() & Qt::LeftButton) emit MouseMove(event->position().y());
}

}  // namespace dualis
