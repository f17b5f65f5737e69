// Stepping from one changed procedure to the next in the main window, on the offscreen platform:
// the Find menu's items, F7 and Shift+F7, the toolbar's buttons, the status line's notes when a
// search finds nothing, the procedure list's class colours, and Ctrl+Home and Ctrl+End at the
// ends of the list.
#include <QIcon>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include "MainWindowFixture.h"

namespace dualis {

namespace {

// The list: "= (General)", "= P1", "# P2", "= P3", "- P4" (only File 1), "+ P5" (only File 2).
// P2 has 200 lines, of which File 2 changes lines 30 and 150 (rows 31 and 151).
void CompareFiveProcedures(Fixture& f) {
    std::vector<std::string> one{"Option Explicit"};
    std::vector<std::string> two = one;
    auto add = [](std::vector<std::string>& lines, const std::string& name, int body,
                  const std::string& change) {
        lines.push_back("Sub " + name + "()");
        for (int i = 1; i <= body; ++i) {
            const std::string line = "  x = " + std::to_string(i);
            lines.push_back((i == 30 || i == 150) ? line + change : line);
        }
        lines.push_back("End Sub");
    };
    for (auto* lines : {&one, &two}) add(*lines, "P1", 5, "");
    add(one, "P2", 200, "");
    add(two, "P2", 200, " ' changed");
    for (auto* lines : {&one, &two}) add(*lines, "P3", 5, "");
    add(one, "P4", 5, "");
    add(two, "P5", 5, "");
    f.CompareFromCommandLine(test::Lines(one), test::Lines(two));
}

void ShowWindow(Fixture& f) {
    f.window->Form_Load();
    f.window->show();
    QVERIFY(QTest::qWaitForWindowActive(f.window.get()));
}

void Press(Fixture& f, int pane, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(f.window->picDisplay[pane], key, modifiers);
}

QString Status(Fixture& f) {
    return f.window->lblStatus->text();
}

// Mouse events on a toolbar button's centre.
void Mouse(Fixture& f, QEvent::Type type, int32_t position) {
    const ButtonRecord& b = f.window->Toolbars().Button(position);
    const QPointF at((b.Left + b.Right) / 2, (b.Top + b.Bottom) / 2);
    const Qt::MouseButtons held = type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton;
    QMouseEvent event(type, at, f.window->picToolBar->mapToGlobal(at),
                      type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, held,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(f.window->picToolBar, &event);
}

void ClickButton(Fixture& f, int32_t position) {
    Mouse(f, QEvent::MouseMove, position);
    Mouse(f, QEvent::MouseButtonPress, position);
    Mouse(f, QEvent::MouseButtonRelease, position);
}

// The colour in the middle of the swatch the list shows for entry `entry`.
QColor SwatchColour(Fixture& f, int entry) {
    const QAbstractItemModel* model = f.window->cboProcedures->model();
    const QIcon icon = model->data(model->index(entry, 0), Qt::DecorationRole).value<QIcon>();
    return icon.pixmap(16, 16).toImage().pixelColor(8, 8);
}

const QString kCounts = QStringLiteral("Procs: 3 equal, 1 changed, 1 added, 1 deleted");

}  // namespace

class ChangedProcsWindowTest : public QObject {
    Q_OBJECT
  private slots:
    void F7AndShiftF7StepThroughTheChangedProceduresFromTheirFirstDifference() {
        Fixture f;
        ShowWindow(f);
        QCOMPARE(f.window->mnuFindNextChangedProc->text(),
                 QStringLiteral("Next &Changed Procedure\tF7"));
        QCOMPARE(f.window->mnuFindPriorChangedProc->text(),
                 QStringLiteral("Prior C&hanged Procedure\tShift+F7"));
        QVERIFY(!f.window->mnuFindNextChangedProc->isEnabled());
        CompareFiveProcedures(f);
        QVERIFY(f.window->mnuFindNextChangedProc->isEnabled());
        QVERIFY(f.window->mnuFindPriorChangedProc->isEnabled());
        const ComparisonView& view = f.window->View();
        QComboBox* list = f.window->cboProcedures;
        f.window->picDisplay[1]->setFocus();
        // From (General), past the equal P1, to P2's first difference, highlighted and drawn.
        Press(f, 1, Qt::Key_F7);
        QCOMPARE(list->currentIndex(), 2);
        QCOMPARE(view.HiLiteLine(0), 31);
        QCOMPARE(view.HiLiteLine(1), 31);
        QVERIFY(view.TopLine(0) <= 31 && 31 <= view.BottomLine(0));
        QVERIFY(f.window->picDisplay[1]->hasFocus());  // the focus stays where the user was
        // "-" goes on to the procedure's next difference.
        Press(f, 1, Qt::Key_Minus);
        QCOMPARE(view.HiLiteLine(0), 151);
        Press(f, 1, Qt::Key_F7);
        QCOMPARE(list->currentIndex(), 4);  // the deleted P4
        QCOMPARE(view.HiLiteLine(0), 1);
        f.window->mnuFindNextChangedProc->trigger();
        QCOMPARE(list->currentIndex(), 5);  // the added P5
        QCOMPARE(Status(f), kCounts);
        // At the last changed procedure the status line says there is none further; the next key
        // takes the note away.
        Press(f, 1, Qt::Key_F7);
        QCOMPARE(list->currentIndex(), 5);
        QCOMPARE(Status(f), QStringLiteral("No changed procedure after this one"));
        Press(f, 1, Qt::Key_Down);
        QCOMPARE(Status(f), kCounts);
        Press(f, 1, Qt::Key_F7, Qt::ShiftModifier);
        QCOMPARE(list->currentIndex(), 4);
        f.window->mnuFindPriorChangedProc->trigger();
        QCOMPARE(list->currentIndex(), 2);
        QCOMPARE(view.HiLiteLine(0), 31);  // shown from its first difference back too
        Press(f, 1, Qt::Key_F7, Qt::ShiftModifier);
        QCOMPARE(list->currentIndex(), 2);
        QCOMPARE(Status(f), QStringLiteral("No changed procedure before this one"));
        // Ctrl+F7 moves between the modules of a project, and a file pair has none; F7 works
        // with the focus in the list too.
        list->setCurrentIndex(0);
        Press(f, 1, Qt::Key_F7, Qt::ControlModifier);
        QCOMPARE(list->currentIndex(), 0);
        list->setFocus();
        QTest::keyClick(list, Qt::Key_F7);
        QCOMPARE(list->currentIndex(), 2);
        QVERIFY(list->hasFocus());
        QVERIFY(f.errors.empty());
    }

    void WithOnlyTheDifferencesListedF7TakesEachEntryInTurn() {
        Fixture f;
        f.values.Compare.DifferencesOnly = true;
        ShowWindow(f);
        CompareFiveProcedures(f);
        QComboBox* list = f.window->cboProcedures;
        QCOMPARE(list->count(), 3);
        QCOMPARE(list->currentIndex(), 0);
        f.window->picDisplay[0]->setFocus();
        Press(f, 0, Qt::Key_F7);
        QCOMPARE(list->currentIndex(), 1);
        Press(f, 0, Qt::Key_F7);
        QCOMPARE(list->currentIndex(), 2);
        Press(f, 0, Qt::Key_F7, Qt::ShiftModifier);
        Press(f, 0, Qt::Key_F7, Qt::ShiftModifier);
        QCOMPARE(list->currentIndex(), 0);
        QCOMPARE(list->itemText(0), QStringLiteral("# P2"));
    }

    void ASearchThatFindsNothingSaysSoUntilTheNextKeyOrClick() {
        Fixture f;
        ShowWindow(f);
        CompareFiveProcedures(f);
        f.window->cboProcedures->setCurrentIndex(1);  // the equal P1
        f.window->picDisplay[0]->setFocus();
        QCOMPARE(Status(f), kCounts);
        Press(f, 0, Qt::Key_Minus);
        QCOMPARE(Status(f),
                 QStringLiteral("No further mismatch in this procedure; F7 goes to the next "
                                "changed procedure"));
        // Moving the mouse keeps the note; a key or a click takes it away.
        QTest::mouseMove(f.window->picDisplay[0], QPoint(10, 10));
        QTest::mouseMove(f.window->picDisplay[0], QPoint(20, 12));
        QVERIFY(Status(f).startsWith(QStringLiteral("No further mismatch")));
        QTest::mouseClick(f.window->picDisplay[0], Qt::LeftButton, {}, QPoint(20, 12));
        QCOMPARE(Status(f), kCounts);
        Press(f, 0, Qt::Key_Minus, Qt::ControlModifier);
        QCOMPARE(Status(f), QStringLiteral("No earlier mismatch in this procedure; Shift+F7 goes "
                                           "to the prior changed procedure"));
        Press(f, 0, Qt::Key_Equal);
        QCOMPARE(view(f).HiLiteLine(0), 1);
        QCOMPARE(Status(f), kCounts);
        // F3 and the menu say so too; the highlight stays where it was.
        f.window->mnuFindItems[1]->trigger();  // Next Mismatch
        QCOMPARE(view(f).HiLiteLine(0), 1);
        QVERIFY(Status(f).startsWith(QStringLiteral("No further mismatch")));
        Press(f, 0, Qt::Key_F3);
        QVERIFY(Status(f).startsWith(QStringLiteral("No further mismatch")));
        QVERIFY(f.errors.empty());
    }

    void TheToolbarsButtonsStepToTheChangedProcedures() {
        Fixture f;
        f.appInfo.ToolTips = true;
        ShowWindow(f);
        Mouse(f, QEvent::MouseMove, ButtonNextChangedProc);
        QCOMPARE(Status(f), QStringLiteral("Not available unless a file is open"));
        QCOMPARE(f.window->picToolBar->toolTip(), QStringLiteral("Next changed procedure"));
        QCOMPARE(f.window->Toolbars().Look(ButtonNextChangedProc), ButtonLook::Greyed);
        CompareFiveProcedures(f);
        QCOMPARE(f.window->Toolbars().Look(ButtonPriorChangedProc), ButtonLook::Flat);
        Mouse(f, QEvent::MouseMove, ButtonPriorChangedProc);
        QCOMPARE(Status(f), QStringLiteral("Go to the prior changed, added or deleted procedure"));
        QCOMPARE(f.window->picToolBar->toolTip(), QStringLiteral("Prior changed procedure"));
        ClickButton(f, ButtonNextChangedProc);
        QCOMPARE(f.window->cboProcedures->currentIndex(), 2);
        QCOMPARE(view(f).HiLiteLine(0), 31);
        ClickButton(f, ButtonPriorChangedProc);
        QCOMPARE(f.window->cboProcedures->currentIndex(), 2);
        // The note stays while the pointer rests on the button that gave it, and gives way to
        // the help of another.
        QCOMPARE(Status(f), QStringLiteral("No changed procedure before this one"));
        Mouse(f, QEvent::MouseMove, ButtonPriorChangedProc);
        QCOMPARE(Status(f), QStringLiteral("No changed procedure before this one"));
        Mouse(f, QEvent::MouseMove, ButtonFindNextMatch);
        QCOMPARE(Status(f), QStringLiteral("Find the next matched block"));
        // The Find buttons say when they find nothing, as the keys do.
        f.window->cboProcedures->setCurrentIndex(1);
        ClickButton(f, ButtonFindNextMismatch);
        QVERIFY(Status(f).startsWith(QStringLiteral("No further mismatch")));
        // The icons are drawn.
        QVERIFY(!f.window->picToolBar->ButtonImage(ImageNextChangedProc, false).isNull());
        QVERIFY(!f.window->picToolBar->ButtonImage(ImagePriorChangedProc, true).isNull());
    }

    void TheListShowsEachProcedureInItsClassColours() {
        Fixture f;
        f.values.ForeColorAdded = 0x00C000;    // green (red in the low byte)
        f.values.ForeColorDeleted = 0xC00000;  // blue
        f.values.ForeColorChanged = 0x0000C0;  // red
        f.values.BackColorChanged = 0xE0F0FF;
        ShowWindow(f);
        CompareFiveProcedures(f);
        const QAbstractItemModel* model = f.window->cboProcedures->model();
        auto colour = [&](int entry, int role) {
            return model->data(model->index(entry, 0), role).value<QColor>();
        };
        QCOMPARE(model->data(model->index(2, 0)).toString(), QStringLiteral("# P2"));
        QCOMPARE(colour(2, Qt::ForegroundRole), QColor(0xC0, 0, 0));
        QCOMPARE(colour(2, Qt::BackgroundRole), QColor(0xFF, 0xF0, 0xE0));
        QCOMPARE(model->data(model->index(4, 0)).toString(), QStringLiteral("- P4"));
        QCOMPARE(colour(4, Qt::ForegroundRole), QColor(0, 0, 0xC0));
        QCOMPARE(model->data(model->index(5, 0)).toString(), QStringLiteral("+ P5"));
        QCOMPARE(colour(5, Qt::ForegroundRole), QColor(0, 0xC0, 0));
        QCOMPARE(colour(1, Qt::ForegroundRole), QColor(Qt::black));
        QCOMPARE(SwatchColour(f, 2), QColor(0xC0, 0, 0));
        QCOMPARE(SwatchColour(f, 5), QColor(0, 0xC0, 0));
        // New colours from the options reach the list, its swatches too.
        f.values.ForeColorChanged = 0xFF8000;
        QTimer::singleShot(0, f.window.get(), [&] { f.window->Options->cmdCancel->click(); });
        f.window->mnuViewOptions_Click();
        QCOMPARE(colour(2, Qt::ForegroundRole), QColor(0, 0x80, 0xFF));
        QCOMPARE(SwatchColour(f, 2), QColor(0, 0x80, 0xFF));
    }

    void CtrlHomeAndCtrlEndReachTheStartAndTheEndOnTheirProcedureToo() {
        Fixture f;
        ShowWindow(f);
        // "# (General)" of 200 declarations, "= P1" and "# P2" of 200 lines each.
        std::vector<std::string> one{"Option Explicit"};
        for (int i = 1; i <= 200; ++i) one.push_back("Const C" + std::to_string(i) + " = 1");
        for (const char* name : {"P1", "P2"}) {
            one.push_back(std::string("Sub ") + name + "()");
            for (int i = 1; i <= 200; ++i) one.push_back("  x = " + std::to_string(i));
            one.push_back("End Sub");
        }
        std::vector<std::string> two = one;
        two[120] = "Const C120 = 2";
        two.back() = "  y = 0";
        two.push_back("End Sub");
        f.CompareFromCommandLine(test::Lines(one), test::Lines(two));
        QComboBox* list = f.window->cboProcedures;
        QScrollBar* bars[] = {f.window->vsbDisplay[0], f.window->vsbDisplay[1]};
        f.window->picDisplay[0]->setFocus();
        // On the first procedure, scrolled down with a row highlighted, Ctrl+Home shows its
        // start, as from any other procedure.
        QCOMPARE(list->currentIndex(), 0);
        Press(f, 0, Qt::Key_Minus);
        QVERIFY(view(f).HiLiteLine(0) > 100);
        QVERIFY(bars[0]->value() > 1);
        Press(f, 0, Qt::Key_Home, Qt::ControlModifier);
        QCOMPARE(list->currentIndex(), 0);
        for (QScrollBar* bar : bars) QCOMPARE(bar->value(), 1);
        QVERIFY(view(f).HiLiteLine(0) < 1);
        // Ctrl+End shows the last procedure from its start; pressed there, it goes to its end.
        Press(f, 0, Qt::Key_End, Qt::ControlModifier);
        QCOMPARE(list->currentIndex(), 2);
        QCOMPARE(bars[0]->value(), 1);
        Press(f, 0, Qt::Key_End, Qt::ControlModifier);
        QCOMPARE(list->currentIndex(), 2);
        QCOMPARE(bars[0]->value(), bars[0]->maximum());
        QCOMPARE(view(f).BottomLine(0), f.state.SeparateCount(view(f).CurrentProc()));
        QVERIFY(f.window->picDisplay[0]->hasFocus());
    }

  private:
    static const ComparisonView& view(Fixture& f) { return f.window->View(); }
};

}  // namespace dualis

QTEST_MAIN(dualis::ChangedProcsWindowTest)
#include "ChangedProcsWindowTest.moc"
