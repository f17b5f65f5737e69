// Where the keyboard focus stays under a real X server and window manager, where activation and
// focus behave as on a desktop: the keys that step through the changed procedures, the extend
// mode and the keys that reach the ends of the list keep the focus where the user put it, in a
// pane, in the procedure list or in the find bar, and so do the toolbar and the Find menu.
#include <QtTest>

#include "MainWindowFixture.h"

namespace dualis {

namespace {

constexpr int kWaitMs = 3000;

// The list: "= (General)", "# P1" (200 lines, line 100 changed), "= P2", "- P3" (only File 1).
void CompareProcedures(Fixture& f) {
    std::vector<std::string> one{"Option Explicit"};
    for (const char* name : {"P1", "P2", "P3"}) {
        one.push_back(std::string("Sub ") + name + "()");
        for (int i = 1; i <= (name[1] == '1' ? 200 : 5); ++i)
            one.push_back("  x = " + std::to_string(i));
        one.push_back("End Sub");
    }
    std::vector<std::string> two(one.begin(), one.end() - 7);
    two[101] += " ' changed";
    f.CompareFromCommandLine(test::Lines(one), test::Lines(two));
}

// A key as the window system delivers it: to whatever has the focus.
void Type(Fixture& f, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(f.window->windowHandle(), key, modifiers);
    QCoreApplication::processEvents();
}

bool FocusStaysOn(Fixture& f, QWidget* widget) {
    return QTest::qWaitFor(
               [&] {
                   return QApplication::focusWidget() == widget &&
                          QApplication::activeWindow() == f.window.get();
               },
               200) &&
           QApplication::focusWidget() == widget;
}

QString FocusName() {
    const QWidget* focus = QApplication::focusWidget();
    return focus ? QString::fromLatin1(focus->metaObject()->className()) : QStringLiteral("none");
}

}  // namespace

class FocusTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() {
        if (QGuiApplication::platformName() != QLatin1String("xcb")) {
            QSKIP("Needs an X server with a window manager (tests/ui/with-window-manager.sh).");
        }
    }

    void TheNavigationKeysKeepTheFocusInThePaneThatHasIt() {
        Fixture f;
        f.window->Form_Load();
        QVERIFY(QTest::qWaitForWindowActive(f.window.get(), kWaitMs));
        CompareProcedures(f);
        DisplayPane* second = f.window->picDisplay[1];
        second->setFocus();
        QVERIFY(FocusStaysOn(f, second));
        // Each key, and the entry of the list it leaves shown: the window's keys all reached it.
        struct Step {
            Qt::Key Key;
            Qt::KeyboardModifiers Modifiers;
            int Entry;
        };
        const Step steps[] = {
            {Qt::Key_F7, Qt::NoModifier, 1},        {Qt::Key_Minus, Qt::NoModifier, 1},
            {Qt::Key_F7, Qt::NoModifier, 3},        {Qt::Key_F7, Qt::ShiftModifier, 1},
            {Qt::Key_F8, Qt::NoModifier, 1},        {Qt::Key_Down, Qt::NoModifier, 1},
            {Qt::Key_Escape, Qt::NoModifier, 1},    {Qt::Key_Down, Qt::ShiftModifier, 1},
            {Qt::Key_End, Qt::ControlModifier, 3},  {Qt::Key_End, Qt::ControlModifier, 3},
            {Qt::Key_Home, Qt::ControlModifier, 0}, {Qt::Key_Home, Qt::ControlModifier, 0},
        };
        for (const Step& step : steps) {
            Type(f, step.Key, step.Modifiers);
            QCOMPARE(f.window->cboProcedures->currentIndex(), step.Entry);
            QVERIFY2(FocusStaysOn(f, second),
                     qPrintable(QString("after key %1: %2").arg(step.Key).arg(FocusName())));
            if (step.Key == Qt::Key_Down && step.Modifiers == Qt::NoModifier) {
                QCOMPARE(f.window->View().Selection().Pane, 1);
                QCOMPARE(f.window->View().Selection().Last(),
                         f.window->View().Selection().First() + 1);
            }
        }
        // The menu and the toolbar leave the focus where it was too.
        f.window->mnuFindNextChangedProc->trigger();
        QCOMPARE(f.window->cboProcedures->currentIndex(), 1);
        QVERIFY(FocusStaysOn(f, second));
        const ButtonRecord& b = f.window->Toolbars().Button(ButtonNextChangedProc);
        const QPoint centre((b.Left + b.Right) / 2, (b.Top + b.Bottom) / 2);
        QTest::mouseClick(f.window->windowHandle(), Qt::LeftButton, {},
                          f.window->picToolBar->mapTo(f.window.get(), centre));
        QTRY_COMPARE(f.window->cboProcedures->currentIndex(), 3);
        QVERIFY2(FocusStaysOn(f, second), qPrintable(FocusName()));
    }

    void F7KeepsTheFocusInTheListAndInTheFindBar() {
        Fixture f;
        f.window->Form_Load();
        QVERIFY(QTest::qWaitForWindowActive(f.window.get(), kWaitMs));
        CompareProcedures(f);
        QComboBox* list = f.window->cboProcedures;
        list->setFocus();
        QVERIFY(FocusStaysOn(f, list));
        Type(f, Qt::Key_F7);
        QCOMPARE(list->currentIndex(), 1);
        QVERIFY2(FocusStaysOn(f, list), qPrintable(FocusName()));
        Type(f, Qt::Key_F7, Qt::ShiftModifier);
        QCOMPARE(list->currentIndex(), 1);  // none before P1
        QVERIFY2(FocusStaysOn(f, list), qPrintable(FocusName()));
        // In the find bar F7 moves on and the field keeps the focus, so Enter searches on.
        f.window->picDisplay[0]->setFocus();
        Type(f, Qt::Key_F, Qt::ControlModifier);
        QLineEdit* field = f.window->fraFind->txtFind;
        QVERIFY(FocusStaysOn(f, field));
        Type(f, Qt::Key_F7);
        QCOMPARE(list->currentIndex(), 3);
        QVERIFY2(FocusStaysOn(f, field), qPrintable(FocusName()));
        QTest::keyClicks(field, "x = 3");
        Type(f, Qt::Key_Return);
        QCOMPARE(f.window->lblStatus->text(), QStringLiteral("Found \"x = 3\" in File 1"));
        QVERIFY2(FocusStaysOn(f, field), qPrintable(FocusName()));
        // F8 and Esc are the field's own there: Esc closes the bar and gives the pane the focus.
        Type(f, Qt::Key_F8);
        QCOMPARE(f.window->View().ExtendingPane(), -1);
        Type(f, Qt::Key_Escape);
        QVERIFY(f.window->fraFind->isHidden());
        QVERIFY2(FocusStaysOn(f, f.window->picDisplay[0]), qPrintable(FocusName()));
    }
};

}  // namespace dualis

QTEST_MAIN(dualis::FocusTest)
#include "FocusTest.moc"
