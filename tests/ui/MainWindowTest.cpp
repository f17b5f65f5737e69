// The main window's wiring on the offscreen platform: a comparison fills the list, the caption
// and the labels; the view commands, the splitter, resizing, the recent files and closing.
#include <QTimer>
#include <QtTest>

#include "DirectionText.h"
#include "MainWindowFixture.h"
#include "RunTimeError.h"

namespace dualis {

class MainWindowTest : public QObject {
    Q_OBJECT
  private slots:
    void AComparisonFromTheCommandLineFillsListCaptionAndLabels() {
        Fixture f;
        f.window->Form_Load();
        QCOMPARE(f.window->windowTitle(), QStringLiteral("Dualis"));
        QVERIFY(!f.window->mnuFileRecompare->isEnabled());
        f.CompareFromCommandLine(Procedures(3, 5, ""), Procedures(3, 5, " ' changed"));
        QCOMPARE(f.window->windowTitle(), QStringLiteral("Dualis one.bas:two.bas"));
        QCOMPARE(f.window->cboProcedures->count(), 4);
        QCOMPARE(f.window->cboProcedures->itemText(1), QStringLiteral("# P1"));
        QCOMPARE(f.window->View().CurrentProc(), 1);
        QVERIFY(f.window->lblFileInformation[0]->text().startsWith(
            QString::fromStdString(f.names[0]) + "\n"));
        QCOMPARE(f.window->lblStatus->text(),
                 QStringLiteral("Procs: 3 equal, 1 changed, 0 added, 0 deleted"));
        QVERIFY(f.window->mnuFileRecompare->isEnabled());
        QCOMPARE(f.window->mnuFileMRU[0]->text(),
                 QString::fromStdString("&1 " + f.names[0] + " : " + f.names[1]));
        QVERIFY(f.window->mnuFileMRU[0]->isVisible());
        QVERIFY(f.errors.empty());
    }

    void PickingAProcedureShowsItFromItsTop() {
        Fixture f;
        f.window->Form_Load();
        f.CompareFromCommandLine(Procedures(2, 400, ""), Procedures(2, 400, " ' changed"));
        f.window->cboProcedures->setCurrentIndex(1);
        QCOMPARE(f.window->View().CurrentProc(), 2);
        QVERIFY(f.window->vsbDisplay[0]->isEnabled());
        f.window->vsbDisplay[0]->setValue(50);
        QCOMPARE(f.window->View().TopLine(0), 50);
        // Synchronised: the other pane shows the same rows.
        QCOMPARE(f.window->View().TopLine(1), 50);
        f.window->cboProcedures->setCurrentIndex(2);
        f.window->cboProcedures->setCurrentIndex(1);
        QCOMPARE(f.window->vsbDisplay[0]->value(), 1);
        QCOMPARE(f.window->View().TopLine(0), 1);
        QCOMPARE(f.window->View().HiLiteLine(0), 0);
    }

    void EachViewCommandChecksExactlyOneItem() {
        Fixture f;
        f.window->Form_Load();
        f.CompareFromCommandLine(Procedures(1, 3, ""), Procedures(1, 3, "!"));
        auto checked = [&] {
            return QString("%1%2%3")
                .arg(f.window->mnuViewVertical->isChecked() ? "V" : "")
                .arg(f.window->mnuViewHorizontal->isChecked() ? "H" : "")
                .arg(f.window->mnuViewCombined->isChecked() ? "C" : "");
        };
        QCOMPARE(checked(), QStringLiteral("V"));
        f.window->mnuViewHorizontal_Click();
        QCOMPARE(checked(), QStringLiteral("H"));
        QVERIFY(!f.window->lblFileInformation[0]->text().contains('\n'));
        f.window->mnuViewCombined_Click();
        QCOMPARE(checked(), QStringLiteral("C"));
        QVERIFY(f.window->fraDisplay[1]->isHidden());
        QVERIFY(!f.window->vsbDisplay[1]->isEnabled());
        f.window->mnuViewVertical->trigger();
        QCOMPARE(checked(), QStringLiteral("V"));
        QCOMPARE(f.values.ViewMode, std::string("V"));
        QVERIFY(f.window->lblFileInformation[0]->text().contains('\n'));
    }

    // A comparison builds the rows of the view on screen; another view's come when it is shown.
    void EachViewBuildsItsRowsWhenFirstShown() {
        Fixture f;
        f.values.ViewMode.assign(1, 'C');
        f.window->Form_Load();
        f.CompareFromCommandLine(Procedures(2, 3, ""), Procedures(2, 3, "!"));
        QVERIFY(HasViewRows(f.state, DisplayView::Combined));
        QVERIFY(!HasViewRows(f.state, DisplayView::Separate));
        const ComparisonState full = test::CompareTexts(Procedures(2, 3, ""), Procedures(2, 3, "!"));
        f.window->mnuViewHorizontal_Click();
        QVERIFY(HasViewRows(f.state, DisplayView::Separate));
        QCOMPARE(f.state.SeparateCount(1), full.SeparateCount(1));
        // A new comparison starts again from the view on screen.
        f.window->mnuFileRecompare->trigger();
        QVERIFY(HasViewRows(f.state, DisplayView::Separate));
        QVERIFY(!HasViewRows(f.state, DisplayView::Combined));
        QVERIFY(f.messages.empty());
    }

    void ToggledSettingsFollowTheirCheckMarks() {
        Fixture f;
        f.window->Form_Load();
        QVERIFY(f.values.SyncVScroll);
        f.window->mnuViewSyncV->trigger();
        QVERIFY(!f.values.SyncVScroll);
        QVERIFY(!f.window->mnuViewSyncV->isChecked());
        f.window->mnuViewSyncV_Click();
        QVERIFY(f.values.SyncVScroll);
        QVERIFY(f.window->mnuViewSyncV->isChecked());
        f.window->mnuViewStatusBar_Click();
        QVERIFY(f.window->lblStatus->isHidden());
        QVERIFY(!f.values.Viewstatusbar);
    }

    void ASplitterDroppedOnTheEdgeSwitchesToTheCombinedView() {
        Fixture f;
        f.window->Form_Load();
        f.CompareFromCommandLine(Procedures(1, 3, ""), Procedures(1, 3, "!"));
        const double tpp = f.window->TwipsPerPixel();
        const double left = f.window->picSplitter->x() * tpp;
        // A drag to the middle of the left pane keeps two panes with the new ratio.
        f.window->picSplitter_MouseDown();
        f.window->picSplitter_MouseMove(-left / 2, 0);
        f.window->picSplitter_MouseUp();
        QCOMPARE(f.values.ViewMode, std::string("V"));
        QVERIFY(f.window->SplitRatioV < 0.4);
        // One dropped next to the window's left edge asks for one pane.
        f.window->picSplitter_MouseDown();
        f.window->picSplitter_MouseMove(-f.window->picSplitter->x() * tpp + 100, 0);
        f.window->picSplitter_MouseUp();
        QCOMPARE(f.values.ViewMode, std::string("C"));
        QVERIFY(f.window->mnuViewCombined->isChecked());
        QVERIFY(!f.window->mnuViewVertical->isChecked());
        QVERIFY(f.window->fraDisplay[1]->isHidden());
    }

    void AResizeBelowTheMinimumStopsAtTheMinimum() {
        Fixture f;
        f.window->Form_Load();
        const double tpp = f.window->TwipsPerPixel();
        f.window->resize(static_cast<int>(2500 / tpp), static_cast<int>(2000 / tpp));
        QCoreApplication::processEvents();
        QVERIFY(f.window->frameGeometry().width() * tpp >= 3000 - tpp);
        QVERIFY(f.window->frameGeometry().height() * tpp >= 3000 - tpp);
        QVERIFY(f.values.MainWindowWidth >= 3000 - tpp);
    }

    void AMissingRecentFileGivesTheMessageAndKeepsTheList() {
        Fixture f;
        const std::string present = f.dir.Write("present.bas", "Sub A()\r\nEnd Sub\r\n");
        const std::string missing = (f.dir.Path() / "gone.bas").string();
        f.values.MRU[0] = {present, missing};
        f.values.MRU[1] = {present, present};
        f.window->Form_Load();
        QCOMPARE(f.window->MRUCount, 2);
        QCOMPARE(f.window->mnuFileMRU[0]->text(),
                 QString::fromStdString("&1 " + present + ":" + missing));
        f.window->mnuFileMRU_Click(0);
        QCOMPARE(f.messages.size(), size_t{1});
        QCOMPARE(f.messages[0],
                 "Unable to open File 2\r\n" + missing + "\r\nNo such file or directory");
        QCOMPARE(f.values.MRU[0][1], missing);
        QVERIFY(!f.state.FilesCompared);
        // The other entry compares and moves to the top.
        f.window->mnuFileMRU_Click(1);
        QVERIFY(f.state.FilesCompared);
        QCOMPARE(f.values.MRU[0][1], present);
        QCOMPARE(f.values.MRU[1][1], missing);
        QVERIFY(f.window->mnuFileMRU[1]->text().contains(" : "));
    }

    void ClosingWritesThePlacementButNotWhenMaximised() {
        Fixture f;
        f.window->Form_Load();
        f.window->resize(700, 500);
        QCoreApplication::processEvents();
        f.window->close();
        QCOMPARE(f.wrapUps, 1);
        QCOMPARE(f.values.MainWindowState, int16_t{0});
        const double tpp = f.window->TwipsPerPixel();
        QCOMPARE(f.values.MainWindowWidth,
                 static_cast<float>(f.window->frameGeometry().width() * tpp));

        Fixture g;
        g.values.MainWindowWidth = 8000;
        g.values.MainWindowHeight = 6000;
        g.window->Form_Load();
        g.window->showMaximized();
        QCoreApplication::processEvents();
        g.values.MainWindowWidth = 8000;  // the last normal placement
        g.window->close();
        QCOMPARE(g.values.MainWindowState, int16_t{2});
        QCOMPARE(g.values.MainWindowWidth, 8000.0f);
    }

    void CommandsThatCompareAreDisabledWhileAComparisonYields() {
        Fixture f;
        f.window->Form_Load();
        int checks = 0;
        bool openEnabled = true;
        // The engine yields every 500 lines; the timer fires inside one of those yields.
        QTimer::singleShot(0, [&] {
            ++checks;
            openEnabled =
                f.window->mnuFileOpen->isEnabled() || f.window->mnuFileMRU[0]->isEnabled();
        });
        f.CompareFromCommandLine(Procedures(4, 2000, ""), Procedures(4, 2000, "!"));
        QCOMPARE(checks, 1);
        QVERIFY(!openEnabled);
        QVERIFY(f.window->mnuFileOpen->isEnabled());
    }

    // The engine yields once per procedure; the window handles its events at most a hundred
    // times a second however often it is asked, and at once when it has not for a while.
    void YieldsToEventsAreRationed() {
        struct Counter : QObject {
            bool event(QEvent*) override { return ++handled > 0; }
            int handled = 0;
        } counter;
        Fixture f;
        IHost& host = f.window->Host();
        auto askAndSee = [&] {
            QCoreApplication::postEvent(&counter, new QEvent(QEvent::User));
            const int before = counter.handled;
            host.DoEvents();
            return counter.handled > before;
        };
        QVERIFY(askAndSee());  // the first request yields
        QElapsedTimer clock;
        clock.start();
        constexpr int asked = 20000;
        int yields = 0;
        for (int i = 0; i < asked; ++i) yields += askAndSee() ? 1 : 0;
        QVERIFY2(yields <= clock.elapsed() / 10 + 1, qPrintable(QString::number(yields)));
        QTest::qWait(15);
        QVERIFY(askAndSee());
    }

    void AFailedCheckInADrawingGoesToTheErrorHandler() {
        Fixture f;
        f.window->Form_Load();
        f.CompareFromCommandLine(Procedures(1, 3, ""), Procedures(1, 3, "!"));
        QVERIFY(f.errors.empty());
        f.state.CombinedDisplay.Clear();
        for (int32_t p = 1; p <= f.state.ProcCount(); ++p) {
            f.state.CombinedDisplay.Add({0, LineSymbol::HiddenMarker, 0});
            f.state.CombinedDisplay.EndProc();
        }
        f.window->mnuViewCombined_Click();
        QCOMPARE(f.errors.size(), size_t{1});
        QCOMPARE(f.errors[0], "frmMain: ShowCombinedDisplayArray unexpected LineSymbol -2");
    }

    // Characters that change the text direction: named in the list and in messages, and noted
    // on the status line while the procedure shown holds any.
    void TextTurnedRoundIsShownForWhatItIs() {
        Fixture f;
        f.window->Form_Load();
        const std::string rlo = "\xE2\x80\xAE";
        auto file = [&](const std::string& value) {
            return test::Lines({"Sub P1()", "  x = " + value, "End Sub", "Sub P2" + rlo + "()",
                                "  y = 1 ' " + rlo + "txet", "End Sub"});
        };
        f.CompareFromCommandLine(file("1"), file("2"));
        const QString counts = QStringLiteral("Procs: 1 equal, 1 changed, 0 added, 0 deleted");
        QCOMPARE(f.window->lblStatus->text(), counts);
        const int turned = f.window->cboProcedures->findText(QStringLiteral("= P2<U+202E>"));
        QVERIFY(turned >= 0);
        f.window->cboProcedures->setCurrentIndex(turned);
        const QString note = QString::fromStdString(std::string(DirectionNote));
        QVERIFY(f.window->lblStatus->text().startsWith(counts));
        QVERIFY(f.window->lblStatus->text().endsWith(note));
        // Recompared, the procedure stays noted; another procedure drops the note.
        f.window->mnuFileRecompare_Click();
        f.window->cboProcedures->setCurrentIndex(turned);
        QVERIFY(f.window->lblStatus->text().endsWith(note));
        f.window->cboProcedures->setCurrentIndex(
            f.window->cboProcedures->findText(QStringLiteral("# P1")));
        QCOMPARE(f.window->lblStatus->text(), counts);
        f.window->Host().ShowMessage("Unable to open File 1\r\nreport" + rlo + "cod.bas");
        QCOMPARE(f.messages.back(), "Unable to open File 1\r\nreport<U+202E>cod.bas");
        QVERIFY(f.errors.empty());
    }

    void OpenRunsTheDialogAndComparesOnlyWhenConfirmed() {
        Fixture f;
        f.window->Form_Load();
        const std::string a = f.dir.Write("a.bas", "Sub A()\r\nEnd Sub\r\n");
        f.chooseFiles = [] { return false; };
        f.window->mnuFileOpen_Click();
        QVERIFY(!f.state.FilesCompared);
        f.chooseFiles = [&] {
            SetFileNames(f.state, a, a);
            return true;
        };
        f.window->mnuFileOpen_Click();
        QVERIFY(f.state.FilesCompared);
        QCOMPARE(f.window->windowTitle(), QStringLiteral("Dualis a.bas:a.bas"));
    }
};

}  // namespace dualis

QTEST_MAIN(dualis::MainWindowTest)
#include "MainWindowTest.moc"
