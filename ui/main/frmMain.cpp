// The main window's life cycle, menus, recent files and the refresh after a comparison.
#include "frmMain.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMenuBar>
#include <QScreen>
#include <QStyle>

#include "FileInformation.h"
#include "Pipeline.h"
#include "ProcList.h"
#include "RecentFiles.h"

// The compiled-in icon lives in this static library; it has to be registered by hand.
static void RegisterIcons() {
    Q_INIT_RESOURCE(icons);
}

namespace dualis {

namespace {

// The window's size before any placement is stored, in twips.
constexpr double kDesignedWidth = 13500;
constexpr double kDesignedHeight = 9750;

QAction* AddItem(QMenu* menu, const char* caption, bool checkable = false) {
    QAction* a = menu->addAction(QString::fromLatin1(caption));
    a->setCheckable(checkable);
    return a;
}

}  // namespace

frmMain::frmMain(MainWindowContext context, QWidget* parent)
    : QMainWindow(parent), ctx_(std::move(context)), host_(ctx_.Trace, this) {
    setWindowTitle(QStringLiteral("Dualis"));
    if (QScreen* s = screen()) twipsPerPixel_ = 1440.0 / s->logicalDotsPerInch();
    setMinimumSize(static_cast<int>(MinimumWindowTwips / twipsPerPixel_),
                   static_cast<int>(MinimumWindowTwips / twipsPerPixel_));
    BuildMenus();
    BuildView();
    Connect();
}

frmMain::~frmMain() = default;

void frmMain::BuildMenus() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    mnuFileOpen = AddItem(file, "&Open Files...");
    mnuFileOpen->setShortcut(QKeySequence::Open);
    mnuFileRecompare = AddItem(file, "&Recompare Files");
    mnuFileRecompare->setShortcut(QKeySequence::Refresh);
    mnuFileRecompare->setEnabled(false);
    mnuFileExit = AddItem(file, "E&xit");
    mnuFileExit->setShortcut(QKeySequence::Quit);
    QAction* separator = file->addSeparator();
    for (int i = 0; i < static_cast<int>(MRUSize); ++i) {
        QAction* item = file->addAction(QStringLiteral("MRU"));
        item->setVisible(false);
        connect(item, &QAction::triggered, this, [this, i] { mnuFileMRU_Click(i); });
        mnuFileMRU.push_back(item);
    }
    // The separator stands above the recent files only while there are some.
    connect(file, &QMenu::aboutToShow, this,
            [this, separator] { separator->setVisible(MRUCount > 0); });

    QMenu* view = menuBar()->addMenu(QStringLiteral("&View"));
    mnuViewVertical = AddItem(view, "&Vertical", true);
    mnuViewHorizontal = AddItem(view, "&Horizontal", true);
    mnuViewCombined = AddItem(view, "&Combined", true);
    view->addSeparator();
    mnuViewSyncH = AddItem(view, "Sync H&orizontal Scroll", true);
    mnuViewSyncV = AddItem(view, "Sync V&ertical Scroll", true);
    mnuViewStatusBar = AddItem(view, "&Status Bar", true);
    mnuViewLegend = AddItem(view, "&Legend", true);
    mnuViewLegend->setChecked(true);

    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    mnuHelpHelp = AddItem(help, "&Help");
    mnuHelpHelp->setShortcut(QKeySequence::HelpContents);
    help->addSeparator();
    mnuHelpAbout = AddItem(help, "&About");
}

void frmMain::BuildView() {
    view_ = new QWidget(this);
    view_->setMouseTracking(true);
    setCentralWidget(view_);
    lblProc = new QLabel(QStringLiteral("Procs"), view_);
    lblProc->adjustSize();
    cboProcedures = new QComboBox(view_);
    cboProcedures->setMaxVisibleItems(30);
    procList_ = new ProcListModel(cboProcedures);
    cboProcedures->setModel(procList_);
    for (int p = 0; p < 2; ++p) {
        lblFileInformation[p] = new QLabel(view_);
        lblFileInformation[p]->setMouseTracking(true);
        lblFileInformation[p]->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        lblFileInformation[p]->setTextInteractionFlags(Qt::TextSelectableByMouse);
        fraDisplay[p] = new QWidget(view_);
        picDisplay[p] = new DisplayPane(fraDisplay[p]);
        vsbDisplay[p] = new QScrollBar(Qt::Vertical, fraDisplay[p]);
        hsbDisplay[p] = new QScrollBar(Qt::Horizontal, fraDisplay[p]);
        for (QScrollBar* bar : {vsbDisplay[p], hsbDisplay[p]}) {
            bar->setRange(1, 1);
            bar->setValue(1);
            bar->setSingleStep(1);
        }
    }
    picSplitter = new DragHandle(view_);
    picSplitter->setAutoFillBackground(true);
    picSplitter->setBackgroundRole(QPalette::Mid);
    lblStatus = new QLabel(QStringLiteral("Status"), view_);
    lblStatus->setFrameShape(QFrame::StyledPanel);
    lblStatus->setFrameShadow(QFrame::Sunken);
    lblStatus->setMouseTracking(true);
    picLegend = new LegendBox(view_);
    picLegend->setFixedWidth(static_cast<int>(6600 / twipsPerPixel_));
    picLegend->raise();
}

void frmMain::Connect() {
    connect(mnuFileOpen, &QAction::triggered, this, [this] { mnuFileOpen_Click(); });
    connect(mnuFileRecompare, &QAction::triggered, this, [this] { mnuFileRecompare_Click(); });
    connect(mnuFileExit, &QAction::triggered, this, [this] { mnuFileExit_Click(); });
    connect(mnuViewVertical, &QAction::triggered, this, [this] { mnuViewVertical_Click(); });
    connect(mnuViewHorizontal, &QAction::triggered, this, [this] { mnuViewHorizontal_Click(); });
    connect(mnuViewCombined, &QAction::triggered, this, [this] { mnuViewCombined_Click(); });
    connect(mnuViewSyncH, &QAction::triggered, this, [this] { mnuViewSyncH_Click(); });
    connect(mnuViewSyncV, &QAction::triggered, this, [this] { mnuViewSyncV_Click(); });
    connect(mnuViewStatusBar, &QAction::triggered, this, [this] { mnuViewStatusBar_Click(); });
    connect(mnuViewLegend, &QAction::triggered, this, [this] { mnuViewLegend_Click(); });
    connect(mnuHelpHelp, &QAction::triggered, this, [this] { mnuHelpHelp_Click(); });
    connect(mnuHelpAbout, &QAction::triggered, this, [this] { mnuHelpAbout_Click(); });
    connect(cboProcedures, &QComboBox::currentIndexChanged, this,
            [this] { cboProcedures_Click(); });
    for (int p = 0; p < 2; ++p) {
        connect(vsbDisplay[p], &QScrollBar::valueChanged, this,
                [this, p] { vsbDisplay_Change(p); });
        connect(hsbDisplay[p], &QScrollBar::valueChanged, this,
                [this, p] { hsbDisplay_Change(p); });
        connect(picDisplay[p], &DisplayPane::MouseMoved, this,
                [this] { lblStatus->setText(QString::fromStdString(StatusText)); });
        connect(picDisplay[p], &DisplayPane::Wheel, this, [this, p](int rows) {
            if (vsbDisplay[p]->isEnabled()) vsbDisplay[p]->setValue(vsbDisplay[p]->value() + rows);
        });
    }
    const double tpp = twipsPerPixel_;
    connect(picSplitter, &DragHandle::MouseDown, this, [this] { picSplitter_MouseDown(); });
    connect(picSplitter, &DragHandle::MouseMove, this,
            [this, tpp](QPoint at) { picSplitter_MouseMove(at.x() * tpp, at.y() * tpp); });
    connect(picSplitter, &DragHandle::MouseUp, this, [this] { picSplitter_MouseUp(); });
    DragHandle* title = picLegend->picLegendTitleBar;
    connect(title, &DragHandle::MouseDown, this,
            [this, tpp](QPoint at) { picLegendTitleBar_MouseDown(at.x() * tpp, at.y() * tpp); });
    connect(title, &DragHandle::MouseMove, this,
            [this, tpp](QPoint at) { picLegendTitleBar_MouseMove(at.x() * tpp, at.y() * tpp); });
    connect(title, &DragHandle::MouseUp, this,
            [this, tpp](QPoint at) { picLegendTitleBar_MouseUp(at.x() * tpp, at.y() * tpp); });
    connect(picLegend, &LegendBox::CloseClicked, this, [this] { imgCloseLegend_Click(); });
    for (QLabel* label : lblFileInformation) label->installEventFilter(this);
    view_->installEventFilter(this);
}

bool frmMain::eventFilter(QObject* watched, QEvent* event) {
    // Moving over the bare window or a file label brings back the comparison's status text.
    if (event->type() == QEvent::MouseMove) lblStatus->setText(QString::fromStdString(StatusText));
    return QMainWindow::eventFilter(watched, event);
}

void frmMain::Form_Load() {
    Run(TraceKind::Events, "Form_Load", [&] {
        const double tpp = twipsPerPixel_;
        RegisterIcons();
        setWindowIcon(QIcon(QStringLiteral(":/icons/dualis.png")));
        QApplication::setWindowIcon(windowIcon());
        const int extent = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
        HScrollBarHeight = extent * tpp;
        VScrollBarWidth = extent * tpp;
        SetMRUCaptions(MRUCaptions(ctx_.Values.MRU, StartMRUSeparator));
        SplitRatioV = SplitRatioH = 0.5;
        CurrentProc = 1;
        const std::string& mode = ctx_.Values.ViewMode;
        mnuViewVertical->setChecked(mode == "V");
        mnuViewHorizontal->setChecked(mode == "H");
        mnuViewCombined->setChecked(mode == "C");
        mnuViewStatusBar->setChecked(ctx_.Values.Viewstatusbar);
        lblStatus->setVisible(ctx_.Values.Viewstatusbar);
        mnuViewSyncH->setChecked(ctx_.Values.SyncHScroll);
        mnuViewSyncV->setChecked(ctx_.Values.SyncVScroll);
        hGuard_ = vGuard_ = true;
        ApplyPlacement();
        const QFontMetricsF metrics(font());
        OneLineHeight = metrics.height() * tpp;
        TwoLineHeight = (metrics.height() + metrics.lineSpacing()) * tpp;
        lblStatus->setFixedHeight(static_cast<int>(metrics.height()) + 6);
        for (QLabel* label : lblFileInformation) label->clear();
        lblStatus->clear();
        GetDefaultFont();
        SetCurrentFont();
        SetViewMode();
        loaded_ = true;
        Form_Resize();
        LastWidth = frameGeometry().width() * tpp;
        LastHeight = frameGeometry().height() * tpp;
        show();
        // The frame is known once the window is shown.
        if (PlacementAtLoad(ctx_.Values) == LoadPlacement::Restore) ResizeToStoredOuter();
        picLegend->setVisible(ctx_.Values.ViewLegend);
        mnuViewLegend->setChecked(ctx_.Values.ViewLegend);
        SetupLegend();
        legend_ = {view_->width() * tpp - picLegend->width() * tpp, viewArea_.View.Top};
        MoveLegend();
    });
}

void frmMain::ApplyPlacement() {
    const Settings& s = ctx_.Values;
    const double tpp = twipsPerPixel_;
    switch (PlacementAtLoad(s)) {
        case LoadPlacement::Centre: {
            resize(static_cast<int>(kDesignedWidth / tpp), static_cast<int>(kDesignedHeight / tpp));
            ctx_.Window.Center(this);
            break;
        }
        case LoadPlacement::Maximise:
            setWindowState(Qt::WindowMaximized);
            break;
        case LoadPlacement::Restore:
            move(static_cast<int>(s.MainWindowLeft / tpp), static_cast<int>(s.MainWindowTop / tpp));
            ResizeToStoredOuter();
            break;
    }
}

void frmMain::ResizeToStoredOuter() {
    // The settings hold the outer size; the window system sizes the inside of the frame.
    const QSize frame = frameGeometry().size() - size();
    resize(static_cast<int>(ctx_.Values.MainWindowWidth / twipsPerPixel_) - frame.width(),
           static_cast<int>(ctx_.Values.MainWindowHeight / twipsPerPixel_) - frame.height());
}

void frmMain::RecordPlacement() {
    Settings& s = ctx_.Values;
    const QRect outer = frameGeometry();
    s.MainWindowLeft = static_cast<float>(outer.left() * twipsPerPixel_);
    s.MainWindowTop = static_cast<float>(outer.top() * twipsPerPixel_);
    s.MainWindowHeight = static_cast<float>(outer.height() * twipsPerPixel_);
    s.MainWindowWidth = static_cast<float>(outer.width() * twipsPerPixel_);
}

void frmMain::closeEvent(QCloseEvent* event) {
    Run(TraceKind::Events, "Form_Unload", [&] {
        Settings& s = ctx_.Values;
        s.MainWindowState = isMinimized() ? 1 : isMaximized() ? 2 : 0;
        if (s.MainWindowState == 0) RecordPlacement();
        event->accept();
        if (ctx_.WrapUp) ctx_.WrapUp();
    });
}

void frmMain::mnuFileExit_Click() {
    Run(TraceKind::Events, "mnuFileExit_Click", [&] { close(); });
}

void frmMain::SetComparing(bool comparing) {
    comparing_ = comparing;
    mnuFileOpen->setEnabled(!comparing);
    for (QAction* item : mnuFileMRU) item->setEnabled(!comparing);
    if (comparing) {
        mnuFileRecompare->setEnabled(false);
    } else {
        EnableMenuItems();
    }
}

bool frmMain::CompareAFile() {
    if (comparing_) return false;
    SetComparing(true);
    bool compared = false;
    try {
        compared = dualis::CompareAFile(ctx_.State, ctx_.Values.Compare, host_);
    } catch (...) {
        SetComparing(false);
        throw;
    }
    SetComparing(false);
    return compared;
}

void frmMain::SelectAndCompareFiles() {
    ctx_.Trace.Run(TraceKind::App, "mCompare: SelectAndCompareFiles", [&] {
        if (comparing_ || !ctx_.ChooseFiles) return;
        const bool confirmed = ctx_.ChooseFiles(this);
        QCoreApplication::processEvents();
        if (confirmed) CompareAFile();
    });
}

void frmMain::RefreshAfterComparison(bool positionProcList) {
    UpdateMRUList();
    EnableMenuItems();
    LoadProcList();
    if (positionProcList) PositionProcList();
    ResetScrollBars();
    ShowFileInformation();
    SetScrollBars();
    ShowDisplayArrays();
}

void frmMain::mnuFileOpen_Click() {
    Run(TraceKind::Events, "mnuFileOpen_Click", [&] {
        CurrentProc = 1;
        SelectAndCompareFiles();
        if (ctx_.State.FilesCompared) RefreshAfterComparison(false);
    });
}

void frmMain::mnuFileRecompare_Click() {
    Run(TraceKind::Events, "mnuFileRecompare_Click", [&] {
        if (!ctx_.State.FilesCompared) return;
        CompareAFile();
        LoadProcList();
        ResetScrollBars();
        SetScrollBars();
        ShowDisplayArrays();
        ShowFileInformation();
    });
}

void frmMain::mnuFileMRU_Click(int index) {
    Run(TraceKind::Events, "mnuFileMRU_Click", [&] {
        if (index < 0 || index >= static_cast<int>(MRUSize)) return;
        const MRUEntry entry = ctx_.Values.MRU[static_cast<size_t>(index)];
        if (const auto message = MRUMissingFile(entry)) {
            host_.ShowMessage(*message);
            return;
        }
        SelectMRUEntry(entry, ctx_.State, ctx_.Values);
        CurrentProc = 1;
        CompareAFile();
        if (ctx_.State.FilesCompared) RefreshAfterComparison(false);
    });
}

void frmMain::cmdViewFiles_Click() {
    Run(TraceKind::Events, "cmdViewFiles_Click", [&] { RefreshAfterComparison(true); });
}

void frmMain::EnableMenuItems() {
    Run(TraceKind::App, "EnableMenuItems",
        [&] { mnuFileRecompare->setEnabled(ctx_.State.FilesCompared && !comparing_); });
}

void frmMain::SetMRUCaptions(const std::vector<std::string>& captions) {
    MRUCount = static_cast<int>(captions.size());
    for (size_t i = 0; i < mnuFileMRU.size(); ++i) {
        const bool used = i < captions.size();
        if (used) mnuFileMRU[i]->setText(QString::fromStdString(captions[i]));
        mnuFileMRU[i]->setVisible(used);
    }
}

void frmMain::UpdateMRUList() {
    Run(TraceKind::App, "UpdateMRUList", [&] {
        SetMRUCaptions(
            dualis::UpdateMRUList(ctx_.Values.MRU, ctx_.State.FileName[0], ctx_.State.FileName[1]));
    });
}

void frmMain::ShowFileInformation() {
    Run(TraceKind::App, "ShowFileInformation", [&] {
        const FileInformationTexts texts =
            dualis::ShowFileInformation(ctx_.State, ctx_.Values.ViewMode);
        for (int p = 0; p < 2; ++p) {
            QString label = QString::fromStdString(texts.Label[p]);
            label.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
            lblFileInformation[p]->setText(label);
        }
        lblStatus->clear();
        StatusText = texts.StatusText;
        lblStatus->setText(QString::fromStdString(StatusText));
        setWindowTitle(QString::fromStdString(texts.Caption));
    });
}

void frmMain::mnuHelpHelp_Click() {
    Run(TraceKind::Events, "mnuHelpHelp_Click", [&] {
        if (ctx_.ShowHelp) ctx_.ShowHelp(11, 0);
    });
}

void frmMain::mnuHelpAbout_Click() {
    Run(TraceKind::Events, "mnuHelpAbout_Click", [&] {
        if (ctx_.ShowAbout) ctx_.ShowAbout(this);
    });
}

}  // namespace dualis
