// The window's comparison of two projects on the offscreen platform: opened as from the command
// line, the modules chosen in the list and shown as a file pair is, Next and Prior Changed
// Module and F7 across modules, coming back to where the user was, the search through the whole
// project, the comparison in the background with its Cancel, the settings table and the recent
// project pair.
#include <QCheckBox>
#include <QDockWidget>
#include <QProgressBar>
#include <QSortFilterProxyModel>
#include <QTableWidget>
#include <QToolButton>
#include <QTreeView>
#include <QtTest>
#include <future>

#include "MainWindowFixture.h"
#include "ModuleListModel.h"
#include "ProjectOpen.h"
#include "ProjectTrees.h"
#include "ProjectWindow.h"

namespace dualis {

namespace {

constexpr int kWait = 60000;  // the background comparison, under the sanitizers too

void ShowWindow(Fixture& f) {
    f.window->Form_Load();
    f.window->show();
    QVERIFY(QTest::qWaitForWindowActive(f.window.get()));
}

// Opens the pair as the command line does and waits until every module was compared.
void OpenAndWait(Fixture& f, const std::string& one, const std::string& two) {
    SetFileNames(f.state, one, two);
    QVERIFY(!f.window->CompareAFile());  // the modules come later, from the background
    QVERIFY(f.window->Project().Active());
    QTRY_VERIFY_WITH_TIMEOUT(!f.window->Project().Working(), kWait);
}

// The name of the module pair on screen, File 2's when it has the module.
QString ShownName(Fixture& f) {
    ProjectWindow& project = f.window->Project();
    if (!project.Shown()) return {};
    const auto& opened = *project.Results().Opened;
    const auto& pair = opened.Comparison.Modules[*project.Shown()];
    const auto& side = pair.Module[1] >= 0 ? opened.File2.Modules[pair.Module[1]]
                                           : opened.File1.Modules[pair.Module[0]];
    return QString::fromStdString(side.Name);
}

QModelIndex FindEntry(const QAbstractItemModel& model, const QString& start,
                      const QModelIndex& parent = {}) {
    for (int row = 0; row < model.rowCount(parent); ++row) {
        const QModelIndex index = model.index(row, 0, parent);
        if (index.data().toString().startsWith(start)) return index;
        const QModelIndex below = FindEntry(model, start, index);
        if (below.isValid()) return below;
    }
    return {};
}

// A click on the list's entry that starts with `start`.
void ClickEntry(Fixture& f, const QString& start) {
    QTreeView* tree = f.window->Project().tvwModules;
    const QModelIndex index = FindEntry(*tree->model(), start);
    QVERIFY2(index.isValid(), qPrintable(start));
    tree->scrollTo(index);
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualRect(index).center());
}

void Press(Fixture& f, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(f.window->picDisplay[0], key, modifiers);
}

std::string Under(const test::ProjectVersions& v, const std::string& relative) {
    return (v.tree / relative).string();
}

}  // namespace

class ProjectWindowTest : public QObject {
    Q_OBJECT
  private slots:
    void TwoProjectsFromTheCommandLineShowTheFirstChangedModule() {
        Fixture f;
        ShowWindow(f);
        QVERIFY(!f.window->Project().dockModules->isVisible());  // none for a file pair
        test::ProjectVersions v;
        OpenAndWait(f, v.Project(1), v.Project(2));
        QVERIFY(f.window->Project().dockModules->isVisible());
        QCOMPARE(ShownName(f), QString("frmMain"));
        QCOMPARE(f.state.FileName[0], Under(v, "v1/frmMain.frm"));
        // The caption, the labels and the status line name the module and the two projects.
        QCOMPARE(f.window->windowTitle(),
                 QString("Dualis frmMain.frm:frmMain.frm in v1/App.vbp:v2/App.vbp"));
        QVERIFY(f.window->lblFileInformation[0]->FullText().startsWith(
            "v1/App.vbp \u203A frmMain.frm"));
        QVERIFY(f.window->lblFileInformation[1]->FullText().startsWith(
            "v2/App.vbp \u203A frmMain.frm"));
        QCOMPARE(f.window->lblStatus->text(),
                 QString("Module frmMain of v1/App.vbp : v2/App.vbp \u2014 Procs: 5 equal, 2 "
                         "changed, 0 added, 0 deleted"));
        // The window's commands for modules follow, and the recent files hold the pair.
        QVERIFY(f.window->mnuFindNextChangedModule->isEnabled());
        QVERIFY(f.window->Toolbars().Button(ButtonNextChangedModule).Enabled());
        QCOMPARE(f.values.MRU[0], (std::array<std::string, 2>{v.Project(1), v.Project(2)}));
        QCOMPARE(f.values.MRUModule[0], std::string("frmMain.frm"));
        QVERIFY(f.messages.empty());
        QVERIFY(f.errors.empty());
    }

    void AChosenModuleIsShownAsItsFilePairIs() {
        Fixture f;
        ShowWindow(f);
        test::ProjectVersions v;
        OpenAndWait(f, v.Folder(1), v.Folder(2));
        ClickEntry(f, "# cOrder");
        QCOMPARE(ShownName(f), QString("cOrder"));
        QCOMPARE(f.state.FileName[1], Under(v, "v2/lib/cOrder.cls"));
        QVERIFY(f.window->lblFileInformation[0]->FullText().startsWith("v1 \u203A src/cOrder.cls"));
        // The same procedures and rows as the two files compared as a pair.
        const ComparisonState pair =
            test::CompareTexts(test::ReadFile(Under(v, "v1/src/cOrder.cls")),
                               test::ReadFile(Under(v, "v2/lib/cOrder.cls")));
        QCOMPARE(f.state.ProcCount(), pair.ProcCount());
        QCOMPARE(CountProcs(f.state).Changed, CountProcs(pair).Changed);
        QCOMPARE(f.window->cboProcedures->count(), static_cast<int>(pair.ProcCount()));
        QCOMPARE(f.window->cboProcedures->currentIndex(), 0);  // from the first, as a pair starts
        // The settings entry shows the table over the panes; a module brings the panes back.
        ClickEntry(f, "# Project settings");
        QTableWidget* table = f.window->Project().tblSettings;
        QVERIFY(table->isVisible());
        QCOMPARE(table->rowCount(), 6);
        QCOMPARE(table->horizontalHeaderItem(1)->text(), QString("File 1"));
        QCOMPARE(table->item(5, 0)->text(), QString("changed Name"));
        ClickEntry(f, "= modSame");
        QVERIFY(!table->isVisible());
        QCOMPARE(ShownName(f), QString("modSame"));
        QVERIFY(f.errors.empty());
    }

    void TheBarBetweenThePanesStaysBesideTheModuleList() {
        Fixture f;
        ShowWindow(f);
        test::ProjectVersions v;
        OpenAndWait(f, v.Folder(1), v.Folder(2));
        frmMain& w = *f.window;
        QVERIFY(w.Project().dockModules->width() > 100);
        // Dragged far to the right, the bar stops inside the panes' area, not a dock's width
        // beyond it.
        const double tpp = w.TwipsPerPixel();
        const int room = w.centralWidget()->width();
        w.picSplitter_MouseDown();
        for (const int pixels : {room - 10, room + 40, room + 150}) {
            w.picSplitter_MouseMove((pixels - w.picSplitter->x()) * tpp, 0);
            QVERIFY2(w.picSplitter->geometry().right() < room,
                     qPrintable(QString("dragged to %1 px").arg(pixels)));
        }
        w.picSplitter_MouseMove((room / 2 - w.picSplitter->x()) * tpp, 0);
        w.picSplitter_MouseUp();
        QCOMPARE(f.values.ViewMode, std::string("V"));
        QVERIFY(f.errors.empty());
    }

    void TreesOpenedDuringStartUpServeTheFirstOpenOfTheSameNames() {
        Fixture f;
        ShowWindow(f);
        test::ProjectVersions v;
        const std::array<std::string, 2> names{v.Folder(1), v.Folder(2)};
        auto early = std::async(std::launch::async, [names] { return project::OpenBoth(names); });
        early.wait();
        // A module that comes after the early opening is not in the first list, so the list was
        // made from the early opening; it is in the next one, which opens the trees afresh.
        v.tree.Write("v2/modLate.bas",
                     project::test::BasText("modLate", {"Sub Late()", "End Sub"}));
        const auto hasLate = [&f] {
            for (const auto& module : f.window->Project().Results().Opened->File2.Modules) {
                if (module.Name == "modLate") return true;
            }
            return false;
        };
        f.window->Project().OpenedEarly(names, std::move(early));
        OpenAndWait(f, names[0], names[1]);
        QVERIFY(!hasLate());
        f.window->Project().Recompare();
        QTRY_VERIFY_WITH_TIMEOUT(!f.window->Project().Working(), kWait);
        QVERIFY(hasLate());
        // Trees opened early under other names are not taken.
        const std::array<std::string, 2> others{v.Folder(1), v.Folder(1)};
        f.window->Project().OpenedEarly(
            others, std::async(std::launch::async, [others] { return project::OpenBoth(others); }));
        OpenAndWait(f, names[0], names[1]);
        QVERIFY(hasLate());
        QVERIFY(f.errors.empty());
        QVERIFY(f.messages.empty());
    }

    void NextAndPriorChangedModuleAndF7StepAcrossModules() {
        Fixture f;
        ShowWindow(f);
        test::ProjectVersions v;
        OpenAndWait(f, v.Project(1), v.Project(2));
        QCOMPARE(f.window->mnuFindNextChangedModule->text(),
                 QString("Next Changed &Module\tCtrl+F7"));
        // Changed, deleted and added modules in the list's order; the equal and the unreadable
        // ones are passed by. A new module opens at its first difference.
        const QStringList forward{"modGone", "modNew", "cAdded", "cOrder"};
        for (const QString& name : forward) {
            Press(f, Qt::Key_F7, Qt::ControlModifier);
            QCOMPARE(ShownName(f), name);
            QVERIFY(f.window->View().HiLiteLine(0) >= 1);
        }
        Press(f, Qt::Key_F7, Qt::ControlModifier);
        QCOMPARE(ShownName(f), QString("cOrder"));
        QCOMPARE(f.window->lblStatus->text(), QString("No changed module after this one"));
        f.window->mnuFindPriorChangedModule->trigger();
        QCOMPARE(ShownName(f), QString("cAdded"));
        Press(f, Qt::Key_F7, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(ShownName(f), QString("modNew"));
        // F7 past a module's last changed procedure goes on into the next changed module, at its
        // first; Shift+F7 back into the prior one, at its last.
        ClickEntry(f, "# frmMain");
        QComboBox* list = f.window->cboProcedures;
        Press(f, Qt::Key_F7);
        QCOMPARE(list->currentText(), QString("# Form3"));
        QCOMPARE(f.window->View().HiLiteLine(0), 21);
        Press(f, Qt::Key_F7);
        QCOMPARE(list->currentText(), QString("# Form5"));
        Press(f, Qt::Key_F7);
        QCOMPARE(ShownName(f), QString("modGone"));
        QCOMPARE(f.window->cboProcedures->currentIndex(), 0);  // all of it deleted
        QCOMPARE(f.window->View().HiLiteLine(0), 1);
        Press(f, Qt::Key_F7, Qt::ShiftModifier);
        QCOMPARE(ShownName(f), QString("frmMain"));
        QCOMPARE(list->currentText(), QString("# Form5"));
        QCOMPARE(f.window->View().HiLiteLine(0), 151);
        QVERIFY(f.errors.empty());
    }

    void AModuleLeftAndChosenAgainComesBackToTheSameProcedureAndRow() {
        Fixture f;
        ShowWindow(f);
        test::ProjectVersions v;
        OpenAndWait(f, v.Project(1), v.Project(2));
        QComboBox* list = f.window->cboProcedures;
        list->setCurrentIndex(list->findText("# Form5"));
        Press(f, Qt::Key_Minus);  // the difference at row 151, highlighted and scrolled to
        const ComparisonView before = f.window->View();
        QCOMPARE(before.HiLiteLine(0), 151);
        QVERIFY(before.ScrollRow(0) > 1);
        ClickEntry(f, "# cOrder");
        QCOMPARE(ShownName(f), QString("cOrder"));
        QCOMPARE(f.window->View().ScrollRow(0), 1);
        ClickEntry(f, "# frmMain");
        const ComparisonView& after = f.window->View();
        QCOMPARE(list->currentText(), QString("# Form5"));
        QCOMPARE(after.CurrentProc(), before.CurrentProc());
        QCOMPARE(after.ScrollRow(0), before.ScrollRow(0));
        QCOMPARE(after.ScrollRow(1), before.ScrollRow(1));
        QCOMPARE(after.HiLiteLine(0), 151);
        QVERIFY(after.TopLine(0) <= 151 && 151 <= after.BottomLine(0));
        // "-" goes on from there, as it would have before leaving.
        Press(f, Qt::Key_Minus);
        QCOMPARE(f.window->lblStatus->text().left(10), QString("No further"));
    }

    void TheFindBarSearchesTheWholeProjectWhenAsked() {
        Fixture f;
        ShowWindow(f);
        QVERIFY(f.window->fraFind->chkWholeProject->isHidden());
        test::ProjectVersions v;
        OpenAndWait(f, v.Project(1), v.Project(2));
        QCOMPARE(ShownName(f), QString("frmMain"));
        Press(f, Qt::Key_F, Qt::ControlModifier);
        FindBar* bar = f.window->fraFind;
        QVERIFY(bar->chkWholeProject->isVisible());
        QTest::keyClicks(bar->txtFind, "needle");
        QTest::keyClick(bar->txtFind, Qt::Key_Return);
        QCOMPARE(f.messages, (std::vector<std::string>{"Dualis cannot find \"needle\"."}));
        bar->chkWholeProject->setChecked(true);
        QTest::keyClick(bar->txtFind, Qt::Key_Return);
        QCOMPARE(ShownName(f), QString("modNew"));
        QCOMPARE(f.window->lblStatus->text(), QString("Found \"needle\" in File 2"));
        QCOMPARE(f.window->cboProcedures->currentText(), QString("# Old1"));
        QCOMPARE(f.window->View().HiLiteLine(0), 2);
        // Round the project and back to the same place; only one module holds it.
        QTest::keyClick(bar->txtFind, Qt::Key_Return);
        QCOMPARE(ShownName(f), QString("modNew"));
        QCOMPARE(f.messages.size(), size_t{1});
        QVERIFY(f.errors.empty());
    }

    void ModulesAreComparedInTheBackgroundAndCancelStopsThem() {
        Fixture f;
        ShowWindow(f);
        project::test::Tree tree;
        constexpr int kModules = 120;
        for (int m = 0; m < kModules; ++m) {
            const std::string name = "mod" + std::to_string(1000 + m);
            for (int version = 1; version <= 2; ++version) {
                const std::set<std::pair<int, int>> change =
                    version == 2 && m % 3 == 0 ? std::set<std::pair<int, int>>{{5, 5}}
                                               : std::set<std::pair<int, int>>{};
                const std::string folder = version == 1 ? "v1/" : "v2/";
                tree.Write(folder + name + ".bas",
                           project::test::BasText(name, test::Body("P", 60, 40, change)));
            }
        }
        ProjectWindow& project = f.window->Project();
        SetFileNames(f.state, (tree / "v1").string(), (tree / "v2").string());
        f.window->CompareAFile();
        // The list is there at once, its entries waiting for their results.
        QVERIFY(project.Working());
        QVERIFY(project.prgCompare->isVisible());
        QVERIFY(project.cmdCancel->isVisible());
        QCOMPARE(project.prgCompare->maximum(), kModules);
        QTest::mouseClick(project.cmdCancel, Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(!project.Working(), kWait);
        QVERIFY(!project.prgCompare->isVisible());
        const QString note = f.window->lblStatus->text();
        QVERIFY2(note.startsWith("Comparison cancelled: ") &&
                     note.endsWith(QString(" of %1 modules compared").arg(kModules)),
                 qPrintable(note));
        const int compared = note.section(' ', 2, 2).toInt();
        QVERIFY2(compared < kModules, qPrintable(note));
        const auto& results = project.Results().Results;
        QCOMPARE(static_cast<int>(std::count_if(results.begin(), results.end(),
                                                [](const auto& r) { return r.has_value(); })),
                 compared + (project.Shown() && compared == 0 ? 1 : 0));
        QVERIFY(FindEntry(*project.tvwModules->model(), "? mod").isValid());
        // A module not compared yet is compared when chosen.
        ClickEntry(f, "? mod1119");
        QCOMPARE(ShownName(f), QString("mod1119"));
        QVERIFY(f.state.FilesCompared);

        // Compared to the end, every entry fills in and the first changed module is shown.
        OpenAndWait(f, (tree / "v1").string(), (tree / "v2").string());
        QVERIFY(!FindEntry(*project.tvwModules->model(), "? ").isValid());
        QCOMPARE(ShownName(f), QString("mod1000"));
        QVERIFY(!project.prgCompare->isVisible());
        QVERIFY(f.errors.empty());
    }

    void TheRecentProjectPairOpensAgainAtTheModuleViewedLast() {
        Fixture f;
        ShowWindow(f);
        test::ProjectVersions v;
        OpenAndWait(f, v.Project(1), v.Project(2));
        ClickEntry(f, "# cOrder");
        QCOMPARE(f.values.MRUModule[0], std::string("lib/cOrder.cls"));
        // A file pair takes the window's place; the project pair moves down, its module with it.
        f.CompareFromCommandLine(Procedures(3, 3, ""), Procedures(3, 3, " ' x"));
        QVERIFY(!f.window->Project().Active());
        QVERIFY(!f.window->Project().dockModules->isVisible());
        QVERIFY(f.window->lblOpenHint->text().startsWith("To compare two files"));
        QVERIFY(f.window->fraFind->chkWholeProject->isHidden());
        QVERIFY(!f.window->mnuFindNextChangedModule->isEnabled());
        QCOMPARE(f.values.MRU[1], (std::array<std::string, 2>{v.Project(1), v.Project(2)}));
        QCOMPARE(f.values.MRUModule[1], std::string("lib/cOrder.cls"));
        QCOMPARE(f.values.MRUModule[0], std::string());
        f.window->mnuFileMRU_Click(1);
        QTRY_VERIFY_WITH_TIMEOUT(!f.window->Project().Working(), kWait);
        QCOMPARE(ShownName(f), QString("cOrder"));
        QCOMPARE(f.values.MRU[0], (std::array<std::string, 2>{v.Project(1), v.Project(2)}));
        // Recompare compares the whole project again and comes back to the same module.
        ClickEntry(f, "+ cAdded");
        f.window->mnuFileRecompare->trigger();
        QVERIFY(f.window->Project().Working());
        QTRY_VERIFY_WITH_TIMEOUT(!f.window->Project().Working(), kWait);
        QCOMPARE(ShownName(f), QString("cAdded"));
        QVERIFY(f.errors.empty());
    }

    void FileOpenTakesTwoFoldersAndStartsFromTheTwoOnScreen() {
        Fixture f;
        ShowWindow(f);
        test::ProjectVersions v;
        std::array<std::string, 2> offered;
        std::array<std::string, 2> chosen{v.Folder(1), v.Folder(2)};
        f.chooseFiles = [&] {
            offered = f.state.FileName;
            SetFileNames(f.state, chosen[0], chosen[1]);
            return true;
        };
        f.window->mnuFileOpen_Click();
        QVERIFY(f.window->Project().Active());
        QTRY_VERIFY_WITH_TIMEOUT(!f.window->Project().Working(), kWait);
        QCOMPARE(ShownName(f), QString("cOrder"));  // lib/ comes first, and it changed
        // The dialog shows the two folders again, not the module on screen; cancelled, the
        // module's names come back.
        f.chooseFiles = [&] {
            offered = f.state.FileName;
            return false;
        };
        f.window->mnuFileOpen_Click();
        QCOMPARE(offered, chosen);
        QCOMPARE(f.state.FileName[1], Under(v, "v2/lib/cOrder.cls"));
        // A folder beside a project cannot be opened: the message says why, the projects stay.
        chosen = {v.Folder(1), Under(v, "v2/modNew.bas")};
        f.chooseFiles = [&] {
            SetFileNames(f.state, chosen[0], chosen[1]);
            return true;
        };
        f.window->mnuFileOpen_Click();
        QCOMPARE(f.messages,
                 (std::vector<std::string>{
                     "A module file can only be compared with another module file, "
                     "not with a folder, a project, a project group or an Office document."}));
        QVERIFY(f.window->Project().Active());
        QCOMPARE(f.state.FileName[1], Under(v, "v2/lib/cOrder.cls"));
        QVERIFY(f.errors.empty());
    }

    void TwoFoldersWithoutModulesLeaveTheWindowEmpty() {
        Fixture f;
        ShowWindow(f);
        f.CompareFromCommandLine(Procedures(2, 2, ""), Procedures(2, 2, " ' x"));
        project::test::Tree tree;
        tree.Write("e1/readme.txt", "nothing\r\n");
        tree.Write("e2/readme.txt", "nothing\r\n");
        OpenAndWait(f, (tree / "e1").string(), (tree / "e2").string());
        // The file pair is gone; the caption names the two folders, the recent files hold them.
        QVERIFY(!f.state.FilesCompared);
        QCOMPARE(f.window->windowTitle(), QString("Dualis e1:e2"));
        QVERIFY(f.window->lblOpenHint->isVisible());
        QCOMPARE(f.window->lblOpenHint->text(), QString("Neither side holds a module to compare."));
        QCOMPARE(f.window->Project().tvwModules->model()->rowCount(), 0);
        QCOMPARE(f.values.MRU[0][0], (tree / "e1").string());
        QVERIFY(f.window->mnuFindNextChangedModule->isEnabled());
        Press(f, Qt::Key_F7, Qt::ControlModifier);
        QCOMPARE(f.window->lblStatus->text(), QString("No changed module after this one"));
        QVERIFY(f.messages.empty());
        QVERIFY(f.errors.empty());
    }

    void TwoVersionsOfAWorkbookAreComparedModuleByModule() {
        const std::filesystem::path versions =
            std::filesystem::path(DUALIS_SHARED_DATA) / "office/wbs-template";
        if (!std::filesystem::is_directory(versions)) QSKIP("The real workbook is not there");
        Fixture f;
        ShowWindow(f);
        OpenAndWait(f, (versions / "2025-04-06-93f6c80/wbs-template.xlsm").string(),
                    (versions / "2025-04-27-b8c6339/wbs-template.xlsm").string());
        // The modules come out of the documents; the first changed one is shown as a file pair.
        QVERIFY(f.window->Project().Shown().has_value());
        QVERIFY(f.state.FilesCompared);
        QVERIFY(CountProcs(f.state).Changed + CountProcs(f.state).Added +
                    CountProcs(f.state).Deleted >
                0);
        QVERIFY(f.window->windowTitle().endsWith(
            " in 2025-04-06-93f6c80/wbs-template.xlsm:2025-04-27-b8c6339/wbs-template.xlsm"));
        Press(f, Qt::Key_F7, Qt::ControlModifier);
        QVERIFY(f.messages.empty());
        QVERIFY(f.errors.empty());
    }

    void TheRealProjectVersionsOpenAtTheirFirstChangedModule() {
        const std::filesystem::path versions =
            std::filesystem::path(DUALIS_SHARED_DATA) / "projects/VbAsyncSocket";
        if (!std::filesystem::is_directory(versions))
            QSKIP("The real project versions are not there");
        Fixture f;
        ShowWindow(f);
        OpenAndWait(f, (versions / "2020-10-11-5b94771").string(),
                    (versions / "2022-10-24-a80b1db").string());
        QCOMPARE(ShownName(f), QString("cHttpDownload"));
        QVERIFY(f.window->windowTitle().endsWith(" in 2020-10-11-5b94771:2022-10-24-a80b1db"));
        Press(f, Qt::Key_F7, Qt::ControlModifier);
        QCOMPARE(ShownName(f), QString("cHttpRequest"));  // added in 2022
        QVERIFY(f.messages.empty());
        QVERIFY(f.errors.empty());
    }
};

}  // namespace dualis

QTEST_MAIN(dualis::ProjectWindowTest)
#include "ProjectWindowTest.moc"
