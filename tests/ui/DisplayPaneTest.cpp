// A pane's drawing on the offscreen platform: marked parts of a row stand on their stronger
// background, underlined when asked, and the row's text lies where an unmarked row puts it.
#include <QFontDatabase>
#include <QImage>
#include <QtTest>

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
        const QColor black(Qt::black);
        const QColor mark = SettingsColour(MarkBackColour({0x000000, 0xFFFFFF}));
        const std::vector<int> plainInk = drawn.Columns(0, black);
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
        std::vector<int> ink = drawn.Columns(1, black);
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
        QCOMPARE(plain.Columns(0, Qt::black), underlined.Columns(0, Qt::black));
        QVERIFY(underlined.Columns(1, Qt::black).size() > plain.Columns(1, Qt::black).size());
    }

};

}  // namespace dualis

QTEST_MAIN(dualis::DisplayPaneTest)
#include "DisplayPaneTest.moc"
