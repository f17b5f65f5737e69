// The main window as people use it, on the offscreen platform: every row can be scrolled into
// view, a failed comparison changes nothing, the procedure list keeps the keyboard, horizontal
// scrolling stays consistent across views, and pictures are drawn at the screen's pixel ratio.
#include <QMenuBar>
#include <QtTest>

#include "MainWindowFixture.h"
#include "RecentFiles.h"

namespace dualis {

namespace {

// A module with one procedure of `rows` lines whose lines are `width` characters long.
std::string LongProcedure(int rows, int width) {
    std::vector<std::string> lines{"Sub Long()"};
    for (int i = 1; i <= rows; ++i) {
        std::string line = "  x = " + std::to_string(i) + " ' ";
        line.resize(static_cast<size_t>(std::max(width, 10)), 'w');
        lines.push_back(line);
    }
    lines.push_back("End Sub");
    return test::Lines(lines);
}

void SendWheel(QWidget* target, QPoint delta, Qt::KeyboardModifiers modifiers) {
    QWheelEvent event(QPointF(5, 5), target->mapToGlobal(QPointF(5, 5)), QPoint(), delta,
                      Qt::NoButton, modifiers, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(target, &event);
}

}  // namespace

class MainWindowUseTest : public QObject {
    Q_OBJECT
  private slots:
    void EveryRowCanBeScrolledIntoViewAtEveryPaneHeight() {
        Fixture f;
        f.window->Form_Load();
        f.CompareFromCommandLine(LongProcedure(300, 20), LongProcedure(300, 20) + "' end\r\n");
        for (const char* view : {"V", "C"}) {
            if (*view == 'C') f.window->mnuViewCombined_Click();
            for (int height = 300; height <= 1200; height += 23) {
                f.window->resize(900, height + 200);
                QCoreApplication::processEvents();
                f.window->cboProcedures->setCurrentIndex(1);
                const int paneHeight = f.window->picDisplay[0]->height();
                const int row = f.window->Metrics().RowHeight;
                QCOMPARE(row, f.window->picDisplay[0]->fontMetrics().height());
                QScrollBar* bar = f.window->vsbDisplay[0];
                const int32_t n = *view == 'C'
                                      ? f.state.CombinedCount(f.window->View().CurrentProc())
                                      : f.state.SeparateCount(f.window->View().CurrentProc());
                QVERIFY(bar->isEnabled());
                // Paging from the top shows every row wholly at least once.
                int32_t seenUpTo = 0;
                for (int value = 1;; value += bar->pageStep()) {
                    bar->setValue(std::min(value, bar->maximum()));
                    const int32_t top = f.window->View().TopLine(0);
                    QVERIFY2(
                        top <= seenUpTo + 1,
                        qPrintable(QString("rows skipped at %1 px, %2").arg(paneHeight).arg(view)));
                    seenUpTo = std::max(seenUpTo, top + paneHeight / row - 1);
                    if (bar->value() == bar->maximum()) break;
                }
                // At the maximum the last row lies wholly inside the pane.
                QCOMPARE(f.window->View().BottomLine(0), n);
                const int lastRowBottom =
                    (f.window->View().BottomLine(0) - f.window->View().TopLine(0) + 1) * row;
                QVERIFY2(
                    lastRowBottom <= paneHeight,
                    qPrintable(QString("last row cut at %1 px, %2").arg(paneHeight).arg(view)));
                QVERIFY(seenUpTo >= n);
            }
        }
    }

    void AFailedComparisonLeavesTheOneOnScreenAsItWas() {
        Fixture f;
        f.window->Form_Load();
        f.CompareFromCommandLine(Procedures(3, 5, ""), Procedures(3, 5, " ' changed"));
        const QString caption = f.window->windowTitle();
        const QString label = f.window->lblFileInformation[0]->text();
        const MRUList mru = f.values.MRU;
        f.window->cboProcedures->setCurrentIndex(2);
        const int16_t proc = f.window->View().CurrentProc();
        const std::string tooLong =
            f.dir.Write("long.bas", "Sub A()\r\n" + std::string(40000, 'x') + "\r\nEnd Sub\r\n");
        auto unchanged = [&] {
            QCOMPARE(f.window->windowTitle(), caption);
            QCOMPARE(f.window->lblFileInformation[0]->text(), label);
            QVERIFY(f.values.MRU == mru);
            QVERIFY(f.state.FileName == f.names);
            QCOMPARE(f.state.BaseName[1], std::string("two"));
            QCOMPARE(f.window->View().CurrentProc(), proc);
        };
        // From the file selection dialog: a line too long, then a folder.
        for (const std::string& bad : {tooLong, f.dir.Path().string()}) {
            f.chooseFiles = [&] {
                SetFileNames(f.state, f.names[0], bad);
                return true;
            };
            f.messages.clear();
            f.window->mnuFileOpen_Click();
            QCOMPARE(f.messages.size(), size_t{1});
            unchanged();
        }
        // From the recent files.
        f.values.MRU[1] = {tooLong, f.names[1]};
        f.window->mnuFileMRU_Click(1);
        QCOMPARE(f.values.MRU[1][0], tooLong);
        f.values.MRU[1] = mru[1];
        unchanged();
        // Recompare compares the pair on screen.
        f.dir.Write("two.bas", Procedures(4, 5, ""));
        f.window->mnuFileRecompare_Click();
        QCOMPARE(f.state.ProcCount(), 5);
        QVERIFY(f.errors.empty());
    }

    void TheProcedureListKeepsTheKeyboardAndRePickingStartsAtTheTop() {
        Fixture f;
        f.window->Form_Load();
        f.window->show();
        QVERIFY(QTest::qWaitForWindowActive(f.window.get()));
        f.CompareFromCommandLine(Procedures(3, 400, ""), Procedures(3, 400, " ' changed"));
        QComboBox* list = f.window->cboProcedures;
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Down);
        QCOMPARE(f.window->View().CurrentProc(), 2);
        QVERIFY(list->hasFocus());
        QTest::keyClick(list, Qt::Key_Down);
        QCOMPARE(f.window->View().CurrentProc(), 3);
        QVERIFY(list->hasFocus());
        // Picking the entry already selected shows it from its first row again.
        f.window->vsbDisplay[0]->setValue(50);
        QCOMPARE(f.window->View().TopLine(0), 50);
        QCoreApplication::processEvents();
        emit list->activated(list->currentIndex());
        QCOMPARE(f.window->vsbDisplay[0]->value(), 1);
        QCOMPARE(f.window->View().TopLine(0), 1);
        // A change of entry draws once, not once for each of its two signals.
        list->setFocus();  // scrolling gave the focus to the pane
        const int draws = f.window->picDisplay[0]->DrawCount();
        QTest::keyClick(list, Qt::Key_Up);
        QCOMPARE(f.window->picDisplay[0]->DrawCount(), draws + 1);
        // Typing goes to the procedure whose name starts with the letters typed.
        QTest::keyClicks(list, "p3");
        QCOMPARE(f.window->View().CurrentProc(), 4);
        QTest::keyClick(list, Qt::Key_ParenLeft, Qt::NoModifier,
                        QApplication::keyboardInputInterval() + 50);
        QCOMPARE(list->currentIndex(), 0);
        // The Find keys keep their meaning there: "-" highlights the procedure's first
        // difference instead of looking for a name.
        list->setCurrentIndex(1);
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Minus, Qt::NoModifier,
                        QApplication::keyboardInputInterval() + 50);
        QCOMPARE(list->currentIndex(), 1);
        QVERIFY(f.window->View().HiLiteLine(0) > 0);
        // The panes and the list show where the focus is; the labels and bars take none.
        QCOMPARE(f.window->lblFileInformation[0]->focusPolicy(), Qt::NoFocus);
        QCOMPARE(f.window->vsbDisplay[0]->focusPolicy(), Qt::NoFocus);
    }

    void ShowingAnotherProcedureLeavesTheKeyboardWhereTheUserPutIt() {
        Fixture f;
        f.values.SyncVScroll = false;
        f.window->Form_Load();
        f.window->show();
        QVERIFY(QTest::qWaitForWindowActive(f.window.get()));
        f.CompareFromCommandLine(Procedures(3, 400, ""), Procedures(3, 400, " ' changed"));
        DisplayPane* second = f.window->picDisplay[1];
        second->setFocus();
        // Keys in File 2's pane: the next procedure, a page of it, the first procedure again.
        QTest::keyClick(second, Qt::Key_PageDown, Qt::ControlModifier);
        QCOMPARE(f.window->View().CurrentProc(), 2);
        QVERIFY(second->hasFocus());
        QTest::keyClick(second, Qt::Key_PageDown);
        QVERIFY(f.window->View().ScrollRow(1) > 1);
        QCOMPARE(f.window->View().ScrollRow(0), 1);
        QTest::keyClick(second, Qt::Key_Home, Qt::ControlModifier);
        QCOMPARE(f.window->View().CurrentProc(), 1);
        QVERIFY(second->hasFocus());
        // A procedure picked by the program, a search from the menu, the wheel over the other
        // pane and a new look at the files move it neither.
        f.window->cboProcedures->setCurrentIndex(1);
        f.window->mnuFindItems[1]->trigger();
        QVERIFY(f.window->View().HiLiteLine(1) > 0);
        SendWheel(f.window->picDisplay[0], {0, -120}, Qt::NoModifier);
        QVERIFY(f.window->View().ScrollRow(0) > 1);
        f.window->cmdViewFiles_Click();
        QCOMPARE(QApplication::focusWidget(), second);
        // The combined view has no File 2's pane: the keyboard goes to the one pane left.
        f.window->mnuViewCombined_Click();
        QCOMPARE(QApplication::focusWidget(), f.window->picDisplay[0]);
        f.window->mnuViewVertical_Click();
        QCOMPARE(QApplication::focusWidget(), f.window->picDisplay[0]);
        // A click in a pane takes it there.
        QTest::mouseClick(second, Qt::LeftButton, Qt::NoModifier, QPoint(20, 20));
        QVERIFY(second->hasFocus());
        QVERIFY(f.errors.empty());
    }

    void EveryViewStartsAtAColumnTheBarsCanReach() {
        Fixture f;
        f.window->Form_Load();
        f.window->resize(700, 500);
        f.CompareFromCommandLine(LongProcedure(5, 300), LongProcedure(5, 300) + "' end\r\n");
        f.window->cboProcedures->setCurrentIndex(1);
        QVERIFY(f.values.SyncHScroll);
        f.window->hsbDisplay[0]->setValue(20);
        QCOMPARE(f.window->hsbDisplay[1]->value(), 20);
        QVERIFY(f.window->picDisplay[0]->x() < 0);
        f.window->mnuViewCombined_Click();
        QCOMPARE(f.window->hsbDisplay[0]->value(), 1);
        QCOMPARE(f.window->picDisplay[0]->x(), 0);
        f.window->hsbDisplay[0]->setValue(30);
        f.window->mnuViewVertical_Click();
        QCOMPARE(f.window->hsbDisplay[0]->value(), f.window->hsbDisplay[1]->value());
        QCOMPARE(f.window->picDisplay[0]->x(), f.window->picDisplay[1]->x());
        // Shift with the wheel, and a horizontal wheel, scroll sideways.
        SendWheel(f.window->picDisplay[0], {0, -120}, Qt::ShiftModifier);
        QCOMPARE(f.window->hsbDisplay[0]->value(), 4);
        QCOMPARE(f.window->hsbDisplay[1]->value(), 4);
        SendWheel(f.window->picDisplay[1], {120, 0}, Qt::NoModifier);
        QCOMPARE(f.window->hsbDisplay[0]->value(), 1);
        QCOMPARE(f.window->vsbDisplay[0]->value(), 1);
    }

    void PanePicturesAreDrawnAtTheScreensPixelRatio() {
        Fixture f;
        f.window->Form_Load();
        f.CompareFromCommandLine(Procedures(1, 5, ""), Procedures(1, 5, "!"));
        const double ratio = f.window->devicePixelRatioF();
        const QPixmap& picture = f.window->picDisplay[0]->Picture();
        QCOMPARE(picture.devicePixelRatio(), ratio);
        QCOMPARE(picture.width(), qRound(f.window->picMap[0]->x() * ratio));
        QCOMPARE(picture.height(), qRound(f.window->picDisplay[0]->height() * ratio));
        // Drawn at twice the ratio, a picture has twice the pixels each way.
        DisplayPane pane;
        pane.resize(200, 100);
        pane.Draw({}, 16, 2.0, 0, 200);
        QCOMPARE(pane.Picture().size(), QSize(400, 200));
        QCOMPARE(pane.Picture().deviceIndependentSize(), QSizeF(200, 100));
    }

    void NamesAreShownAsTheyAre() {
        Fixture f;
        f.window->Form_Load();
        // The recent files' separator stands in the File menu as designed, with no entries.
        QMenu* file = f.window->menuBar()->actions().first()->menu();
        const QList<QAction*> items = file->actions();
        QVERIFY(std::any_of(items.begin(), items.end(),
                            [](QAction* a) { return a->isSeparator() && a->isVisible(); }));
        const std::string one = f.dir.Write("ls", "Sub A()\r\nEnd Sub\r\n");
        const std::string two = f.dir.Write("a<b>bold.bas", "Sub A()\r\nEnd Sub\r\n");
        SetFileNames(f.state, one, two);
        QVERIFY(f.window->CompareAFile());
        f.window->cmdViewFiles_Click();
        QCOMPARE(f.window->windowTitle(), QStringLiteral("Dualis ls:a<b>bold.bas"));
        QCOMPARE(f.window->lblFileInformation[1]->textFormat(), Qt::PlainText);
        QVERIFY(f.window->lblFileInformation[1]->text().contains("<b>bold"));
    }
};

}  // namespace dualis

QTEST_MAIN(dualis::MainWindowUseTest)
#include "MainWindowUseTest.moc"
