// The find bar in the main window, on the offscreen platform: opening and closing it, typing
// in it, and the rows its search highlights.
#include <QtTest>

#include "MainWindowFixture.h"

namespace dualis {

namespace {

// Three procedures of 30 lines, P1 shown. File 2 alone says "Needle", in P1's line 25 (row 26)
// and P2's line 3 (row 4); P3 is equal.
void CompareWithNeedles(Fixture& f) {
    std::vector<std::string> one{"Option Explicit"};
    std::vector<std::string> two = one;
    for (int p = 1; p <= 3; ++p) {
        for (auto* lines : {&one, &two}) lines->push_back("Sub P" + std::to_string(p) + "()");
        for (int i = 1; i <= 30; ++i) {
            const std::string line = "  x = " + std::to_string(i);
            one.push_back(line);
            two.push_back((p == 1 && i == 25) || (p == 2 && i == 3) ? line + " ' Needle" : line);
        }
        for (auto* lines : {&one, &two}) lines->push_back("End Sub");
    }
    f.CompareFromCommandLine(test::Lines(one), test::Lines(two));
    f.window->cboProcedures->setCurrentIndex(1);
}

void Open(Fixture& f) {
    f.window->Form_Load();
    f.window->show();
    QVERIFY(QTest::qWaitForWindowActive(f.window.get()));
    CompareWithNeedles(f);
    f.window->picDisplay[0]->setFocus();
    QTest::keyClick(f.window->picDisplay[0], Qt::Key_F, Qt::ControlModifier);
}

// Where the row found by the last search stands in its pane: its bottom edge, in pixels from the
// pane's top, and whether it is drawn at all.
int FoundRowBottom(Fixture& f, int pane) {
    const int32_t row = f.window->View().HiLiteLine(pane);
    return (row - f.window->View().TopLine(pane) + 1) * f.window->Metrics().RowHeight;
}

QString Status(Fixture& f) {
    return f.window->lblStatus->text();
}

}  // namespace

class SearchWindowTest : public QObject {
    Q_OBJECT
  private slots:
    void CtrlFOpensTheBarAndEscapeClosesIt() {
        Fixture f;
        f.window->Form_Load();
        QVERIFY(!f.window->mnuFindText->isEnabled());
        QCOMPARE(f.window->mnuFindText->text(), QStringLiteral("Find &Text...\tCtrl+F"));
        f.window->show();
        QVERIFY(QTest::qWaitForWindowActive(f.window.get()));
        QTest::keyClick(f.window->picDisplay[0], Qt::Key_F, Qt::ControlModifier);
        QVERIFY(f.window->fraFind->isHidden());  // nothing to search before a comparison
        CompareWithNeedles(f);
        QVERIFY(f.window->mnuFindText->isEnabled());
        QVERIFY(f.window->fraFind->isHidden());
        const int paneHeight = f.window->fraDisplay[0]->height();
        f.window->picDisplay[0]->setFocus();
        QTest::keyClick(f.window->picDisplay[0], Qt::Key_F, Qt::ControlModifier);
        QLineEdit* field = f.window->fraFind->txtFind;
        QVERIFY(f.window->fraFind->isVisible());
        QCOMPARE(QApplication::focusWidget(), field);
        // The bar takes its height from the panes and stands above the status line.
        QCOMPARE(f.window->fraDisplay[0]->height(),
                 paneHeight - f.window->fraFind->sizeHint().height());
        const QRect bar = f.window->fraFind->geometry();
        QVERIFY(bar.bottom() < f.window->lblStatus->geometry().top());
        QVERIFY(bar.top() > f.window->fraDisplay[0]->geometry().bottom());
        // Keys that are the window's commands elsewhere type in the field.
        QTest::keyClicks(field, "x = -1");
        QTest::keyClick(field, Qt::Key_Home);
        QTest::keyClick(field, Qt::Key_PageDown);
        QCOMPARE(field->text(), QStringLiteral("x = -1"));
        QVERIFY(f.window->View().HiLiteLine(0) < 1);  // no Next Match, no Next Mismatch
        QCOMPARE(f.window->View().CurrentProc(), 2);
        // Ctrl+F again selects the text, ready to be typed over.
        QTest::keyClick(field, Qt::Key_F, Qt::ControlModifier);
        QCOMPARE(field->selectedText(), QStringLiteral("x = -1"));
        QTest::keyClick(field, Qt::Key_Escape);
        QVERIFY(f.window->fraFind->isHidden());
        QCOMPARE(QApplication::focusWidget(), f.window->picDisplay[0]);
        QCOMPARE(f.window->fraDisplay[0]->height(), paneHeight);
    }

    void EnterFindsTheNextRowAndGoesOnThroughTheProcedures() {
        Fixture f;
        Open(f);
        QLineEdit* field = f.window->fraFind->txtFind;
        QTest::keyClicks(field, "needle");
        QTest::keyClick(field, Qt::Key_Return);
        QCOMPARE(f.window->View().CurrentProc(), 2);
        QCOMPARE(f.window->View().HiLiteLine(0), 26);
        QCOMPARE(f.window->View().HiLiteLine(1), 26);
        QVERIFY(f.window->View().TopLine(1) <= 26 && 26 <= f.window->View().BottomLine(1));
        QCOMPARE(QApplication::focusWidget(), field);  // Enter again searches on
        QTest::keyClick(field, Qt::Key_Return);
        QCOMPARE(f.window->View().CurrentProc(), 3);
        QCOMPARE(f.window->cboProcedures->currentIndex(), 2);
        QCOMPARE(f.window->View().HiLiteLine(1), 4);
        QTest::keyClick(field, Qt::Key_Return, Qt::ShiftModifier);
        QCOMPARE(f.window->View().CurrentProc(), 2);
        QCOMPARE(f.window->View().HiLiteLine(1), 26);
        // Match case leaves nothing to find; the buttons search as the keys do.
        f.window->fraFind->chkMatchCase->setChecked(true);
        f.window->fraFind->cmdNext->click();
        QCOMPARE(f.messages, std::vector<std::string>{"Dualis cannot find \"needle\"."});
        QCOMPARE(f.window->View().HiLiteLine(1), 26);
        f.window->fraFind->chkMatchCase->setChecked(false);
        f.window->fraFind->cmdPrevious->click();
        QCOMPARE(f.window->View().CurrentProc(), 3);
        QCOMPARE(f.messages.size(), size_t{1});
        // F3 in the field still repeats the block search: Next Mismatch, from P1's top.
        f.window->cboProcedures->setCurrentIndex(1);
        field->setFocus();
        QVERIFY(f.window->View().HiLiteLine(0) < 1);
        QTest::keyClick(field, Qt::Key_F3);
        QCOMPARE(f.window->View().HiLiteLine(0), 26);
        QCOMPARE(QApplication::focusWidget(), field);
    }

    void TextFoundBeyondThePanesRightEdgeIsScrolledIntoView() {
        Fixture f;
        f.window->Form_Load();
        f.window->resize(700, 500);
        const std::string wide = "  s = \"" + std::string(300, '.') + "\" & Haystack";
        const std::string q = "Sub Q()\r\n" + wide + "\r\nEnd Sub\r\n";
        f.CompareFromCommandLine(q + Procedures(1, 3, ""), q + Procedures(1, 3, " ' x"));
        QComboBox* list = f.window->cboProcedures;
        list->setCurrentIndex(list->findText(QStringLiteral("= Q")));
        QVERIFY(list->currentIndex() >= 0);
        QCOMPARE(f.window->hsbDisplay[0]->value(), 1);
        f.window->mnuFindText_Click();
        QTest::keyClicks(f.window->fraFind->txtFind, "haystack");
        QTest::keyClick(f.window->fraFind->txtFind, Qt::Key_Return);
        QCOMPARE(f.window->View().HiLiteLine(0), 2);
        const int value = f.window->hsbDisplay[0]->value();
        const int shown = f.window->View().Scroll(0).CharsPerPane;
        QVERIFY(value > 1);
        // The row prints the symbol and a blank before the line.
        const int column = 2 + static_cast<int>(wide.find("Haystack"));
        QVERIFY(column >= value - 1 && column + 8 <= value - 1 + shown);
        QCOMPARE(f.window->hsbDisplay[1]->value(), value);  // the panes scroll together
    }

    void ARowFoundStandsWhollyInsideItsPaneAtEveryHeight() {
        Fixture f;
        f.window->Form_Load();
        // One procedure of 300 lines, every 13th of File 2 holding the text.
        std::vector<std::string> one{"Option Explicit", "Sub P()"};
        std::vector<std::string> two = one;
        int needles = 0;
        for (int i = 1; i <= 300; ++i) {
            const std::string line = "  x = " + std::to_string(i);
            one.push_back(line);
            two.push_back(i % 13 == 0 ? line + " ' Needle" : line);
            needles += i % 13 == 0 ? 1 : 0;
        }
        for (auto* lines : {&one, &two}) lines->push_back("End Sub");
        f.CompareFromCommandLine(test::Lines(one), test::Lines(two));
        f.window->mnuFindText_Click();
        QLineEdit* field = f.window->fraFind->txtFind;
        QTest::keyClicks(field, "needle");
        for (const char* view : {"V", "C"}) {
            if (*view == 'C') f.window->mnuViewCombined_Click();
            for (int height = 300; height <= 560; height += 13) {
                f.window->resize(900, height + 200);
                QCoreApplication::processEvents();
                f.window->cboProcedures->setCurrentIndex(1);
                const int paneHeight = f.window->picDisplay[0]->height();
                // Forward through every row, then back: each lies wholly inside the pane.
                for (const Qt::KeyboardModifiers way : {Qt::NoModifier, Qt::ShiftModifier}) {
                    for (int i = 0; i < needles; ++i) {
                        QTest::keyClick(field, Qt::Key_Return, way);
                        const int pane = *view == 'C' ? 0 : 1;
                        const int bottom = FoundRowBottom(f, pane);
                        QVERIFY2(
                            f.window->View().HiLiteLine(pane) >= f.window->View().TopLine(pane) &&
                                bottom <= paneHeight,
                            qPrintable(QString("row %1 cut at %2 px, %3")
                                           .arg(f.window->View().HiLiteLine(pane))
                                           .arg(paneHeight)
                                           .arg(view)));
                    }
                }
            }
        }
    }

    void ARowThatMatchesInBothPanesIsFoundInEachWithItsTextMarked() {
        Fixture f;
        f.window->Form_Load();
        f.window->show();
        QVERIFY(QTest::qWaitForWindowActive(f.window.get()));
        // "Total" in an equal line, so in both panes' row 3, and in File 2's changed row 4 (row 1
        // shows the header).
        const std::vector<std::string> one{"Option Explicit", "Sub P()", "  a = 1",
                                           "  Total = a",     "  b = 1", "End Sub"};
        std::vector<std::string> two = one;
        two[4] = "  b = Total";
        f.CompareFromCommandLine(test::Lines(one), test::Lines(two));
        f.window->cboProcedures->setCurrentIndex(1);
        f.window->picDisplay[0]->setFocus();
        QTest::keyClick(f.window->picDisplay[0], Qt::Key_F, Qt::ControlModifier);
        QLineEdit* field = f.window->fraFind->txtFind;
        QTest::keyClicks(field, "total");
        const int row = f.window->Metrics().RowHeight;
        const double column = f.window->Metrics().CharWidth;
        const QImage unmarked = f.window->picDisplay[0]->grab().toImage();
        QTest::keyClick(field, Qt::Key_Return);
        QCOMPARE(f.window->View().HiLiteLine(0), 3);
        QCOMPARE(Status(f), QStringLiteral("Found \"total\" in File 1"));
        // The characters found are marked in File 1's pane: the symbol, a blank, two blanks of
        // the line, then "Total".
        const QRect first = f.window->picDisplay[0]->FoundMark();
        QCOMPARE(first,
                 QRect(qRound(4 * column), 2 * row, qRound(9 * column) - qRound(4 * column), row));
        QVERIFY(f.window->picDisplay[1]->FoundMark().isEmpty());
        const QImage marked = f.window->picDisplay[0]->grab().toImage();
        const QPoint inside = first.center() * marked.devicePixelRatio();
        QVERIFY(marked.pixelColor(inside) != unmarked.pixelColor(inside));
        // Enter again finds the same row in File 2's pane, and says so.
        QTest::keyClick(field, Qt::Key_Return);
        QCOMPARE(f.window->View().HiLiteLine(1), 3);
        QCOMPARE(Status(f), QStringLiteral("Found \"total\" in File 2"));
        QVERIFY(f.window->picDisplay[0]->FoundMark().isEmpty());
        QCOMPARE(f.window->picDisplay[1]->FoundMark(), first);
        QTest::keyClick(field, Qt::Key_Return);
        QCOMPARE(f.window->View().HiLiteLine(1), 4);
        QCOMPARE(f.window->picDisplay[1]->FoundMark().top(), 3 * row);
        QCOMPARE(f.window->picDisplay[1]->FoundMark().left(), qRound(8 * column));
        // The note lasts until the next key; the mark until the highlight moves on.
        QTest::keyClick(field, Qt::Key_End);
        QCOMPARE(Status(f), QStringLiteral("Procs: 1 equal, 1 changed, 0 added, 0 deleted"));
        QVERIFY(!f.window->picDisplay[1]->FoundMark().isEmpty());
        f.window->picDisplay[0]->setFocus();
        QTest::keyClick(f.window->picDisplay[0], Qt::Key_Equal, Qt::ControlModifier);
        QCOMPARE(f.window->View().HiLiteLine(0), 3);
        QVERIFY(f.window->picDisplay[0]->FoundMark().isEmpty());
        QVERIFY(f.window->picDisplay[1]->FoundMark().isEmpty());
        // In the combined view the file is the one whose line the row shows: from row 3 on,
        // File 2's added row 5, then round to the equal row 3, which shows File 1's line.
        f.window->mnuViewCombined_Click();
        field->setFocus();
        QTest::keyClick(field, Qt::Key_Return);
        QCOMPARE(f.window->View().HiLiteLine(0), 5);
        QCOMPARE(Status(f), QStringLiteral("Found \"total\" in File 2"));
        QTest::keyClick(field, Qt::Key_Return);
        QCOMPARE(f.window->View().HiLiteLine(0), 3);
        QCOMPARE(Status(f), QStringLiteral("Found \"total\" in File 1"));
        QCOMPARE(f.window->picDisplay[0]->FoundMark().top(), 2 * row);
    }

    void OneMessageWhenNothingIsFoundAndNoneForAnEmptyField() {
        Fixture f;
        Open(f);
        QLineEdit* field = f.window->fraFind->txtFind;
        QTest::keyClick(field, Qt::Key_Return);
        QVERIFY(f.messages.empty());
        QTest::keyClicks(field, "Nowhere");
        QTest::keyClick(field, Qt::Key_Return);
        QCOMPARE(f.messages, std::vector<std::string>{"Dualis cannot find \"Nowhere\"."});
        QCOMPARE(f.window->View().CurrentProc(), 2);
        QVERIFY(f.window->View().HiLiteLine(0) < 1);
        QVERIFY(f.errors.empty());
        // Escape closes the bar from any of its controls.
        f.window->fraFind->chkWholeWord->setFocus();
        QTest::keyClick(f.window->fraFind->chkWholeWord, Qt::Key_Escape);
        QVERIFY(f.window->fraFind->isHidden());
    }
};

}  // namespace dualis

QTEST_MAIN(dualis::SearchWindowTest)
#include "SearchWindowTest.moc"
