// Painting of a display pane from its stored picture.
#include "DisplayPane.h"

#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <algorithm>

namespace dualis {

DisplayPane::DisplayPane(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    // Twenty rows a second while a selection is dragged past an edge.
    edgeScroll_.setInterval(50);
    connect(&edgeScroll_, &QTimer::timeout, this, [this] {
        // A release that went elsewhere (a popup took the mouse) ends the drag too.
        if (!(QGuiApplication::mouseButtons() & Qt::LeftButton)) {
            dragging_ = false;
            edgeScroll_.stop();
        } else if (dragY_ < 0 || dragY_ >= height()) {
            emit RowDragged(dragY_);
        }
    });
}

void DisplayPane::SetSelectionBand(int top, int height) {
    if (top == bandTop_ && height == bandHeight_) return;
    bandTop_ = top;
    bandHeight_ = height;
    update();
}

void DisplayPane::SetFoundMark(const QRect& box) {
    if (box == foundMark_) return;
    foundMark_ = box;
    update();
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
        const QRect band(visibleLeft, y, size.width(), rowHeight);
        painter.fillRect(band, SettingsColour(line.Colours.Back));
        if (line.Filler) PaintHatch(painter, band, SettingsColour(line.Colours.Fore));
        painter.setPen(SettingsColour(line.Colours.Fore));
        rowPainter_->Paint(painter, line, y, rowHeight, picture.UnderlineMarks, visibleLeft, right);
        y += rowHeight;
    }
    ++drawCount_;
}

void DisplayPane::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.fillRect(event->rect(), palette().color(QPalette::Base));
    painter.drawPixmap(pictureLeft_, 0, picture_);
    const QRect shown(QPoint(pictureLeft_, 0), picture_.deviceIndependentSize().toSize());
    if (bandHeight_ > 0) {
        // The selected rows under a veil of the highlight colour, through which their own
        // colours and the changes marked in them still show.
        QColor veil = palette().color(QPalette::Highlight);
        veil.setAlpha(110);
        painter.fillRect(QRect(shown.left(), bandTop_, shown.width(), bandHeight_), veil);
    }
    if (!foundMark_.isEmpty()) {
        // The text found under a stronger veil of the highlight colour, framed in it, so that
        // it stands out on the highlighted row and its characters still show through.
        const QColor highlight = palette().color(QPalette::Highlight);
        QColor veil = highlight;
        veil.setAlpha(150);
        painter.fillRect(foundMark_, veil);
        painter.setPen(QPen(highlight, 1));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(foundMark_.adjusted(0, 0, -1, -1));
    }
    if (hasFocus()) {
        // A frame in the highlight colour round the part of the pane that its frame shows.
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

void DisplayPane::mouseMoveEvent(QMouseEvent* event) {
    emit MouseMoved();
    if (dragging_ && (event->buttons() & Qt::LeftButton)) {
        dragY_ = qRound(event->position().y());
        emit RowDragged(dragY_);
    }
}

void DisplayPane::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
    dragging_ = true;
    dragY_ = qRound(event->position().y());
    edgeScroll_.start();
    emit RowPressed(dragY_, (event->modifiers() & Qt::ShiftModifier) != 0);
}

void DisplayPane::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return QWidget::mouseReleaseEvent(event);
    dragging_ = false;
    edgeScroll_.stop();
}

void DisplayPane::contextMenuEvent(QContextMenuEvent* event) {
    const bool byMouse = event->reason() == QContextMenuEvent::Mouse;
    emit MenuRequested(event->globalPos(), byMouse ? event->pos().y() : -1);
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
