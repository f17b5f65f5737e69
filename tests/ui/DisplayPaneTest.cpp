// A pane's drawing on the offscreen platform: marked parts of a row stand on their stronger
// background, underlined when asked, and the row's text lies where an unmarked row puts it.
#include <QFontDatabase>
#include <QImage>
#include <QtTest>

#include "DirectionText.h"
#include "DisplayPane.h"

namespace dualis {

namespace {

constexpr int kRowHeight = 20;

struct Drawn {
    explicit Drawn(const PanePicture& picture) {
        pane.setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
        pane.resize(400, 3 * kRowHeight);
        pane.Draw(picture, kRowHeight, 1.0, 0, 400);
        image = pane.Picture().toImage().convertToFormat(QImage::Format_RGB32);
    }
    // Columns of row `row` holding a pixel of `colour`.
    std::vector<int> Columns(int row, QColor colour) const {
        std::vector<int> columns;
        for (int x = 0; x < image.width(); ++x) {
            for (int y = row * kRowHeight; y < (row + 1) * kRowHeight; ++y) {
                if (image.pixelColor(x, y) == colour) {
                    columns.push_back(x);
                    break;
                }
            }
        }
        return columns;
    }
    // Columns of row `row` with a dark pixel: ink of black text, however it is smoothed.
    std::vector<int> Ink(int row) const {
        std::vector<int> columns;
        for (int x = 0; x < image.width(); ++x) {
            for (int y = row * kRowHeight; y < (row + 1) * kRowHeight; ++y) {
                if (qGray(image.pixel(x, y)) < 128) {
                    columns.push_back(x);
                    break;
                }
            }
        }
        return columns;
    }
    DisplayPane pane;
    QImage image;
};

// Black text on white; the mark's background is then a grey.
PanePicture Picture(bool underline) {
    PanePicture picture;
    const LineColours colours{0x000000, 0xFFFFFF};
    picture.Lines = {{"# abc\tdef", colours, {}}, {"# abc\tdef", colours, {{6, 9}}}};
    picture.UnderlineMarks = underline;
    return picture;
}

}  // namespace

class DisplayPaneTest : public QObject {
    Q_OBJECT
  private slots:
    void MarkedPartsStandOnTheirBackgroundWithTheTextWhereItWouldBe() {
        const Drawn drawn(Picture(false));
        const QColor mark = SettingsColour(MarkBackColour({0x000000, 0xFFFFFF}));
        const std::vector<int> plainInk = drawn.Ink(0);
        QVERIFY(!plainInk.empty());
        QVERIFY(drawn.Columns(0, mark).empty());

        const std::vector<int> marked = drawn.Columns(1, mark);
        QVERIFY(!marked.empty());
        // "def" stands after the tab: the mark starts right of "abc" and covers the last ink.
        const int fontWidth =
            QFontMetrics(drawn.pane.font()).horizontalAdvance(QStringLiteral("# abc"));
        QVERIFY(marked.front() > fontWidth);
        QVERIFY(marked.back() >= plainInk.back());
        // Ink over the mark is still black text; the columns with ink outside the mark are the same
        // as in the unmarked row.
        std::vector<int> ink = drawn.Ink(1);
        std::vector<int> plainBefore;
        for (int x : plainInk) {
            if (x < marked.front()) plainBefore.push_back(x);
        }
        std::vector<int> before;
        for (int x : ink) {
            if (x < marked.front()) before.push_back(x);
        }
        QCOMPARE(before, plainBefore);
    }

    void WithoutSymbolsMarkedPartsAreUnderlinedToo() {
        const Drawn plain(Picture(false));
        const Drawn underlined(Picture(true));
        // The underline adds ink in the marked row only.
        QCOMPARE(plain.Ink(0), underlined.Ink(0));
        QVERIFY(underlined.Ink(1).size() > plain.Ink(1).size());
    }

    // A row beyond ASCII is laid out by the text engine, a plain one from the glyph table; the
    // two put the same characters in the same columns, tabs included.
    void RowsBeyondAsciiLineUpWithPlainOnes() {
        PanePicture picture;
        const LineColours colours{0x000000, 0xFFFFFF};
        picture.Lines = {{"# abc\tdef x", colours, {}},
                         {"# abc\td\xC3\xA9"
                          "f x",
                          colours,
                          {}}};
        const Drawn drawn(picture);
        const double advance = QFontMetricsF(drawn.pane.font()).horizontalAdvance(' ');
        const auto outside = [&](const std::vector<int>& ink) {
            std::vector<int> kept;
            for (int x : ink) {
                if (x < 8 * advance || x >= 11 * advance) kept.push_back(x);
            }
            return kept;
        };
        const std::vector<int> plain = outside(drawn.Ink(0));
        QVERIFY(!plain.empty() && plain.back() >= 12 * advance);  // the "x" after the change
        QCOMPARE(outside(drawn.Ink(1)), plain);
    }

    // Tab stops count from where the row's code starts, past the symbol and number, in a row laid
    // out by the text engine as in one drawn from the glyph table.
    void TabsCountFromTheCodeInBothWaysOfDrawing() {
        PanePicture picture;
        const LineColours colours{0x000000, 0xFFFFFF};
        PaneLine plain{"= [9] \tx = e", colours, {}, {}, 6};
        PaneLine beyond{"= [9] \tx = \xC3\xA9", colours, {}, {}, 6};
        picture.Lines = {plain, beyond};
        const Drawn drawn(picture);
        const double advance = QFontMetricsF(drawn.pane.font()).horizontalAdvance(' ');
        const auto code = [&](const std::vector<int>& ink) {
            std::vector<int> kept;
            for (int x : ink) {
                if (x >= 6 * advance && x < 18 * advance) kept.push_back(x);
            }
            return kept;
        };
        const std::vector<int> ink = code(drawn.Ink(0));
        QVERIFY(!ink.empty());
        // The "x" stands eight columns into the code, at column 14.
        QVERIFY(ink.front() >= std::floor(14 * advance) - 1);
        QVERIFY(ink.front() < std::ceil(15 * advance));
        QCOMPARE(code(drawn.Ink(1)), ink);
    }

    // A filler row is its quiet ground with a hatch across it, and nothing else.
    void AFillerRowIsHatched() {
        PanePicture picture;
        PaneLine filler{"", {0xD7D7D7, 0xF5F5F5}, {}, {}, 0, true};
        picture.Lines = {filler, {"", {0xD7D7D7, 0xF5F5F5}, {}}};
        const Drawn drawn(picture);
        const std::vector<int> hatch = drawn.Columns(0, SettingsColour(0xD7D7D7));
        // Lines six pixels apart cross every part of the band.
        QVERIFY(hatch.size() > 300);
        QVERIFY(!drawn.Columns(0, SettingsColour(0xF5F5F5)).empty());
        QVERIFY(drawn.Columns(1, SettingsColour(0xD7D7D7)).empty());  // a plain empty row
    }

    // A character that changes the text direction is drawn as a placeholder in the row's colours
    // swapped, in exactly one column: the text after it stays where a plain row puts it.
    void APlaceholderStandsOutInItsOneColumn() {
        PanePicture picture;
        const LineColours colours{0x000000, 0xFFFFFF};
        PaneLine shown{"# ab" + std::string(DirectionPlaceholderUtf8) + "cd x", colours, {}, {4}};
        picture.Lines = {shown, {"# ab?cd x", colours, {}}};
        const Drawn drawn(picture);
        const QFontMetricsF metrics(drawn.pane.font());
        const double advance = metrics.horizontalAdvance(' ');
        // Columns standing on the fore colour for more than a glyph's height: the swapped ground.
        std::vector<int> ground;
        for (int x = 0; x < drawn.image.width(); ++x) {
            int dark = 0;
            for (int y = 0; y < kRowHeight; ++y) dark += qGray(drawn.image.pixel(x, y)) < 16;
            if (dark > metrics.ascent() + 1) ground.push_back(x);
        }
        QVERIFY(!ground.empty());
        QVERIFY(ground.front() >= std::floor(4 * advance) - 1);
        QVERIFY(ground.back() <= std::ceil(5 * advance));
        QVERIFY(ground.back() - ground.front() + 2 >= advance);
        // The plain row has its "?" there; the ink after that column is the same in both.
        const auto after = [&](const std::vector<int>& ink) {
            std::vector<int> kept;
            for (int x : ink) {
                if (x >= std::ceil(5 * advance) + 1) kept.push_back(x);
            }
            return kept;
        };
        const std::vector<int> plain = after(drawn.Ink(1));
        QVERIFY(!plain.empty());
        QCOMPARE(after(drawn.Ink(0)), plain);
    }
};

}  // namespace dualis

QTEST_MAIN(dualis::DisplayPaneTest)
#include "DisplayPaneTest.moc"
