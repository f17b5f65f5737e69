// Row text from a glyph table or from Qt's text engine, at the same positions.
#include "RowPainter.h"

#include <QFontMetricsF>
#include <QGlyphRun>
#include <QTextLayout>
#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "DirectionText.h"

namespace dualis {

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

void PaintHatch(QPainter& painter, const QRect& band, const QColor& ink) {
    constexpr int kStep = 6;
    painter.save();
    painter.setClipRect(band);
    painter.setPen(QPen(ink, 1));
    const int top = band.top();
    const int bottom = top + band.height();
    // The points of one line share x + y; the first line reaching the band's left edge.
    for (int sum = (band.left() + top) / kStep * kStep; sum <= band.right() + bottom;
         sum += kStep) {
        painter.drawLine(QLineF(sum - top, top, sum - bottom, bottom));
    }
    painter.restore();
}

QColor SettingsColour(uint32_t rgb) {
    return QColor(static_cast<int>(rgb & 0xFF), static_cast<int>((rgb >> 8) & 0xFF),
                  static_cast<int>((rgb >> 16) & 0xFF));
}

RowPainter::RowPainter(const QFont& font, const QPaintDevice* device)
    : font_(font), pixelRatio_(device->devicePixelRatioF()) {
    const QFontMetricsF metrics(font, device);
    option_ = QTextOption(Qt::AlignLeft | Qt::AlignTop);
    option_.setWrapMode(QTextOption::ManualWrap);
    option_.setTabStopDistance(TabColumns * metrics.horizontalAdvance(' '));
    ascent_ = metrics.ascent();
    underlinePos_ = metrics.underlinePos();
    // The placeholder takes one column, whichever font supplies its glyph.
    placeholderSpacing_ =
        metrics.horizontalAdvance(' ') -
        metrics.horizontalAdvance(QString(QChar(static_cast<char16_t>(DirectionPlaceholder))));
    lineWidth_ = std::max(1.0, metrics.lineWidth());
    // Fonts report fixed pitch unreliably; the advances below decide.
    raw_ = QRawFont::fromFont(font);
    if (!raw_.isValid()) return;
    QString printable;
    for (char16_t c = 0x20; c < 0x7F; ++c) printable += QChar(c);
    const QList<quint32> indexes = raw_.glyphIndexesForString(printable);
    if (indexes.size() != printable.size()) return;
    advance_ = metrics.horizontalAdvance(' ');
    // Every glyph must take the same advance, or columns would not line up with the engine's.
    for (int i = 0; i < printable.size(); ++i) {
        if (indexes[i] == 0 && printable[i] != ' ') return;
        if (std::abs(metrics.horizontalAdvance(printable[i]) - advance_) > 1e-3) return;
        glyphs_[0x20 + static_cast<size_t>(i)] = indexes[i];
    }
    table_ = true;
}

bool RowPainter::FitsTable(const std::string& text) const {
    return table_ && std::all_of(text.begin(), text.end(),
                                 [](char c) { return c == '\t' || (c >= 0x20 && c < 0x7F); });
}

void RowPainter::Paint(QPainter& painter, const PaneLine& line, int y, int rowHeight,
                       bool underline, double left, double right) const {
    if (FitsTable(line.Text)) {
        PaintFromTable(painter, line, y, rowHeight, underline, left, right);
    } else {
        PaintLaidOut(painter, line, y, underline);
    }
}

void RowPainter::PaintFromTable(QPainter& painter, const PaneLine& line, int y, int rowHeight,
                                bool underline, double left, double right) const {
    // The column each character starts in, and one more for the end.
    const std::string& text = line.Text;
    std::vector<int> columns(text.size() + 1);
    int column = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        columns[i] = column;
        column = ColumnAfter(column, text[i], line.CodeStart);
    }
    columns[text.size()] = column;

    if (!line.Marks.empty()) {
        const QColor back = SettingsColour(MarkBackColour(line.Colours));
        const auto last = static_cast<int32_t>(text.size());
        for (const CharRange& r : line.Marks) {
            const double x0 = columns[static_cast<size_t>(std::clamp(r.Begin, 0, last))] * advance_;
            const double x1 = columns[static_cast<size_t>(std::clamp(r.End, 0, last))] * advance_;
            painter.fillRect(QRectF(x0, y, x1 - x0, rowHeight), back);
            if (underline) {
                painter.fillRect(QRectF(x0, y + ascent_ + underlinePos_, x1 - x0, lineWidth_),
                                 painter.pen().color());
            }
        }
    }

    QList<quint32> indexes;
    QList<QPointF> positions;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == ' ' || c == '\t') continue;
        const double x = columns[i] * advance_;
        if (x + advance_ < left) continue;
        if (x >= right) break;
        indexes.push_back(glyphs_[static_cast<unsigned char>(c)]);
        positions.push_back({x, 0});
    }
    if (indexes.isEmpty()) return;
    QGlyphRun run;
    run.setRawFont(raw_);
    run.setGlyphIndexes(indexes);
    run.setPositions(positions);
    painter.drawGlyphRun(QPointF(0, y + ascent_), run);
}

QTextOption RowPainter::CodeTabs(const PaneLine& line, const QPaintDevice* device) const {
    // The prefix is ASCII, so its code points are its bytes and its UTF-16 units.
    const QString prefix = QString::fromLatin1(line.Text.data(), line.CodeStart);
    const double codeX = QFontMetricsF(font_, device).horizontalAdvance(prefix);
    const double stop = option_.tabStopDistance();
    // Enough stops for every column the row can reach, wide characters taken as two.
    const int32_t last = DisplayColumn(line.Text, line.Text.size(), line.CodeStart);
    QList<QTextOption::Tab> tabs;
    for (int32_t column = line.CodeStart + TabColumns; column <= 2 * last + TabColumns;
         column += TabColumns) {
        tabs.push_back(QTextOption::Tab(codeX + (column - line.CodeStart) / TabColumns * stop,
                                        QTextOption::LeftTab));
    }
    QTextOption option = option_;
    option.setTabs(tabs);
    return option;
}

void RowPainter::PaintLaidOut(QPainter& painter, const PaneLine& line, int y,
                              bool underline) const {
    const QString text = QString::fromStdString(line.Text);
    QList<QTextLayout::FormatRange> ranges;
    std::vector<int> at;
    if (!line.Marks.empty() || !line.Placeholders.empty()) at = Utf16Positions(text);
    const auto last = static_cast<int32_t>(at.size()) - 1;
    if (!line.Marks.empty()) {
        QTextCharFormat mark;
        mark.setBackground(SettingsColour(MarkBackColour(line.Colours)));
        mark.setFontUnderline(underline);
        for (const CharRange& r : line.Marks) {
            const int begin = at[static_cast<size_t>(std::clamp(r.Begin, 0, last))];
            const int end = at[static_cast<size_t>(std::clamp(r.End, 0, last))];
            if (end > begin) ranges.push_back({begin, end - begin, mark});
        }
    }
    if (!line.Placeholders.empty()) {
        // The row's colours swapped: plainly no character of the file. It comes after the marks,
        // so it stays so within a marked part too.
        QTextCharFormat placeholder;
        placeholder.setForeground(SettingsColour(line.Colours.Back));
        placeholder.setBackground(SettingsColour(line.Colours.Fore));
        if (std::abs(placeholderSpacing_) > 1e-3) {
            placeholder.setFontLetterSpacingType(QFont::AbsoluteSpacing);
            placeholder.setFontLetterSpacing(placeholderSpacing_);
        }
        for (const int32_t place : line.Placeholders) {
            if (place >= 0 && place < last) {
                const int begin = at[static_cast<size_t>(place)];
                ranges.push_back({begin, at[static_cast<size_t>(place) + 1] - begin, placeholder});
            }
        }
    }
    // The formats go in before the layout: setting them clears it.
    QTextLayout layout(text, font_, painter.device());
    layout.setFormats(ranges);
    layout.setTextOption(
        line.Text.find('\t') == std::string::npos ? option_ : CodeTabs(line, painter.device()));
    layout.beginLayout();
    QTextLine textLine = layout.createLine();
    if (textLine.isValid()) textLine.setLineWidth(std::numeric_limits<int>::max() / 4);
    layout.endLayout();
    layout.draw(&painter, QPointF(0, y));
}

}  // namespace dualis
