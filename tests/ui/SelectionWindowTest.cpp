// Selecting rows in the panes and copying them, on the offscreen platform: the mouse, the keys,
// the pane menu and the clipboard, and the selection's end when the procedure changes.
#include <QClipboard>
#include <QContextMenuEvent>
#include <QtTest>

#include "MainWindowFixture.h"

namespace dualis {

namespace {

// P1 of File 2 adds a line after "a = 1", so File 1's pane has a filler at row 3. File 1's
// lines end in CR LF, File 2's in LF.
void CompareWithAnAddedLine(Fixture& f) {
    const std::vector<std::string> lines{"Option Explicit", "Sub P1()", "  a = 1",
                                         "  b = 2",         "  c = 3",  "End Sub",
                                         "Sub P2()",        "  x = 1",  "End Sub"};
    std::string two;
    for (const std::string& line : lines) {
        two += line + "\n";
        if (line == "  a = 1") two += "  added\n";
    }
    f.CompareFromCommandLine(test::Lines(lines), two);
    f.window->cboProcedures->setCurrentIndex(1);
    QCOMPARE(f.window->View().CurrentProc(), 2);
}

void ShowWindow(Fixture& f) {
    f.window->Form_Load();
    f.window->show();
    QVERIFY(QTest::qWaitForWindowActive(f.window.get()));
}

// The middle of display row `row` of pane `p` as drawn now.
QPoint RowPoint(Fixture& f, int p, int32_t row) {
    const int h = f.window->Metrics().RowHeight;
    return {20 - f.window->picDisplay[p]->x(), (row - f.window->View().TopLine(p)) * h + h / 2};
}

void Click(Fixture& f, int p, int32_t row, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::mouseClick(f.window->picDisplay[p], Qt::LeftButton, modifiers, RowPoint(f, p, row));
}

// A mouse event through the window system, at `at` in pane `p`, so that the application knows
// which buttons are held.
void SendMouse(Fixture& f, int p, QEvent::Type type, QPoint at) {
    QWindow* window = f.window->windowHandle();
    const QPoint inWindow = f.window->picDisplay[p]->mapTo(f.window.get(), at);
    if (type == QEvent::MouseButtonPress) QTest::mousePress(window, Qt::LeftButton, {}, inWindow);
    if (type == QEvent::MouseMove) QTest::mouseMove(window, inWindow);
    if (type == QEvent::MouseButtonRelease) {
        QTest::mouseRelease(window, Qt::LeftButton, {}, inWindow);
    }
}

void Press(Fixture& f, int p, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(f.window->picDisplay[p], key, modifiers);
}

QString Clipboard() {
    return QGuiApplication::clipboard()->text();
}

// The colour painted at row `row` of pane `p`, at whatever pixel ratio the screen has.
QColor Shown(Fixture& f, int p, int32_t row) {
    const QImage image = f.window->picDisplay[p]->grab().toImage();
    return image.pixelColor(RowPoint(f, p, row) * image.devicePixelRatio());
}

}  // namespace

class SelectionWindowTest : public QObject {
    Q_OBJECT
  private slots:
    void ClickShiftClickAndCtrlCCopyTheLinesWithTheirEnds() {
        Fixture f;
        ShowWindow(f);
        CompareWithAnAddedLine(f);
        QGuiApplication::clipboard()->setText(QStringLiteral("before"));
        f.window->picDisplay[0]->setFocus();
        Press(f, 0, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(Clipboard(), QStringLiteral("before"));  // nothing selected, nothing copied
        // Rows 4 back to 2 of File 1's pane: "a = 1", the filler, "b = 2".
        Click(f, 0, 4);
        Click(f, 0, 2, Qt::ShiftModifier);
        QVERIFY(f.window->picDisplay[0]->hasFocus());
        QCOMPARE(f.window->View().Selection().First(), 2);
        QCOMPARE(f.window->View().Selection().Last(), 4);
        Press(f, 0, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(Clipboard(), QStringLiteral("  a = 1\r\n  b = 2\r\n"));
        QCOMPARE(f.window->lblStatus->text(), QStringLiteral("2 lines copied"));
        // A click in the other pane moves the selection there; its lines end in LF.
        Click(f, 1, 2);
        Click(f, 1, 3, Qt::ShiftModifier);
        QCOMPARE(f.window->View().Selection().Pane, 1);
        Press(f, 1, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(Clipboard(), QStringLiteral("  a = 1\n  added\n"));
        // Ctrl+C in the pane without the selection copies nothing.
        QGuiApplication::clipboard()->setText(QStringLiteral("kept"));
        f.window->picDisplay[0]->setFocus();
        Press(f, 0, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(Clipboard(), QStringLiteral("kept"));
    }

    void ThePaneMenuCopiesAsShownAndSelectsAll() {
        Fixture f;
        f.values.Symbols = true;
        f.values.LineNumbers = true;
        f.values.LineNumberByProc = false;
        ShowWindow(f);
        QVERIFY(f.window->mnuPaneCopy->text().startsWith(QStringLiteral("&Copy")));
        QCOMPARE(f.window->mnuPaneCopyAsShown->text(),
                 QStringLiteral("Copy with &symbols and numbers"));
        // Before a comparison there is nothing to select or copy.
        f.window->ShowPaneMenu(0, f.window->mapToGlobal(QPoint(50, 50)), 5);
        QVERIFY(!f.window->mnuPaneCopy->isEnabled());
        QVERIFY(!f.window->mnuPaneCopyAsShown->isEnabled());
        QVERIFY(!f.window->mnuPaneSelectAll->isEnabled());
        f.window->mnuPane->close();
        CompareWithAnAddedLine(f);
        // A right-click on the filler row selects it: it shows no line to copy, but its symbol.
        DisplayPane* pane = f.window->picDisplay[0];
        const QPoint filler = RowPoint(f, 0, 3);
        QContextMenuEvent click(QContextMenuEvent::Mouse, filler, pane->mapToGlobal(filler));
        QCoreApplication::sendEvent(pane, &click);
        QVERIFY(f.window->mnuPane->isVisible());
        QVERIFY(f.window->View().Selection().Holds(0, 3));
        QVERIFY(!f.window->mnuPaneCopy->isEnabled());
        QVERIFY(f.window->mnuPaneCopyAsShown->isEnabled());
        QVERIFY(f.window->mnuPaneSelectAll->isEnabled());
        f.window->mnuPaneSelectAll->trigger();
        f.window->mnuPane->close();
        QCOMPARE(f.window->View().Selection().First(), 1);
        QCOMPARE(f.window->View().Selection().Last(), 6);
        f.window->mnuPaneCopyAsShown->trigger();
        // The filler facing File 2's added line is an empty row.
        QCOMPARE(Clipboard(), QStringLiteral("= [2] Sub P1()\n= [3]   a = 1\n\n= [4]   b = 2\n"
                                             "= [5]   c = 3\n= [6] End Sub\n"));
        // Opened again, the menu finds lines to copy in the rows now selected.
        f.window->ShowPaneMenu(0, {}, -1);
        QVERIFY(f.window->mnuPaneCopy->isEnabled());
        f.window->mnuPaneCopy->trigger();
        f.window->mnuPane->close();
        QCOMPARE(Clipboard(), QStringLiteral("Sub P1()\r\n  a = 1\r\n  b = 2\r\n  c = 3\r\n"
                                             "End Sub\r\n"));
    }

    void TheKeysSelectAllAndOpenTheMenuBesideTheFindKeys() {
        Fixture f;
        ShowWindow(f);
        CompareWithAnAddedLine(f);
        f.window->picDisplay[1]->setFocus();
        Press(f, 1, Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(f.window->View().Selection().Pane, 1);
        QCOMPARE(f.window->View().Selection().Last(), 6);
        Press(f, 1, Qt::Key_F10, Qt::ShiftModifier);
        QVERIFY(f.window->mnuPane->isVisible());
        QVERIFY(f.window->mnuPaneCopy->isEnabled());
        f.window->mnuPane->close();
        Press(f, 1, Qt::Key_Menu);
        QVERIFY(f.window->mnuPane->isVisible());
        f.window->mnuPane->close();
        // F8 selects from the top row and Down extends; Ctrl+C copies what they reached.
        f.window->picDisplay[0]->setFocus();
        Press(f, 0, Qt::Key_F8);
        Press(f, 0, Qt::Key_Down);
        Press(f, 0, Qt::Key_Down);
        QCOMPARE(f.window->View().Selection().Pane, 0);
        QCOMPARE(f.window->View().Selection().First(), 1);
        QCOMPARE(f.window->View().Selection().Last(), 3);
        Press(f, 0, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(Clipboard(), QStringLiteral("Sub P1()\r\n  a = 1\r\n"));  // the filler left out
        Press(f, 0, Qt::Key_Escape);
        // The Find keys keep working, Ctrl with them too.
        f.window->picDisplay[0]->setFocus();
        Press(f, 0, Qt::Key_Minus);
        QCOMPARE(f.window->View().HiLiteLine(0), 3);
        Press(f, 0, Qt::Key_Equal, Qt::ControlModifier);
        QCOMPARE(f.window->View().HiLiteLine(0), 2);
    }

    void ShiftWithTheArrowsScrollsAndF8ExtendsWithThemInstead() {
        Fixture f;
        ShowWindow(f);
        f.CompareFromCommandLine(Procedures(2, 200, ""), Procedures(2, 200, " ' changed"));
        f.window->cboProcedures->setCurrentIndex(1);
        const ComparisonView& view = f.window->View();
        QScrollBar* bar = f.window->vsbDisplay[0];
        const QString counts = f.window->lblStatus->text();
        f.window->picDisplay[0]->setFocus();
        // Up and Down scroll by a line whatever is held, Shift included.
        Press(f, 0, Qt::Key_Down, Qt::ShiftModifier);
        Press(f, 0, Qt::Key_Down, Qt::ShiftModifier | Qt::ControlModifier);
        QCOMPARE(bar->value(), 3);
        Press(f, 0, Qt::Key_Up, Qt::ShiftModifier);
        QCOMPARE(bar->value(), 2);
        QVERIFY(!view.Selection().Active());
        // F8 selects the top row and names the mode; Down and Up then extend, not scroll.
        Press(f, 0, Qt::Key_F8);
        QCOMPARE(view.ExtendingPane(), 0);
        QCOMPARE(f.window->lblStatus->text(),
                 QStringLiteral("Extend: Up and Down extend the selection; Esc or F8 ends"));
        QCOMPARE(view.Selection().First(), 2);
        QCOMPARE(view.Selection().Last(), 2);
        for (int i = 0; i < 3; ++i) Press(f, 0, Qt::Key_Down);
        Press(f, 0, Qt::Key_Up, Qt::ShiftModifier);
        QCOMPARE(view.Selection().Last(), 4);
        QCOMPARE(bar->value(), 2);
        // A selection that reaches past the page takes the pane with it.
        const int32_t page = view.Scroll(0).LinesPerPane;
        for (int i = 0; i < page + 5; ++i) Press(f, 0, Qt::Key_Down);
        QCOMPARE(view.Selection().Last(), 4 + page + 5);
        QVERIFY(bar->value() > 2);
        QVERIFY(view.Selection().Last() < view.TopLine(0) + page);
        // Esc ends the mode: the selection stays for Ctrl+C and Down scrolls again.
        Press(f, 0, Qt::Key_Escape);
        QCOMPARE(view.ExtendingPane(), -1);
        QCOMPARE(f.window->lblStatus->text(), counts);
        const int scrolled = bar->value();
        Press(f, 0, Qt::Key_Down);
        QCOMPARE(bar->value(), scrolled + 1);
        QCOMPARE(view.Selection().First(), 2);
        Press(f, 0, Qt::Key_C, Qt::ControlModifier);
        QVERIFY(Clipboard().startsWith(QStringLiteral("  x = 1\r\n")));
        QCOMPARE(f.window->lblStatus->text(), QStringLiteral("%1 lines copied").arg(page + 8));
        // F8 ends the mode as Esc does; the mode of one pane leaves the other pane's keys alone.
        Press(f, 0, Qt::Key_F8);
        Press(f, 0, Qt::Key_F8);
        QCOMPARE(view.ExtendingPane(), -1);
        QCOMPARE(f.window->lblStatus->text(), counts);
        Press(f, 0, Qt::Key_F8);
        f.window->picDisplay[1]->setFocus();
        const int other = f.window->vsbDisplay[1]->value();
        Press(f, 1, Qt::Key_Down);
        QCOMPARE(f.window->vsbDisplay[1]->value(), other + 1);
        QCOMPARE(view.Selection().Pane, 0);
        Press(f, 1, Qt::Key_Escape);
        QCOMPARE(view.ExtendingPane(), -1);
    }

    void TheExtendModeEndsWithTheProcedureTheViewAndTheComparison() {
        Fixture f;
        ShowWindow(f);
        CompareWithAnAddedLine(f);
        const ComparisonView& view = f.window->View();
        const QString counts = f.window->lblStatus->text();
        f.window->picDisplay[0]->setFocus();
        const std::function<void()> changes[] = {
            [&] { Press(f, 0, Qt::Key_PageDown, Qt::ControlModifier); },
            [&] { f.window->mnuViewHorizontal_Click(); },
            [&] { f.window->mnuFileRecompare_Click(); },
            [&] { Click(f, 1, 2); },  // the selection moves to the other pane
        };
        for (const auto& change : changes) {
            f.window->cboProcedures->setCurrentIndex(1);
            f.window->picDisplay[0]->setFocus();
            Press(f, 0, Qt::Key_F8);
            QCOMPARE(view.ExtendingPane(), 0);
            change();
            QCOMPARE(view.ExtendingPane(), -1);
            QCOMPARE(f.window->lblStatus->text(), counts);
            f.window->picDisplay[0]->setFocus();
            const int before = f.window->vsbDisplay[0]->value();
            Press(f, 0, Qt::Key_Down);  // scrolls, or does nothing where all rows fit
            QVERIFY(f.window->vsbDisplay[0]->value() >= before);
            QVERIFY(!view.Selection().Active() || view.Selection().Pane == 1);
        }
    }

    void TheSelectionIsPaintedAndFollowsScrolling() {
        Fixture f;
        ShowWindow(f);
        f.CompareFromCommandLine(Procedures(1, 200, ""), Procedures(1, 200, " ' changed"));
        f.window->cboProcedures->setCurrentIndex(1);
        const QColor plain = Shown(f, 0, 8);
        Click(f, 0, 8);
        QVERIFY(Shown(f, 0, 8) != plain);
        QCOMPARE(Shown(f, 0, 9), plain);
        // Three rows down the selected row has moved up with its text.
        f.window->vsbDisplay[0]->setValue(4);
        QCOMPARE(f.window->View().TopLine(0), 4);
        QVERIFY(Shown(f, 0, 8) != plain);
        QCOMPARE(Shown(f, 0, 11), plain);
    }

    void DraggingPastTheBottomScrollsAndExtends() {
        Fixture f;
        ShowWindow(f);
        f.CompareFromCommandLine(Procedures(1, 200, ""), Procedures(1, 200, ""));
        f.window->cboProcedures->setCurrentIndex(1);
        QCOMPARE(f.window->vsbDisplay[0]->value(), 1);
        SendMouse(f, 0, QEvent::MouseButtonPress, RowPoint(f, 0, 2));
        SendMouse(f, 0, QEvent::MouseMove, RowPoint(f, 0, 5));
        QCOMPARE(f.window->View().Selection().Last(), 5);
        const QPoint below(20, f.window->picDisplay[0]->height() + 10);
        SendMouse(f, 0, QEvent::MouseMove, below);
        QTRY_VERIFY(f.window->vsbDisplay[0]->value() >= 4);
        SendMouse(f, 0, QEvent::MouseButtonRelease, below);
        const int stopped = f.window->vsbDisplay[0]->value();
        QCOMPARE(f.window->View().Selection().First(), 2);
        QCOMPARE(f.window->View().Selection().Last(), f.window->View().BottomLine(0));
        QTest::qWait(200);
        QCOMPARE(f.window->vsbDisplay[0]->value(), stopped);  // released: no more scrolling
        // Back above the top, a drag scrolls up again.
        SendMouse(f, 0, QEvent::MouseButtonPress, RowPoint(f, 0, f.window->View().TopLine(0) + 1));
        SendMouse(f, 0, QEvent::MouseMove, QPoint(20, -10));
        QTRY_VERIFY(f.window->vsbDisplay[0]->value() < stopped);
        SendMouse(f, 0, QEvent::MouseButtonRelease, QPoint(20, -10));
        QCOMPARE(f.window->View().Selection().First(), f.window->View().TopLine(0));
    }

    void ANewProcedureViewOrComparisonEndsTheSelection() {
        Fixture f;
        ShowWindow(f);
        CompareWithAnAddedLine(f);
        Click(f, 0, 2);
        QVERIFY(f.window->View().Selection().Active());
        f.window->cboProcedures->setCurrentIndex(2);
        QVERIFY(!f.window->View().Selection().Active());
        f.window->cboProcedures->setCurrentIndex(1);
        Click(f, 0, 2);
        f.window->mnuViewCombined_Click();
        QVERIFY(!f.window->View().Selection().Active());
        // In the combined view the rows are both files' lines, each with its own end.
        Click(f, 0, 2);
        Click(f, 0, 3, Qt::ShiftModifier);
        f.window->picDisplay[0]->setFocus();
        Press(f, 0, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(Clipboard(), QStringLiteral("  a = 1\r\n  added\n"));
        f.window->mnuFileRecompare_Click();
        QVERIFY(!f.window->View().Selection().Active());
    }
};

}  // namespace dualis

QTEST_MAIN(dualis::SelectionWindowTest)
#include "SelectionWindowTest.moc"
