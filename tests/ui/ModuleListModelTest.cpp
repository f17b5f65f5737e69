// The module list's model on the offscreen platform, over two versions of a small project and
// over the real project versions in the shared data folder: the pairing shown before any module
// is compared, the entries filling in with their counts, the filter, the settings table and a
// module that cannot be read.
#include <QSortFilterProxyModel>
#include <QtTest>
#include <algorithm>
#include <filesystem>

#include "ModuleListModel.h"
#include "ModuleOutline.h"
#include "ProjectTrees.h"

namespace dualis {

namespace {

using Rows = QStringList;

// The tree as indented lines "text | second column", in order.
void Dump(const QAbstractItemModel& model, const QModelIndex& parent, int depth, Rows& rows) {
    for (int row = 0; row < model.rowCount(parent); ++row) {
        const QModelIndex index = model.index(row, 0, parent);
        rows << QString(depth * 2, QLatin1Char(' ')) + index.data().toString() + " | " +
                    index.siblingAtColumn(1).data().toString();
        Dump(model, index, depth + 1, rows);
    }
}

Rows Dump(const QAbstractItemModel& model) {
    Rows rows;
    Dump(model, {}, 0, rows);
    return rows;
}

ProjectResults Open(const std::array<std::string, 2>& names) {
    std::string problem;
    std::optional<project::OpenedSources> opened = project::OpenAndPair(names, {}, problem);
    if (!opened) qFatal("not opened: %s", problem.c_str());
    PutInListOrder(*opened);
    return MakeResults(names, std::make_shared<const project::OpenedSources>(std::move(*opened)));
}

// Every pair compared as the background compares them, the model told of each.
void CompareAll(ProjectResults& results, ModuleListModel& model) {
    project::ModuleCompareOptions run;
    run.Threads = 1;
    const project::OpenedSources& opened = *results.Opened;
    project::CompareModules(opened.File1, opened.File2, opened.Comparison, run,
                            [&](project::ModuleResult&& result) {
                                const size_t pair = result.Pair;
                                results.Results[pair] = std::move(result);
                                model.ModuleUpdated(pair);
                            });
}

QModelIndex Find(const QAbstractItemModel& model, const QString& start,
                 const QModelIndex& parent = {}) {
    for (int row = 0; row < model.rowCount(parent); ++row) {
        const QModelIndex index = model.index(row, 0, parent);
        if (index.data().toString().startsWith(start)) return index;
        const QModelIndex below = Find(model, start, index);
        if (below.isValid()) return below;
    }
    return {};
}

const std::filesystem::path Versions =
    std::filesystem::path(DUALIS_SHARED_DATA) / "projects/VbAsyncSocket";

}  // namespace

class ModuleListModelTest : public QObject {
    Q_OBJECT
  private slots:
    void ThePairingIsShownBeforeAnyModuleIsCompared() {
        test::ProjectVersions v;
        ProjectResults results = Open({v.Project(1), v.Project(2)});
        Settings settings;
        ModuleListModel model(settings);
        model.Reset(&results);
        // Kinds in the project's order; one side's modules, moved and renamed ones are known
        // from the pairing; the others wait for their comparison.
        QCOMPARE(Dump(model),
                 (Rows{"# Project settings | 6 differ", "Forms | ", "  ? frmMain | pending",
                       "    # frmMain.frx | different", "Modules | ", "  - modGone | deleted",
                       "  ? modNew, renamed from modOld | pending", "  ? modSame | pending",
                       "Classes | ", "  + cAdded | added", "  ? cLost | pending",
                       "  ? cOrder, moved from src/cOrder.cls | pending"}));
        const QModelIndex order = Find(model, "? cOrder");
        QCOMPARE(order.data(Qt::ToolTipRole).toString(),
                 QString("File 1: %1\nFile 2: %2\npending")
                     .arg(QString::fromStdString((v.tree / "v1/src/cOrder.cls").string()),
                          QString::fromStdString((v.tree / "v2/lib/cOrder.cls").string())));
        // A module of one side only takes its class's colours, a pending one none.
        QCOMPARE(Find(model, "+ cAdded").data(Qt::ForegroundRole).value<QColor>(),
                 QColor(255, 0, 255));
        QVERIFY(!order.data(Qt::ForegroundRole).isValid());
    }

    void ResultsFillInTheirEntriesWithTheirCounts() {
        test::ProjectVersions v;
        ProjectResults results = Open({v.Project(1), v.Project(2)});
        Settings settings;
        ModuleListModel model(settings);
        model.Reset(&results);
        QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
        CompareAll(results, model);
        QCOMPARE(changed.size(), 7);  // one per module, as its result arrives
        const Rows rows = Dump(model);
        QCOMPARE(rows.at(2), QString("  # frmMain | 2 changed"));
        QCOMPARE(rows.at(5), QString("  - modGone | 3 deleted"));
        QCOMPARE(rows.at(6), QString("  # modNew, renamed from modOld | 3 changed"));
        QCOMPARE(rows.at(7), QString("  = modSame | equal"));  // same bytes: not parsed at all
        QCOMPARE(rows.at(9), QString("  + cAdded | 3 added"));
        QCOMPARE(rows.at(11), QString("  # cOrder, moved from src/cOrder.cls | 1 changed"));
        QCOMPARE(Find(model, "# cOrder").data(Qt::ToolTipRole).toString().section('\n', 2),
                 QString("moved, changed"));
        QCOMPARE(Find(model, "# frmMain").data(Qt::ForegroundRole).value<QColor>(),
                 QColor(255, 0, 0));
        // Counts of zero are left out; a parsed module without any leaves its status word.
        const auto parsed = std::find_if(results.Results.begin(), results.Results.end(),
                                         [](const auto& r) { return r && r->Parsed; });
        QVERIFY(parsed != results.Results.end());
        const size_t pair = static_cast<size_t>(parsed - results.Results.begin());
        ProcCounts& counts = (*parsed)->Procedures;
        counts.Changed = 2;
        counts.Added = 1;
        counts.Deleted = 4;
        QCOMPARE(CountsText(results, pair), std::string("2 changed, 1 added, 4 deleted"));
        counts.Changed = 0;
        QCOMPARE(CountsText(results, pair), std::string("1 added, 4 deleted"));
        counts = {};
        QCOMPARE(CountsText(results, pair), std::string());
    }

    void TheFilterShowsOnlyWhatDiffersAndFillsInAsResultsArrive() {
        test::ProjectVersions v;
        ProjectResults results = Open({v.Project(1), v.Project(2)});
        Settings settings;
        ModuleListModel model(settings);
        model.Reset(&results);
        QSortFilterProxyModel filter;
        filter.setSourceModel(&model);
        filter.setFilterRole(ModuleListModel::FilterRole);
        filter.setRecursiveFilteringEnabled(true);
        filter.setFilterFixedString(QStringLiteral("1"));
        // Before the comparison: what the pairing knows differs (its companion differs too).
        QCOMPARE(Dump(filter),
                 (Rows{"# Project settings | 6 differ", "Forms | ", "  ? frmMain | pending",
                       "    # frmMain.frx | different", "Modules | ", "  - modGone | deleted",
                       "  ? modNew, renamed from modOld | pending", "Classes | ",
                       "  + cAdded | added", "  ? cOrder, moved from src/cOrder.cls | pending"}));
        CompareAll(results, model);
        // The equal module stays out, the one that cannot be read comes in.
        const Rows rows = Dump(filter);
        QVERIFY(!rows.join('\n').contains("modSame"));
        QVERIFY(rows.join('\n').contains("! cLost"));
        QCOMPARE(rows.size(), 11);
        filter.setFilterFixedString({});
        QCOMPARE(Dump(filter).size(), 12);
    }

    void TheSettingsThatDifferAreOneEntryAndATable() {
        test::ProjectVersions v;
        const ProjectResults results = Open({v.Project(1), v.Project(2)});
        QCOMPARE(SettingsRows(results),
                 (std::vector<SettingRow>{
                     {"removed Module modGone", {"modGone; modGone.bas", ""}},
                     {"added Module modNew", {"", "modNew; modNew.bas"}},
                     {"removed Module modOld", {"modOld; modOld.bas", ""}},
                     {"added Class cAdded", {"", "cAdded; cAdded.cls"}},
                     {"moved Class cOrder", {"cOrder; src\\cOrder.cls", "cOrder; lib\\cOrder.cls"}},
                     {"changed Name", {"\"App\"", "\"App2\""}}}));
        Settings settings;
        ModuleListModel model(settings);
        model.Reset(&results);
        QCOMPARE(model.SettingsIndex().siblingAtColumn(1).data().toString(), QString("6 differ"));
        // Two equal projects have no such entry.
        const ProjectResults same = Open({v.Project(1), v.Project(1)});
        model.Reset(&same);
        QVERIFY(!model.SettingsIndex().isValid());
    }

    void AModuleThatCannotBeReadIsListedWithItsReason() {
        test::ProjectVersions v;
        ProjectResults results = Open({v.Project(1), v.Project(2)});
        Settings settings;
        ModuleListModel model(settings);
        model.Reset(&results);
        CompareAll(results, model);
        const QModelIndex lost = Find(model, "! cLost");
        QVERIFY(lost.isValid());
        const QString reason = lost.siblingAtColumn(1).data().toString();
        QVERIFY2(reason.startsWith("File 1: "), qPrintable(reason));
        const QString tip = lost.data(Qt::ToolTipRole).toString();
        QVERIFY2(tip.contains("\nunreadable\nFile 1: "), qPrintable(tip));
        QVERIFY(tip.contains(QString::fromStdString((v.tree / "v1/cLost.cls").string())));
    }

    void AFolderIsListedByFolderAndTheRealVersionsByTheirs() {
        if (!std::filesystem::is_directory(Versions))
            QSKIP("The real project versions are not there");
        ProjectResults results = Open({(Versions / "2020-10-11-5b94771").string(),
                                       (Versions / "2022-10-24-a80b1db").string()});
        Settings settings;
        ModuleListModel model(settings);
        model.Reset(&results);
        const Rows rows = Dump(model);
        // Folders first, in path order, each with its modules; the project files differ.
        QCOMPARE(rows.at(0).section(" | ", 0, 0), QString("# Project settings"));
        QCOMPARE(rows.at(1), QString("contrib | "));
        QVERIFY(rows.contains("src | "));
        QVERIFY(rows.indexOf("contrib | ") < rows.indexOf("src | "));
        QVERIFY(rows.contains("  + cHttpRequest | added"));
        // Every module has an entry under its folder.
        int modules = 0;
        for (const QString& row : rows) modules += row.startsWith("  ") && !row.startsWith("    ");
        QCOMPARE(static_cast<size_t>(modules), results.Results.size());
    }
};

}  // namespace dualis

QTEST_MAIN(dualis::ModuleListModelTest)
#include "ModuleListModelTest.moc"
