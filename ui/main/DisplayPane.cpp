// Painting of a display pane from its stored picture.
#include "DisplayPane.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <algorithm>

namespace dualis {

DisplayPane::DisplayPane(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void DisplayPane::Clear() {
    picture_.fill(palette().color(QPalette::Base));
    update();
}

void DisplayPane::Draw(const PanePicture& picture, int rowHeight, double pixelRatio,
                       int visibleLeft, int visibleWidth) {
    const QSize size(std::max(1, visibleWidth), std::max(1, height()));
    const QSize devicePixels = (QSizeF(size) * pixelRatio).toSize();
    if (picture_.size() != devicePixels || picture_.devicePixelRatio() != pixelRatio) {
        picture_ = QPixmap(devicePixels);
        picture_.setDevicePixelRatio(pixelRatio);
    }
    pictureLeft_ = visibleLeft;
    Clear();
    if (!rowPainter_ || !rowPainter_->Suits(font(), pixelRatio)) {
        rowPainter_ = std::make_unique<RowPainter>(font(), &picture_);
    }
    QPainter painter(&picture_);
    painter.setFont(font());
    painter.translate(-visibleLeft, 0);
    const int right = visibleLeft + size.width();
    int y = 0;
    for (const PaneLine& line : picture.Lines) {
        if (y >= size.height()) break;
        painter.fillRect(visibleLeft, y, size.width(), rowHeight,
                         SettingsColour(line.Colours.Back));
        painter.setPen(SettingsColour(line.Colours.Fore));
        rowPainter_->Paint(painter, line, y, rowHeight, picture.UnderlineMarks, visibleLeft,
                           right);
        y += rowHeight;
    }
    ++drawCount_;
}

void DisplayPane::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.fillRect(event->rect(), palette().color(QPalette::Base));
    painter.drawPixmap(pictureLeft_, 0, picture_);
    if (hasFocus()) {
        // A frame in the highlight colour round the part of the pane that its frame shows.
        const QRect shown(QPoint(pictureLeft_, 0), picture_.deviceIndependentSize().toSize());
        painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(shown.adjusted(1, 1, -1, -1));
    }
}

void DisplayPane::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    update();
}

void DisplayPane::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    update();
}

void DisplayPane::resizeEvent(QResizeEvent*) {
    // The window draws again after every layout; until then the pane keeps its picture.
}

void DisplayPane::mouseMoveEvent(QMouseEvent*) {
    emit MouseMoved();
}

void DisplayPane::wheelEvent(QWheelEvent* event) {
    // One notch (120 units) scrolls three rows or columns, as elsewhere on the desktop.
    QPoint delta = event->angleDelta();
    if ((event->modifiers() & Qt::ShiftModifier) && delta.x() == 0) delta = {delta.y(), 0};
    wheelRemainder_ += delta;
    const QPoint notches(wheelRemainder_.x() / 120, wheelRemainder_.y() / 120);
    wheelRemainder_ -= notches * 120;
    if (!notches.isNull()) emit Wheel(-3 * notches.y(), -3 * notches.x());
    event->accept();
}

}  // namespace dualis
