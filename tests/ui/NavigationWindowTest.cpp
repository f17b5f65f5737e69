// Walking through a comparison in the main window, on the offscreen platform: the Find menu
// and its keys, paging across procedures, the Debug menu and the diagnostic key combinations.
#include <QLabel>
#include <QMenuBar>
#include <QtTest>
#include <array>
#include <filesystem>

#include "Dump.h"
#include "MainWindowFixture.h"

namespace dualis {

namespace {

// Two procedures of 200 lines, P1 shown; P1 differs in lines 2 and 150, P2 is equal.
void CompareTwoProcedures(Fixture& f) {
    const std::string one = Procedures(2, 200, "");
    std::string two = one;
    for (const char* line : {"  x = 2\r\n", "  x = 150\r\n"}) {
        const size_t at = two.find(line);
        two.insert(at + std::string(line).size() - 2, " ' changed");
    }
    f.CompareFromCommandLine(one, two);
    f.window->cboProcedures->setCurrentIndex(1);
}

void Press(Fixture& f, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(f.window->picDisplay[0], key, modifiers);
}

// Mouse events on a toolbar button's centre, or `offset` pixels beside it.
void Mouse(Fixture& f, QEvent::Type type, int32_t position, int offset = 0) {
    const ButtonRecord& b = f.window->Toolbars().Button(position);
    const QPointF at((b.Left + b.Right) / 2 + offset, (b.Top + b.Bottom) / 2);
    const Qt::MouseButtons held = type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton;
    QMouseEvent event(type, at, f.window->picToolBar->mapToGlobal(at),
                      type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, held,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(f.window->picToolBar, &event);
}

int Count(const std::string& text, const std::string& part) {
    int n = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
    return n;
}

}  // namespace

class NavigationWindowTest : public QObject {
    Q_OBJECT
  private slots:
    void TheFindItemsFollowTheComparisonAndShowTheirKeys() {
        Fixture f;
        f.window->Form_Load();
        for (QAction* item : f.window->mnuFindItems) QVERIFY(!item->isEnabled());
        QCOMPARE(f.window->mnuFindItems[1]->text(), QStringLiteral("&Next Mismatch\t-"));
        QCOMPARE(f.window->mnuFindItems[6]->text(), QStringLiteral("P&rior Match\tCtrl+="));
        CompareTwoProcedures(f);
        for (QAction* item : f.window->mnuFindItems) QVERIFY(item->isEnabled());
        // The menu item runs the search once: its key text is no second shortcut.
        f.window->mnuFindItems[1]->trigger();
        QCOMPARE(f.window->View().HiLiteLine(0), 3);
        QCOMPARE(f.window->View().HiLiteLine(1), 3);
    }

    void TheKeysWalkEveryDifferenceAndF3Repeats() {
        Fixture f;
        f.window->Form_Load();
        f.window->show();
        QVERIFY(QTest::qWaitForWindowActive(f.window.get()));
        CompareTwoProcedures(f);
        f.window->picDisplay[0]->setFocus();
        Press(f, Qt::Key_Minus);
        QCOMPARE(f.window->View().HiLiteLine(0), 3);
        Press(f, Qt::Key_F3);
        QCOMPARE(f.window->View().HiLiteLine(0), 151);
        // The row found is drawn, and is the pane's second row.
        QCOMPARE(f.window->View().TopLine(0), 150);
        QCOMPARE(f.window->vsbDisplay[1]->value(), 150);  // the other pane follows
        Press(f, Qt::Key_F3);
        QCOMPARE(f.window->View().HiLiteLine(0), 151);  // nothing after the last block
        Press(f, Qt::Key_Minus, Qt::ControlModifier);
        QCOMPARE(f.window->View().HiLiteLine(0), 3);
        Press(f, Qt::Key_Equal);
        QCOMPARE(f.window->View().HiLiteLine(0), 4);
        Press(f, Qt::Key_End);
        QCOMPARE(f.window->vsbDisplay[0]->value(), f.window->vsbDisplay[0]->maximum());
        Press(f, Qt::Key_Home);
        QCOMPARE(f.window->vsbDisplay[0]->value(), 1);
        Press(f, Qt::Key_Down, Qt::AltModifier);
        QCOMPARE(f.window->vsbDisplay[0]->value(), 2);
    }

    void PagingGoesOnToTheNextProcedureAndBackToThePreviousOnesEnd() {
        Fixture f;
        f.window->Form_Load();
        f.window->show();
        QVERIFY(QTest::qWaitForWindowActive(f.window.get()));
        CompareTwoProcedures(f);
        QComboBox* list = f.window->cboProcedures;
        f.window->picDisplay[0]->setFocus();
        QScrollBar* bar = f.window->vsbDisplay[0];
        int pages = 0;
        while (f.window->View().CurrentProc() == 2 && pages < 100) {
            Press(f, Qt::Key_PageDown);
            ++pages;
        }
        QCOMPARE(f.window->View().CurrentProc(), 3);
        QVERIFY(pages > 2);
        QCOMPARE(bar->value(), 1);
        // Page Up at the top of a later procedure shows the previous one from its end.
        Press(f, Qt::Key_PageUp);
        QCOMPARE(f.window->View().CurrentProc(), 2);
        QCOMPARE(bar->value(), bar->maximum());
        QCOMPARE(f.window->View().BottomLine(0), f.state.SeparateCount(2));
        // At the end of the last procedure Page Down does nothing.
        Press(f, Qt::Key_End, Qt::ControlModifier);
        Press(f, Qt::Key_End);
        const int atEnd = bar->value();
        Press(f, Qt::Key_PageDown);
        QCOMPARE(f.window->View().CurrentProc(), 3);
        QCOMPARE(bar->value(), atEnd);
        Press(f, Qt::Key_Home, Qt::ControlModifier);
        QCOMPARE(list->currentIndex(), 0);
    }

    void TheToolbarRunsTheFindCommandsOnceThereIsAComparison() {
        Fixture f;
        f.appInfo.ToolTips = true;
        f.window->Form_Load();
        QLabel* status = f.window->lblStatus;
        Mouse(f, QEvent::MouseMove, ButtonFindNextMismatch);
        QCOMPARE(status->text(), QStringLiteral("Not available unless a file is open"));
        QCOMPARE(f.window->picToolBar->toolTip(), QStringLiteral("Find next mismatch"));
        CompareTwoProcedures(f);
        Mouse(f, QEvent::MouseMove, ButtonFindNextMismatch);
        QCOMPARE(status->text(), QStringLiteral("Find the next mismatched block"));
        // A press released beside its button runs nothing; one released on it runs the command.
        Mouse(f, QEvent::MouseButtonPress, ButtonFindNextMismatch);
        Mouse(f, QEvent::MouseMove, ButtonFindNextMismatch, 100);
        Mouse(f, QEvent::MouseButtonRelease, ButtonFindNextMismatch, 100);
        QCOMPARE(f.window->View().HiLiteLine(0), 0);
        Mouse(f, QEvent::MouseButtonPress, ButtonFindNextMismatch);
        Mouse(f, QEvent::MouseButtonRelease, ButtonFindNextMismatch);
        QCOMPARE(f.window->View().HiLiteLine(0), 3);
        Mouse(f, QEvent::MouseButtonPress, ButtonViewCombined);
        Mouse(f, QEvent::MouseButtonRelease, ButtonViewCombined);
        QCOMPARE(f.values.ViewMode, std::string("C"));
        // Moving over a pane brings the comparison's status back.
        QTest::mouseMove(f.window->picDisplay[0], QPoint(10, 10));
        QCOMPARE(status->text(), QStringLiteral("Procs: 2 equal, 1 changed, 0 added, 0 deleted"));
        // With tool tips off, hovering changes nothing.
        f.window->mnuViewToolTips->trigger();
        QVERIFY(!f.appInfo.ToolTips);
        Mouse(f, QEvent::MouseMove, ButtonOpen);
        QCOMPARE(status->text(), QStringLiteral("Procs: 2 equal, 1 changed, 0 added, 0 deleted"));
    }

    void TheToolbarsFindButtonsRunTheirOwnSearchWhateverTheFindMenuHolds() {
        Fixture f;
        f.window->Form_Load();
        CompareTwoProcedures(f);
        // With every item of the Find menu disabled, each button still runs its search.
        for (QAction* item : f.window->mnuFindItems) item->setEnabled(false);
        const ComparisonView& view = f.window->View();
        const std::pair<int32_t, int32_t> presses[] = {{ButtonFindNextMismatch, 3},
                                                       {ButtonFindNextMismatch, 151},
                                                       {ButtonFindPriorMismatch, 3},
                                                       {ButtonFindNextMatch, 4},
                                                       {ButtonFindPriorMatch, 2}};
        for (const auto& [button, row] : presses) {
            f.window->picToolBar_MouseDown(button);
            QCOMPARE(view.HiLiteLine(0), row);
            QCOMPARE(view.HiLiteLine(1), row);
        }
        QCOMPARE(view.LastFindType(), int16_t{FindPrior});
        QCOMPARE(view.LastFindDirection(), int16_t{-1});
        QCOMPARE(view.LastFindWhat(), int16_t{FindMatch});
        QVERIFY(f.errors.empty());
    }

    void HidingTheToolbarGivesItsRoomToTheList() {
        Fixture f;
        f.window->Form_Load();
        QVERIFY(f.window->picToolBar->isVisible());
        const int listTop = f.window->cboProcedures->y();
        QVERIFY(listTop >= f.window->picToolBar->height());
        f.window->mnuViewToolbar->trigger();
        QVERIFY(!f.values.ViewToolBar);
        QVERIFY(f.window->picToolBar->isHidden());
        QCOMPARE(f.window->cboProcedures->y(), listTop - f.window->picToolBar->height());
    }

    void TheDebugMenuIsShownByItsSwitchesAndItsKeys() {
        Fixture f;
        f.debug.LogEvents = true;  // the switch every start turns on does not count
        f.window->Form_Load();
        QAction* menu = f.window->mnuDebug->menuAction();
        QVERIFY(!menu->isVisible());
        f.debug.LogMouseEvents = true;
        f.window->EnableDebugItems();
        QVERIFY(menu->isVisible());
        QVERIFY(f.window->mnuDebugToggles[4]->isChecked());
        QVERIFY(f.window->mnuDebugOpenNewLog->isEnabled());
        QVERIFY(!f.window->mnuDebugLogClose->isEnabled());
        f.debug.LogMouseEvents = false;
        f.window->EnableDebugItems();
        QVERIFY(!menu->isVisible());
        // Ctrl+F10 shows it only once Ctrl+F9 has armed the keys.
        Press(f, Qt::Key_F10, Qt::ControlModifier);
        QVERIFY(!menu->isVisible());
        Press(f, Qt::Key_F9, Qt::ControlModifier);
        Press(f, Qt::Key_F10, Qt::ControlModifier);
        QVERIFY(menu->isVisible());
        f.window->mnuDebugToggles[2]->trigger();  // Trace Application
        QVERIFY(f.debug.LogApp);
        QVERIFY(f.window->mnuDebugToggles[2]->isChecked());
        f.window->mnuDebugOpenAppendLog->trigger();
        const std::string log = f.trace.Log().LogFileName();
        QVERIFY(log.ends_with(".LOG"));
        QVERIFY(f.window->mnuDebugLogClose->isEnabled());
        // Hidden again, it switches off what it had on and closes the log.
        Press(f, Qt::Key_F10, Qt::ControlModifier);
        QVERIFY(!menu->isVisible());
        QVERIFY(!f.debug.LogApp);
        QVERIFY(f.trace.Log().LogFileName().empty());
    }

    void NewLogFileAsksWithTheLogFilters() {
        Fixture f;
        f.window->Form_Load();
        f.logFileChoice = (f.dir.Path() / "mine.LOG").string();
        f.window->mnuDebugOpenNewLog->trigger();
        QCOMPARE(f.logDialogs.size(), size_t{1});
        const FileDialogRequest& request = f.logDialogs[0];
        QCOMPARE(request.Flags, 2624004);
        QCOMPARE(request.Filters.size(), size_t{2});
        QCOMPARE(request.InitDir, f.dir.Path().string());
        QVERIFY(QString::fromStdString(request.FileName).endsWith(".LOG"));
        QCOMPARE(f.trace.Log().LogFileName(), f.logFileChoice);
        QVERIFY(f.window->mnuDebug->menuAction()->isVisible());
        QVERIFY(!f.window->mnuDebugOpenNewLog->isEnabled());
        // Closed, the log can be started again.
        f.window->mnuDebugLogClose->trigger();
        QVERIFY(!f.window->mnuDebugLogClose->isEnabled());
        QVERIFY(f.window->mnuDebugOpenNewLog->isEnabled());
        QVERIFY(f.window->mnuDebugOpenAppendLog->isEnabled());
    }

    void ALogThatWouldBeACompareOrTheSettingsFileIsNamedAndTheProgramGoesOn() {
        Fixture f;
        f.window->Form_Load();
        CompareTwoProcedures(f);
        const std::string settings = f.dir.Write("VBDualis.INI", "[Debug]\nLogApp=Yes\n");
        QCOMPARE(settings, f.settingsFile);
        const std::array<std::string, 2> compared = {test::ReadFile(f.names[0]),
                                                     test::ReadFile(f.names[1])};
        const std::pair<std::string, std::string> cases[] = {
            {f.names[0], "It is one of the files to compare."},
            {(f.dir.Path() / "." / "two.bas").string(), "It is one of the files to compare."},
            {settings, "It is the settings file."},
        };
        for (const auto& [file, reason] : cases) {
            f.messages.clear();
            f.logFileChoice = file;
            f.window->mnuDebugOpenNewLog->trigger();
            QCOMPARE(f.messages.size(), size_t{1});
            QCOMPARE(f.messages[0], "Unable to open the trace log\n" + file + "\n" + reason +
                                        "\nThe program goes on without a log.");
            QVERIFY(f.errors.empty());
            QCOMPARE(f.endsAtOnce, 0);
            // No log, so a new one may be chosen.
            QVERIFY(f.trace.Log().LogFileName().empty());
            QVERIFY(f.window->mnuDebugOpenNewLog->isEnabled());
            QVERIFY(!f.window->mnuDebugLogClose->isEnabled());
        }
        QCOMPARE(test::ReadFile(f.names[0]), compared[0]);
        QCOMPARE(test::ReadFile(f.names[1]), compared[1]);
        QCOMPARE(test::ReadFile(settings), std::string("[Debug]\nLogApp=Yes\n"));

        // Extend Log File on the program's log that is being compared.
        const std::string programLog =
            (f.dir.Path() / (cAppInfo::ExecutablePath().stem().string() + ".LOG")).string();
        const std::string logText = test::ReadFile(f.names[1]);
        f.dir.Write(std::filesystem::path(programLog).filename().string(), logText);
        SetFileNames(f.state, f.names[0], programLog);
        QVERIFY(f.window->CompareAFile());
        f.messages.clear();
        f.window->mnuDebugOpenAppendLog->trigger();
        QCOMPARE(f.messages.size(), size_t{1});
        QCOMPARE(f.messages[0], "Unable to open the trace log\n" + programLog +
                                    "\nIt is one of the files to compare.\n"
                                    "The program goes on without a log.");
        QVERIFY(f.errors.empty());
        QCOMPARE(test::ReadFile(programLog), logText);
        // Any other file is the log.
        f.logFileChoice = (f.dir.Path() / "mine.LOG").string();
        f.window->mnuDebugOpenNewLog->trigger();
        QCOMPARE(f.trace.Log().LogFileName(), f.logFileChoice);
        QVERIFY(f.window->mnuDebugLogClose->isEnabled());
    }

    void TheDumpKeyNeverWritesIntoACompareFile() {
        Fixture f;
        f.window->Form_Load();
        CompareTwoProcedures(f);
        const std::string dump = f.dir.Write("DUMP.TXT", test::ReadFile(f.names[1]));
        const std::string text = test::ReadFile(dump);
        SetFileNames(f.state, f.names[0], dump);
        QVERIFY(f.window->CompareAFile());
        f.messages.clear();
        Press(f, Qt::Key_F5, Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier);
        QCOMPARE(f.messages.size(), size_t{1});
        QCOMPARE(f.messages[0],
                 "Unable to write the dump\n" + dump + "\nIt is one of the files to compare.");
        QVERIFY(f.errors.empty());
        QCOMPARE(test::ReadFile(dump), text);
    }

    void TheDiagnosticKeys() {
        Fixture f;
        f.window->Form_Load();
        CompareTwoProcedures(f);
        const Qt::KeyboardModifiers all = Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier;
        // The dump key appends every section each time it is pressed, with the rows of the
        // view not shown yet.
        QVERIFY(!HasViewRows(f.state, DisplayView::Combined));
        Press(f, Qt::Key_F5, all);
        QVERIFY(HasViewRows(f.state, DisplayView::Combined));
        Press(f, Qt::Key_F5, all);
        const std::string dump = (f.dir.Path() / "DUMP.TXT").string();
        QCOMPARE(f.messages.size(), size_t{2});
        QCOMPARE(f.messages[0], "Dumped to " + dump);
        const std::string text = test::ReadFile(dump);
        for (std::string_view section : DumpSections) {
            QVERIFY2(Count(text, std::string(section) + "\r\n") == 2, section.data());
        }
        // Overflow goes to the error handler; the last key ends without saving.
        Press(f, Qt::Key_F3, all);
        QCOMPARE(f.errors.size(), size_t{1});
        QCOMPARE(f.errors[0], std::string("frmMain: Form_KeyDown"));
        Press(f, Qt::Key_F2, all);
        QCOMPARE(f.endsAtOnce, 1);
        QCOMPARE(f.wrapUps, 0);
    }
};

}  // namespace dualis

QTEST_MAIN(dualis::NavigationWindowTest)
#include "NavigationWindowTest.moc"
