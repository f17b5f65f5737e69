// Painting of a display pane from its stored picture.
#include "DisplayPane.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <algorithm>

namespace dualis {

QColor SettingsColour(uint32_t rgb) {
    return QColor(static_cast<int>(rgb & 0xFF), static_cast<int>((rgb >> 8) & 0xFF),
                  static_cast<int>((rgb >> 16) & 0xFF));
}

DisplayPane::DisplayPane(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void DisplayPane::Clear() {
    picture_.fill(palette().color(QPalette::Base));
    update();
}

void DisplayPane::Draw(const PanePicture& picture, int lineHeight, int visibleLeft,
                       int visibleWidth) {
    const QSize size(std::max(1, visibleWidth), std::max(1, height()));
    if (picture_.size() != size) picture_ = QPixmap(size);
    pictureLeft_ = visibleLeft;
    Clear();
    QPainter painter(&picture_);
    painter.setFont(font());
    painter.translate(-visibleLeft, 0);
    // Tabs are shown as the window system lays them out; the stored text is never expanded.
    constexpr int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine | Qt::TextExpandTabs;
    const int right = visibleLeft + picture_.width();
    int y = 0;
    for (const PaneLine& line : picture.Lines) {
        if (y >= picture_.height()) break;
        painter.fillRect(visibleLeft, y, picture_.width(), lineHeight,
                         SettingsColour(line.Colours.Back));
        painter.setPen(SettingsColour(line.Colours.Fore));
        painter.drawText(QRect(0, y, right, lineHeight), flags, QString::fromStdString(line.Text));
        y += lineHeight;
    }
    ++drawCount_;
}

void DisplayPane::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.fillRect(event->rect(), palette().color(QPalette::Base));
    painter.drawPixmap(pictureLeft_, 0, picture_);
}

void DisplayPane::resizeEvent(QResizeEvent*) {
    // The window draws again after every layout; until then the pane keeps its picture.
}

void DisplayPane::mouseMoveEvent(QMouseEvent*) {
    emit MouseMoved();
}

void DisplayPane::wheelEvent(QWheelEvent* event) {
    // One notch (120 units) scrolls three rows, as elsewhere on the desktop.
    wheelRemainder_ += event->angleDelta().y();
    const int notches = wheelRemainder_ / 120;
    wheelRemainder_ -= notches * 120;
    if (notches != 0) emit Wheel(-3 * notches);
    event->accept();
}

}  // namespace dualis
