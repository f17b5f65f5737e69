// Paints the text of a pane's rows. Tabs stand every eight blanks from the start of the row's
// code, past its symbol and number (ColumnAfter). A row of plain ASCII in a fixed-pitch font is
// put down glyph by glyph from a table, only where the pane shows it, which keeps a page of long
// lines cheap; any other row is laid out by Qt's text engine at the same positions. A placeholder
// for a character that changes the text direction stands in the row's colours swapped, one column
// wide.
#pragma once

#include <QColor>
#include <QFont>
#include <QPainter>
#include <QRawFont>
#include <QTextOption>
#include <array>
#include <cstdint>

#include "DisplayLines.h"

namespace dualis {

// An RGB value of the settings (red in the low byte) as a colour.
QColor SettingsColour(uint32_t rgb);

// The hatch of a filler row: thin lines in `ink` rising to the right across `band`, placed by
// the painter's coordinates so that the hatch of filler rows that follow each other runs on
// unbroken.
void PaintHatch(QPainter& painter, const QRect& band, const QColor& ink);

class RowPainter {
  public:
    // For text in `font` on a device of `pixelRatio`.
    RowPainter(const QFont& font, const QPaintDevice* device);

    bool Suits(const QFont& font, double pixelRatio) const {
        return font == font_ && pixelRatio == pixelRatio_;
    }
    // Draws `line`'s text in the painter's pen from the top of the row at `y`, its marks on
    // their background (underlined when `underline`); only [left, right) needs to be drawn.
    void Paint(QPainter& painter, const PaneLine& line, int y, int rowHeight, bool underline,
               double left, double right) const;

  private:
    // True when the glyph table can draw `text`: printable ASCII and tabs only.
    bool FitsTable(const std::string& text) const;
    void PaintFromTable(QPainter& painter, const PaneLine& line, int y, int rowHeight,
                        bool underline, double left, double right) const;
    void PaintLaidOut(QPainter& painter, const PaneLine& line, int y, bool underline) const;
    // The text engine's options for a row with tabs: its stops counted from where its code
    // starts.
    QTextOption CodeTabs(const PaneLine& line, const QPaintDevice* device) const;

    QFont font_;
    double pixelRatio_ = 1;
    QTextOption option_;
    double advance_ = 0;  // of every glyph, when the table is in use
    double ascent_ = 0;
    double underlinePos_ = 0;
    double lineWidth_ = 1;
    double placeholderSpacing_ = 0;  // added to the placeholder's advance to make it one column
    QRawFont raw_;
    bool table_ = false;
    std::array<quint32, 128> glyphs_{};
};

}  // namespace dualis
