// Painting of a display pane from its stored picture.
#include "DisplayPane.h"

#include <QMouseEvent>
#include <QPainter>
#include <QTextLayout>
#include <QWheelEvent>
#include <algorithm>
#include <limits>

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
    QPainter painter(&picture_);
    painter.setFont(font());
    painter.translate(-visibleLeft, 0);
    // Tabs stand every eight blanks, in marked and unmarked rows alike; the stored text is
    // never expanded.
    QTextOption textOption(Qt::AlignLeft | Qt::AlignTop);
    textOption.setWrapMode(QTextOption::ManualWrap);
    textOption.setTabStopDistance(8 * QFontMetricsF(font(), &picture_).horizontalAdvance(' '));
    int y = 0;
    for (const PaneLine& line : picture.Lines) {
        if (y >= size.height()) break;
        painter.fillRect(visibleLeft, y, size.width(), rowHeight,
                         SettingsColour(line.Colours.Back));
        painter.setPen(SettingsColour(line.Colours.Fore));
        DrawText(painter, line, y, picture.UnderlineMarks, textOption);
        y += rowHeight;
    }
    ++drawCount_;
}

namespace {

// UTF-16 positions of a text's code points, with one more for its end.
std::vector<int> Utf16Positions(const QString& text) {
    std::vector<int> positions;
    positions.reserve(static_cast<size_t>(text.size()) + 1);
    for (int i = 0; i < text.size(); ++i) {
        if (!text[i].isLowSurrogate() || i == 0 || !text[i - 1].isHighSurrogate()) {
            positions.push_back(i);
        }
    }
    positions.push_back(static_cast<int>(text.size()));
    return positions;
}

}  // namespace

void DisplayPane::DrawText(QPainter& painter, const PaneLine& line, int y, bool underline,
                           const QTextOption& option) {
    const QString text = QString::fromStdString(line.Text);
    QList<QTextLayout::FormatRange> ranges;
    if (!line.Marks.empty()) {
        QTextCharFormat mark;
        mark.setBackground(SettingsColour(MarkBackColour(line.Colours)));
        mark.setFontUnderline(underline);
        const std::vector<int> at = Utf16Positions(text);
        const auto last = static_cast<int32_t>(at.size()) - 1;
        for (const CharRange& r : line.Marks) {
            const int begin = at[static_cast<size_t>(std::clamp(r.Begin, 0, last))];
            const int end = at[static_cast<size_t>(std::clamp(r.End, 0, last))];
            if (end > begin) ranges.push_back({begin, end - begin, mark});
        }
    }
    // The formats go in before the layout: setting them clears it.
    QTextLayout layout(text, painter.font(), painter.device());
    layout.setFormats(ranges);
    layout.setTextOption(option);
    layout.beginLayout();
    QTextLine textLine = layout.createLine();
    if (textLine.isValid()) textLine.setLineWidth(std::numeric_limits<int>::max() / 4);
    layout.endLayout();
    layout.draw(&painter, QPointF(0, y));
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
