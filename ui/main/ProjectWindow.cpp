// The comparison of two projects in the main window: the module list, opening the sources, the
// background comparison and the results as they arrive.
#include "ProjectWindow.h"

#include <QCheckBox>
#include <QDockWidget>
#include <QEvent>
#include <QHeaderView>
#include <QProgressBar>
#include <QSortFilterProxyModel>
#include <QTableWidget>
#include <QTimer>
#include <QToolButton>
#include <QTreeView>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "ModuleListModel.h"
#include "ProjectWork.h"
#include "StatusNotes.h"
#include "frmMain.h"

namespace dualis {

using namespace project;

ProjectWindow::ProjectWindow(frmMain& main, ComparisonState& state, Settings& settings,
                             Tracing& trace)
    : main_(main),
      state_(state),
      settings_(settings),
      trace_(trace),
      openHint_(main.lblOpenHint->text()) {
    BuildList();
    BuildProgress();
    // The settings table stands over the panes, where they are.
    tblSettings = new QTableWidget(0, 3, main_.fraDisplay[0]->parentWidget());
    tblSettings->setObjectName(QStringLiteral("tblSettings"));
    tblSettings->setHorizontalHeaderLabels(
        {QStringLiteral("Setting"), QStringLiteral("File 1"), QStringLiteral("File 2")});
    tblSettings->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tblSettings->horizontalHeader()->setStretchLastSection(true);
    tblSettings->verticalHeader()->hide();
    tblSettings->hide();
    for (QWidget* part :
         {static_cast<QWidget*>(main_.fraDisplay[0]), static_cast<QWidget*>(main_.fraDisplay[1]),
          static_cast<QWidget*>(main_.lblFileInformation[0])}) {
        part->installEventFilter(this);
    }
    // The dock takes its width from the inner area, which lays its parts out again.
    main_.centralWidget()->installEventFilter(this);
    // Choosing a procedure goes back to the module's panes.
    connect(main_.cboProcedures, &QComboBox::activated, this, [this] { HideSettingsTable(); });
}

ProjectWindow::~ProjectWindow() {
    StopWork();
}

void ProjectWindow::BuildList() {
    dockModules = new QDockWidget(QStringLiteral("Modules"), &main_);
    dockModules->setObjectName(QStringLiteral("dockModules"));
    dockModules->setFeatures(QDockWidget::NoDockWidgetFeatures);
    auto* box = new QWidget(dockModules);
    chkDifferencesOnly = new QCheckBox(QStringLiteral("&Only modules that differ"), box);
    chkDifferencesOnly->setChecked(settings_.ModuleListDifferencesOnly);
    model_ = new ModuleListModel(settings_, this);
    filter_ = new QSortFilterProxyModel(this);
    filter_->setSourceModel(model_);
    filter_->setFilterRole(ModuleListModel::FilterRole);
    filter_->setRecursiveFilteringEnabled(true);
    filter_->setFilterFixedString(settings_.ModuleListDifferencesOnly ? QStringLiteral("1")
                                                                      : QString());
    tvwModules = new QTreeView(box);
    tvwModules->setObjectName(QStringLiteral("tvwModules"));
    tvwModules->setModel(filter_);
    tvwModules->setUniformRowHeights(true);
    tvwModules->setAllColumnsShowFocus(true);
    tvwModules->header()->setStretchLastSection(true);
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(4, 0, 0, 0);
    layout->addWidget(chkDifferencesOnly);
    layout->addWidget(tvwModules, 1);
    dockModules->setWidget(box);
    main_.addDockWidget(Qt::LeftDockWidgetArea, dockModules);
    dockModules->hide();
    dockModules->installEventFilter(this);
    connect(chkDifferencesOnly, &QCheckBox::toggled, this, [this](bool on) {
        Run(TraceKind::Events, "chkDifferencesOnly_Click", [&] { SetDifferencesOnly(on); });
    });
    // The user's move to an entry shows it; the list moving by itself (a filter, a new
    // comparison) does not.
    connect(tvwModules->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) {
                if (!listing_ && tvwModules->hasFocus()) ListCurrentChanged(current);
            });
    connect(tvwModules, &QTreeView::clicked, this,
            [this](const QModelIndex& index) { ListCurrentChanged(index); });
    connect(tvwModules, &QTreeView::activated, this,
            [this](const QModelIndex& index) { ListCurrentChanged(index); });
    // Branches that the filter brings back, as results arrive, come back open.
    connect(filter_, &QSortFilterProxyModel::rowsInserted, this,
            [this](const QModelIndex& parent, int first, int last) {
                for (int row = first; row <= last; ++row) {
                    ExpandBranch(filter_->index(row, 0, parent));
                }
            });
}

void ProjectWindow::BuildProgress() {
    QLabel* status = main_.lblStatus;
    prgCompare = new QProgressBar(status);
    prgCompare->setObjectName(QStringLiteral("prgCompare"));
    prgCompare->setFormat(QStringLiteral("%v of %m modules"));
    prgCompare->setFixedWidth(
        status->fontMetrics().horizontalAdvance(QStringLiteral("00000 of 00000 modules")) + 24);
    cmdCancel = new QToolButton(status);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    cmdCancel->setText(QStringLiteral("Cancel"));
    cmdCancel->setToolTip(QStringLiteral("Stop comparing the modules not compared yet"));
    connect(cmdCancel, &QToolButton::clicked, this,
            [this] { Run(TraceKind::Events, "cmdCancel_Click", [&] { Cancel(); }); });
    status->installEventFilter(this);
    ShowProgress(false);
}

bool ProjectWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Resize || event->type() == QEvent::Move ||
        event->type() == QEvent::Show || event->type() == QEvent::Hide) {
        if (watched == main_.centralWidget()) {
            if (event->type() == QEvent::Resize && dockUsed_) main_.Form_Resize();
        } else if (watched == dockModules && event->type() == QEvent::Resize &&
                   dockModules->isVisible()) {
            settings_.ModuleListWidth =
                static_cast<float>(std::lround(dockModules->width() * main_.TwipsPerPixel()));
        } else if (watched == main_.lblStatus) {
            ShowProgress(work_ != nullptr);
        } else if (watched != dockModules && !tblSettings->isHidden()) {
            PlaceSettingsTable();
        }
    }
    return QObject::eventFilter(watched, event);
}

void ProjectWindow::ShowProgress(bool working) {
    QLabel* status = main_.lblStatus;
    prgCompare->setVisible(working);
    cmdCancel->setVisible(working);
    if (!working) {
        status->setContentsMargins(0, 0, 0, 0);
        return;
    }
    const int height = std::max(1, status->height() - 2);
    const int cancelWidth = cmdCancel->sizeHint().width();
    cmdCancel->setGeometry(status->width() - cancelWidth - 1, 1, cancelWidth, height);
    prgCompare->setGeometry(cmdCancel->x() - prgCompare->width() - 4, 1, prgCompare->width(),
                            height);
    // The status text keeps clear of the bar.
    status->setContentsMargins(0, 0, status->width() - prgCompare->x(), 0);
}

void ProjectWindow::SetHint(const QString& text) {
    main_.lblOpenHint->setText(text);
    main_.ShowOpenHint();
}

void ProjectWindow::SetDockWidth() {
    const int pixels =
        static_cast<int>(std::lround(settings_.ModuleListWidth / main_.TwipsPerPixel()));
    main_.resizeDocks({dockModules}, {std::max(pixels, 1)}, Qt::Horizontal);
    tvwModules->setColumnWidth(0, pixels * 3 / 5);
}

void ProjectWindow::EnableCommands() {
    main_.EnableMenuItems();
    main_.sbButtonsDisableEnable();
    main_.fraFind->chkWholeProject->setVisible(Active());
}

bool ProjectWindow::Open(const std::array<std::string, 2>& names, const std::string& moduleKey) {
    bool opened = false;
    Run(TraceKind::App, "Open", [&] {
        std::string problem;
        std::optional<OpenedSources> sources;
        {
            BusyScope busy(main_.Host());
            if (early_.valid() && earlyNames_ == names) {
                sources = PairOpened(names, early_.get(), Options(), problem);
            } else {
                sources = OpenAndPair(names, Options(), problem);
            }
            early_ = {};
        }
        if (!sources) {
            main_.Host().ShowMessage(problem);
            return;
        }
        PutInListOrder(*sources);
        StopWork();
        HideSettingsTable();
        results_ = MakeResults(names, std::make_shared<const OpenedSources>(std::move(*sources)));
        const size_t count = results_->Results.size();
        views_.assign(count, std::nullopt);
        shown_.reset();
        first_ = ModuleNamed(*results_, moduleKey);
        firstDone_ = false;
        arrivedCount_ = 0;
        listing_ = true;
        model_->Reset(&*results_);
        ExpandBranches({});
        listing_ = false;
        const bool shown = dockModules->isVisible();
        dockUsed_ = true;
        dockModules->show();
        // The window lays the dock out first; its width is set once it has.
        if (!shown) QTimer::singleShot(0, this, [this] { SetDockWidth(); });
        EnableCommands();
        SetHint(QStringLiteral("Choose a module in the list on the left to see it."));
        StartWork(first_);
        // The pair is a recent one from now, whatever comes of its modules.
        main_.UpdateMRUList();
        opened = true;
    });
    return opened;
}

void ProjectWindow::OpenedEarly(const std::array<std::string, 2>& names,
                                std::future<std::array<Source, 2>> sources) {
    earlyNames_ = names;
    early_ = std::move(sources);
}

void ProjectWindow::Recompare() {
    if (!Active()) return;
    const std::array<std::string, 2> names = results_->Names;
    Open(names, ShownModuleKey());
}

void ProjectWindow::Close() {
    if (!Active()) return;
    StopWork();
    HideSettingsTable();
    results_.reset();
    SetHint(openHint_);
    model_->Reset(nullptr);
    views_.clear();
    shown_.reset();
    dockModules->hide();
    EnableCommands();
}

void ProjectWindow::StopWork() {
    if (!work_) return;
    ++generation_;
    work_.reset();
    ShowProgress(false);
}

void ProjectWindow::Cancel() {
    if (work_) work_->Cancel();
}

ProjectOptions ProjectWindow::Options() const {
    return {.Compare = settings_.Compare,
            .IgnoreSaveNoise = settings_.IgnoreSaveNoise,
            .CodePage = static_cast<uint32_t>(std::max(0, settings_.CodePage))};
}

void ProjectWindow::StartWork(std::optional<size_t> first) {
    std::vector<size_t> order;
    const size_t count = results_->Results.size();
    order.reserve(count);
    if (first) order.push_back(*first);
    for (size_t pair = 0; pair < count; ++pair) {
        if (pair != first) order.push_back(pair);
    }
    const int generation = ++generation_;
    work_ = std::make_unique<ProjectWork>(results_->Opened, std::move(order), Options());
    connect(work_.get(), &ProjectWork::ResultsWaiting, this, [this, generation] {
        if (generation == generation_)
            Run(TraceKind::Events, "ResultsWaiting", [&] { TakeResults(); });
    });
    connect(work_.get(), &ProjectWork::Finished, this, [this, generation](bool cancelled) {
        if (generation == generation_) {
            Run(TraceKind::Events, "WorkFinished", [&] { WorkFinished(cancelled); });
        }
    });
    prgCompare->setRange(0, static_cast<int>(count));
    prgCompare->setValue(0);
    ShowProgress(true);
}

void ProjectWindow::TakeResults() {
    if (!work_) return;
    for (ModuleResult& result : work_->TakeResults()) Arrived(std::move(result));
    // Once for all of them: the bar paints itself at once whenever its value changes.
    prgCompare->setValue(static_cast<int>(arrivedCount_));
}

void ProjectWindow::Arrived(ModuleResult result) {
    const size_t pair = result.Pair;
    std::unique_ptr<ComparisonState> state = std::move(result.State);
    results_->Results[pair] = std::move(result);
    model_->ModuleUpdated(pair);
    ++arrivedCount_;
    if (firstDone_) return;
    const bool unreadable = !results_->Results[pair]->Problem.empty();
    if (first_ && *first_ == pair && unreadable) first_.reset();  // the first changed, then
    if (first_ ? *first_ != pair : !ContentChanged(*results_, pair)) return;
    PutModule(pair, std::move(state), nullptr);
}

void ProjectWindow::WorkFinished(bool cancelled) {
    TakeResults();
    const std::exception_ptr error = work_->Error();
    StopWork();
    EnableCommands();
    if (error) std::rethrow_exception(error);
    if (cancelled) {
        main_.ShowStatusNote(CancelledNote(arrivedCount_, results_->Results.size()));
        return;
    }
    if (firstDone_) return;
    // No module changed: the first one is shown, as a file pair's first procedure is; without
    // any module, nothing is.
    if (!results_->Results.empty()) {
        PutModule(first_.value_or(0), nullptr, nullptr);
        return;
    }
    SetHint(QStringLiteral("Neither side holds a module to compare."));
    if (main_.PutComparison([&] {
            state_ = ComparisonState{};
            return true;
        })) {
        firstDone_ = true;
        main_.ShowComparison(nullptr);
    }
}

void ProjectWindow::SetDifferencesOnly(bool on) {
    settings_.ModuleListDifferencesOnly = on;
    listing_ = true;
    filter_->setFilterFixedString(on ? QStringLiteral("1") : QString());
    ExpandBranches({});
    listing_ = false;
    if (shown_) SelectInList(*shown_);
}

void ProjectWindow::ListCurrentChanged(const QModelIndex& current) {
    if (!current.isValid() || !Active()) return;
    Run(TraceKind::Events, "tvwModules_Click", [&] {
        const int node = filter_->mapToSource(current).data(ModuleListModel::NodeRole).toInt();
        const OutlineNode& entry = model_->Outline().Nodes[static_cast<size_t>(node)];
        if (entry.Kind == OutlineKind::Module) {
            ShowModule(entry.Item);
        } else if (entry.Kind == OutlineKind::Settings) {
            ShowSettingsTable();
        }
    });
}

void ProjectWindow::ExpandBranch(const QModelIndex& index) {
    const int node = index.data(ModuleListModel::NodeRole).toInt();
    if (model_->Outline().Nodes[static_cast<size_t>(node)].Kind != OutlineKind::Branch) return;
    tvwModules->expand(index);
    ExpandBranches(index);
}

void ProjectWindow::ExpandBranches(const QModelIndex& parent) {
    for (int row = 0; row < filter_->rowCount(parent); ++row) {
        ExpandBranch(filter_->index(row, 0, parent));
    }
}

void ProjectWindow::SelectInList(size_t pair) {
    listing_ = true;
    const QModelIndex index = filter_->mapFromSource(model_->ModuleIndex(pair));
    if (index.isValid()) {
        tvwModules->setCurrentIndex(index);
        tvwModules->scrollTo(index);
    } else {
        tvwModules->selectionModel()->clear();
    }
    listing_ = false;
}

void ProjectWindow::ColoursChanged() {
    model_->ColoursChanged();
}

std::string ProjectWindow::ShownModuleKey() const {
    if (!Active()) return "";
    // Until a module is shown, the one to show first is the one to remember.
    const std::optional<size_t> pair = shown_ ? shown_ : first_;
    return pair ? ModuleKey(*results_, *pair) : "";
}

}  // namespace dualis
