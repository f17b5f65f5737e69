// The rows as the main window draws them, on the offscreen platform: in all three views a line
// only File 1 has reads as deleted and one only File 2 has as added, a filler row is a quiet
// hatch without symbol or text, and tab stops count from the code whatever the line number
// before it, for the text, the marks within lines and the find bar's sideways scroll alike.
#include <QClipboard>
#include <QtTest>
#include <set>

#include "MainWindowFixture.h"

namespace dualis {

namespace {

// Back colours that no other class shares, so that a band's colour names its class (red in the
// low byte, as in the settings).
constexpr uint32_t kAddedBack = 0x80FF80;
constexpr uint32_t kDeletedBack = 0x8080FF;
constexpr uint32_t kChangedBack = 0x80FFFF;

void UseColoursOfTheirOwn(Fixture& f) {
    f.values.BackColorAdded = kAddedBack;
    f.values.BackColorDeleted = kDeletedBack;
    f.values.BackColorChanged = kChangedBack;
    f.values.ForeColorChanged = 0;
    f.values.Symbols = true;
    f.values.LineNumbers = false;
}

// File 2 drops procedure Gone, drops "b = 2" from Kept and adds "d = 4" to it.
void CompareGoneAndKept(Fixture& f) {
    f.CompareFromCommandLine(
        test::Lines({"Option Explicit", "Sub Gone()", "  g = 1", "End Sub", "Sub Kept()", "  a = 1",
                     "  b = 2", "  c = 3", "  e = 5", "  f = 6", "  g = 7", "End Sub"}),
        test::Lines({"Option Explicit", "Sub Kept()", "  a = 1", "  c = 3", "  e = 5", "  f = 6",
                     "  d = 4", "  g = 7", "End Sub"}));
}

void ShowProc(Fixture& f, const char* entry) {
    QComboBox* list = f.window->cboProcedures;
    list->setCurrentIndex(list->findText(QString::fromLatin1(entry)));
    QVERIFY(list->currentIndex() >= 0);
}

// The colours along the middle of row `row`'s band in pane `p`, right of any text.
std::set<QRgb> BandColours(Fixture& f, int p, int32_t row) {
    const QImage image = f.window->picDisplay[p]->Picture().toImage();
    const double ratio = image.devicePixelRatio();
    const int height = f.window->Metrics().RowHeight;
    const int y = qRound(((row - f.window->View().TopLine(p)) * height + height / 2) * ratio);
    std::set<QRgb> colours;
    for (int x = image.width() / 2; x < image.width(); ++x) colours.insert(image.pixel(x, y));
    return colours;
}

std::set<QRgb> Only(uint32_t settingsColour) {
    return {SettingsColour(settingsColour).rgb()};
}

// The rows of pane `p` copied with their symbols, one a line.
QStringList CopiedAsShown(Fixture& f, int p) {
    QGuiApplication::clipboard()->clear();
    f.window->SelectEveryRow(p);
    f.window->CopySelection(CopyForm::AsShown);
    QStringList rows = QGuiApplication::clipboard()->text().split(QLatin1Char('\n'));
    rows.removeLast();
    return rows;
}

// The columns of row `row` of pane `p` holding a dark pixel: ink of black text.
std::vector<int> Ink(Fixture& f, int p, int32_t row, int from) {
    const QImage image = f.window->picDisplay[p]->Picture().toImage();
    const int height = f.window->Metrics().RowHeight;
    const int top = (row - f.window->View().TopLine(p)) * height;
    std::vector<int> columns;
    for (int x = from; x < image.width(); ++x) {
        for (int y = top; y < top + height; ++y) {
            if (qGray(image.pixel(x, y)) < 128) {
                columns.push_back(x);
                break;
            }
        }
    }
    return columns;
}

// A procedure of 120 lines whose lines 9, 10 and 100 are one tab and "x = 1"; File 2 changes
// line 9 to "x = 2".
std::string TabbedProcedure(const std::string& nine) {
    std::vector<std::string> lines{"Option Explicit", "Sub T()"};
    for (int line = 2; line < 120; ++line) {
        lines.push_back(line == 9                   ? nine
                        : line == 10 || line == 100 ? "\tx = 1"
                                                    : "  y = " + std::to_string(line));
    }
    lines.push_back("End Sub");
    return test::Lines(lines);
}

}  // namespace

class DrawnRowsWindowTest : public QObject {
    Q_OBJECT
  private slots:
    void AProcedureOnlyFile1HasIsDeletedInEveryView() {
        Fixture f;
        UseColoursOfTheirOwn(f);
        f.window->Form_Load();
        f.window->resize(900, 600);
        CompareGoneAndKept(f);
        ShowProc(f, "- Gone");
        const LineColours filler = FillerColours(f.values);
        for (const char* view : {"V", "H"}) {
            if (*view == 'H') f.window->mnuViewHorizontal_Click();
            for (int32_t row = 1; row <= 3; ++row) {
                QCOMPARE(BandColours(f, 0, row), Only(kDeletedBack));
                // Facing them, a hatch on a quiet ground, in no class's colours.
                const std::set<QRgb> facing = BandColours(f, 1, row);
                QVERIFY(facing.count(SettingsColour(filler.Back).rgb()) == 1);
                QVERIFY(facing.count(SettingsColour(filler.Fore).rgb()) == 1);
                QVERIFY(facing.count(SettingsColour(kAddedBack).rgb()) == 0);
                QVERIFY(facing.count(SettingsColour(kDeletedBack).rgb()) == 0);
            }
            QCOMPARE(CopiedAsShown(f, 0), (QStringList{"- Sub Gone()", "-   g = 1", "- End Sub"}));
            QCOMPARE(CopiedAsShown(f, 1), (QStringList{"", "", ""}));
            QVERIFY(Ink(f, 1, 1, 0).empty());  // no symbol, no text
        }
        f.window->mnuViewCombined_Click();
        for (int32_t row = 1; row <= 3; ++row) QCOMPARE(BandColours(f, 0, row), Only(kDeletedBack));
        QCOMPARE(CopiedAsShown(f, 0), (QStringList{"- Sub Gone()", "-   g = 1", "- End Sub"}));
    }

    void ARemovedLineIsDeletedAndAnAddedLineAddedInEveryView() {
        Fixture f;
        UseColoursOfTheirOwn(f);
        f.window->Form_Load();
        f.window->resize(900, 600);
        CompareGoneAndKept(f);
        ShowProc(f, "# Kept");
        for (const char* view : {"V", "H"}) {
            if (*view == 'H') f.window->mnuViewHorizontal_Click();
            const QStringList one = CopiedAsShown(f, 0);
            const QStringList two = CopiedAsShown(f, 1);
            const auto b = static_cast<int32_t>(one.indexOf(QStringLiteral("-   b = 2")));
            const auto d = static_cast<int32_t>(two.indexOf(QStringLiteral("+   d = 4")));
            QVERIFY(b >= 0 && d >= 0);
            QCOMPARE(two[b], QString());
            QCOMPARE(one[d], QString());
            QCOMPARE(BandColours(f, 0, b + 1), Only(kDeletedBack));
            QCOMPARE(BandColours(f, 1, d + 1), Only(kAddedBack));
            const QRgb hatch = SettingsColour(FillerColours(f.values).Fore).rgb();
            QVERIFY(BandColours(f, 1, b + 1).count(hatch) == 1);
            QVERIFY(BandColours(f, 0, d + 1).count(hatch) == 1);
        }
        f.window->mnuViewCombined_Click();
        const QStringList rows = CopiedAsShown(f, 0);
        const auto b = static_cast<int32_t>(rows.indexOf(QStringLiteral("-   b = 2")));
        const auto d = static_cast<int32_t>(rows.indexOf(QStringLiteral("+   d = 4")));
        QVERIFY(b >= 0 && d >= 0);
        QCOMPARE(BandColours(f, 0, b + 1), Only(kDeletedBack));
        QCOMPARE(BandColours(f, 0, d + 1), Only(kAddedBack));
    }

    void TheLegendShowsTheFillerWhereThereAreFillers() {
        Fixture f;
        f.values.ViewLegend = true;
        f.window->Form_Load();
        QVERIFY(f.window->picLegend->lblLegendDeleted->toolTip().contains("only File 1 has"));
        QVERIFY(f.window->picLegend->lblLegendAdded->toolTip().contains("only File 2 has"));
        QVERIFY(!f.window->picLegend->lblLegendFiller->isHidden());
        f.window->mnuViewCombined_Click();
        QVERIFY(f.window->picLegend->lblLegendFiller->isHidden());
    }

    // Rows 9, 10 and 100 of the procedure, numbered from its top, print "= [  9] ", "= [ 10] "
    // and "= [100] " before the same code: the code, its tab included, stands alike.
    void TabsStandFromTheCodeWhateverTheLineNumber() {
        Fixture f;
        f.values.Symbols = true;
        f.values.LineNumbers = true;
        f.values.LineNumberByProc = true;
        f.window->Form_Load();
        f.window->resize(900, 600);
        f.CompareFromCommandLine(TabbedProcedure("\tx = 1"), TabbedProcedure("\tx = 1"));
        ShowProc(f, "= T");
        const double advance =
            QFontMetricsF(f.window->picDisplay[0]->font()).horizontalAdvance(' ');
        const int codeX = qRound(8 * advance);
        const std::vector<int> nine = Ink(f, 0, 9, codeX);
        QVERIFY(!nine.empty());
        QCOMPARE(Ink(f, 0, 10, codeX), nine);
        // The tab takes the code eight columns past its start, to column 16.
        QVERIFY(nine.front() >= qFloor(16 * advance) - 1);
        QVERIFY(nine.front() < qCeil(17 * advance));
        f.window->vsbDisplay[0]->setValue(95);
        QVERIFY(f.window->View().TopLine(0) <= 100 && f.window->View().BottomLine(0) >= 100);
        QCOMPARE(Ink(f, 0, 100, codeX), nine);
    }

    // The change after the tab is marked on the characters that changed, and the find bar
    // scrolls to text after tabs by the same columns.
    void MarksAndFoundTextLandOnTheirCharactersAfterTabs() {
        Fixture f;
        UseColoursOfTheirOwn(f);
        f.values.LineNumbers = true;
        f.values.LineNumberByProc = true;
        f.window->Form_Load();
        f.window->resize(900, 600);
        f.CompareFromCommandLine(TabbedProcedure("\tx = 1"), TabbedProcedure("\tx = 2"));
        ShowProc(f, "# T");
        const double advance =
            QFontMetricsF(f.window->picDisplay[1]->font()).horizontalAdvance(' ');
        const QImage image = f.window->picDisplay[1]->Picture().toImage();
        const QRgb mark = SettingsColour(MarkBackColour({0, kChangedBack})).rgb();
        const int y = 8 * f.window->Metrics().RowHeight + f.window->Metrics().RowHeight / 2;
        std::vector<int> marked;
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) == mark) marked.push_back(x);
        }
        // "# [  9] " then the tab to column 16, "x = " and the "2" at column 20.
        QVERIFY(!marked.empty());
        QVERIFY(std::abs(marked.front() - 20 * advance) <= 1);
        QVERIFY(std::abs(marked.back() + 1 - 21 * advance) <= 1);

        // A wide line of tabs: the find bar brings "Haystack" to a quarter of the pane.
        const std::string wide =
            "  s = 1" + std::string(40, '\t') + "Haystack & \"" + std::string(60, '.') + "\"";
        const std::string q = "Sub Q()\r\n" + wide + "\r\nEnd Sub\r\n";
        f.CompareFromCommandLine(q + Procedures(1, 3, ""), q + Procedures(1, 3, " ' x"));
        ShowProc(f, "= Q");
        f.window->mnuFindText_Click();
        QTest::keyClicks(f.window->fraFind->txtFind, "haystack");
        QTest::keyClick(f.window->fraFind->txtFind, Qt::Key_Return);
        QCOMPARE(f.window->View().HiLiteLine(0), 2);
        // "= [2] " and the code, whose 40 tabs end at column 320.
        const int column = 6 + 320;
        const int shown = f.window->View().Scroll(0).CharsPerPane;
        const int value = f.window->hsbDisplay[0]->value();
        QCOMPARE(value, column - shown / 4 + 1);
        QVERIFY(column + 8 <= value - 1 + shown);
    }
};

}  // namespace dualis

QTEST_MAIN(dualis::DrawnRowsWindowTest)
#include "DrawnRowsWindowTest.moc"
