// The main window's life cycle, menus, recent files and the refresh after a comparison.
#include "frmMain.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLocale>
#include <QMenuBar>
#include <QScreen>
#include <QStyle>
#include <QTimer>
#include <QWindow>
#include <cmath>

#include "DirectionText.h"
#include "FileInformation.h"
#include "Pipeline.h"
#include "ProcList.h"
#include "ProjectWindow.h"
#include "RecentFiles.h"
#include "VirtualKeys.h"
#include "WindowFrame.h"

// The compiled-in icon lives in this static library; it has to be registered by hand.
static void RegisterIcons() {
    Q_INIT_RESOURCE(icons);
}

namespace dualis {

namespace {

QAction* AddItem(QMenu* menu, const char* caption, bool checkable = false) {
    QAction* a = menu->addAction(QString::fromLatin1(caption));
    a->setCheckable(checkable);
    return a;
}

}  // namespace

frmMain::frmMain(MainWindowContext context, QWidget* parent)
    : QMainWindow(parent), ctx_(std::move(context)), host_(ctx_.Trace, this) {
    setWindowTitle(QStringLiteral("Dualis"));
    BuildMenus();
    BuildView();
    BuildPaneMenu();
    BuildFindBar();
    RefreshMetrics();
    Connect();
    project_ = std::make_unique<ProjectWindow>(*this, ctx_.State, ctx_.Values, ctx_.Trace);
}

void frmMain::RefreshMetrics() {
    WindowMetrics& m = metrics_;
    if (QScreen* s = screen()) m.TwipsPerPixel = 1440.0 / s->logicalDotsPerInch();
    m.DevicePixelRatio = devicePixelRatioF();
    // A row is painted at the whole-pixel height of the font, so that is the height the scroll
    // ranges count with.
    const QFont& paneFont = picDisplay[0]->font();
    m.RowHeight = std::max(1, QFontMetrics(paneFont).height());
    m.CharWidth = QFontMetricsF(paneFont).horizontalAdvance(QLatin1Char('W'));
    const QFontMetrics own(font());
    m.TextHeight = own.height();
    m.TextLineSpacing = own.lineSpacing();
    m.ScrollBarExtent = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    const QMargins frame = frame_ ? frame_->Margins().value_or(QMargins()) : QMargins();
    m.FrameWidth = frame.left() + frame.right();
    m.FrameHeight = frame.top() + frame.bottom();
    const int minimum = static_cast<int>(std::ceil(MinimumWindowTwips / m.TwipsPerPixel));
    setMinimumSize(std::max(1, minimum - m.FrameWidth), std::max(1, minimum - m.FrameHeight));
    picLegend->setFixedWidth(m.Pixels(6600));
}

frmMain::~frmMain() {
    // The strip reads the toolbar tables, which go before the child widgets do.
    delete picToolBar;
}

void frmMain::BuildMenus() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    mnuFileOpen = AddItem(file, "&Open Files...");
    mnuFileOpen->setShortcut(QKeySequence::Open);
    mnuFileRecompare = AddItem(file, "&Recompare Files");
    mnuFileRecompare->setShortcut(QKeySequence::Refresh);
    mnuFileRecompare->setEnabled(false);
    mnuFileExit = AddItem(file, "E&xit");
    mnuFileExit->setShortcut(QKeySequence::Quit);
    file->addSeparator();
    for (int i = 0; i < static_cast<int>(MRUSize); ++i) {
        QAction* item = file->addAction(QStringLiteral("MRU"));
        item->setVisible(false);
        connect(item, &QAction::triggered, this, [this, i] { mnuFileMRU_Click(i); });
        mnuFileMRU.push_back(item);
    }

    QMenu* view = menuBar()->addMenu(QStringLiteral("&View"));
    mnuViewVertical = AddItem(view, "&Vertical", true);
    mnuViewHorizontal = AddItem(view, "&Horizontal", true);
    mnuViewCombined = AddItem(view, "&Combined", true);
    view->addSeparator();
    mnuViewSyncH = AddItem(view, "Sync H&orizontal Scroll", true);
    mnuViewSyncV = AddItem(view, "Sync V&ertical Scroll", true);
    mnuViewToolbar = AddItem(view, "&Toolbar", true);
    mnuViewToolTips = AddItem(view, "ToolT&ips", true);
    mnuViewStatusBar = AddItem(view, "&Status Bar", true);
    mnuViewLegend = AddItem(view, "&Legend", true);
    mnuViewLegend->setChecked(true);
    view->addSeparator();
    mnuViewOptions = AddItem(view, "&Options...");

    BuildFindMenu();
    BuildDebugMenu();
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
    procList_ = new ProcListModel(ctx_.Values, cboProcedures);
    cboProcedures->setModel(procList_);
    for (int p = 0; p < 2; ++p) {
        lblFileInformation[p] = new FileInfoLabel(view_);
        lblFileInformation[p]->setMouseTracking(true);
        fraDisplay[p] = new QWidget(view_);
        picDisplay[p] = new DisplayPane(fraDisplay[p]);
        vsbDisplay[p] = new QScrollBar(Qt::Vertical, fraDisplay[p]);
        hsbDisplay[p] = new QScrollBar(Qt::Horizontal, fraDisplay[p]);
        picMap[p] = new ProcMapStrip(fraDisplay[p]);
        for (QScrollBar* bar : {vsbDisplay[p], hsbDisplay[p]}) {
            // The pane a bar scrolls takes the focus, and shows it.
            bar->setFocusPolicy(Qt::NoFocus);
            bar->setRange(1, 1);
            bar->setValue(1);
            bar->setSingleStep(1);
        }
    }
    picSplitter = new DragHandle(view_);
    picSplitter->setAutoFillBackground(true);
    picSplitter->setBackgroundRole(QPalette::Mid);
    // Before the first comparison the panes are empty: a line says how to fill them. It stands
    // over the splitter between the empty panes, on a background of its own.
    lblOpenHint =
        new QLabel(QStringLiteral("To compare two files, choose File \u203A Open Files (%1).")
                       .arg(mnuFileOpen->shortcut().toString(QKeySequence::NativeText)),
                   view_);
    lblOpenHint->setAlignment(Qt::AlignCenter);
    lblOpenHint->setWordWrap(true);
    lblOpenHint->setForegroundRole(QPalette::PlaceholderText);
    lblOpenHint->setBackgroundRole(QPalette::Base);
    lblOpenHint->setAutoFillBackground(true);
    const int em = lblOpenHint->fontMetrics().height();
    lblOpenHint->setContentsMargins(em, em / 2, em, em / 2);
    lblOpenHint->setAttribute(Qt::WA_TransparentForMouseEvents);
    toolbarId_ = toolbars_.g_AddToolbar();
    picToolBar = new ToolbarStrip(
        toolbars_, toolbarId_, [this] { return ctx_.AppInfo.ToolTips; }, view_);
    lblStatus = new QLabel(QStringLiteral("Status"), view_);
    lblStatus->setFrameShape(QFrame::StyledPanel);
    lblStatus->setFrameShadow(QFrame::Sunken);
    lblStatus->setMouseTracking(true);
    picLegend = new LegendBox(view_);
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
    connect(mnuViewToolbar, &QAction::triggered, this, [this] { mnuViewToolbar_Click(); });
    connect(mnuViewToolTips, &QAction::triggered, this, [this] { mnuViewToolTips_Click(); });
    connect(mnuViewStatusBar, &QAction::triggered, this, [this] { mnuViewStatusBar_Click(); });
    connect(mnuViewLegend, &QAction::triggered, this, [this] { mnuViewLegend_Click(); });
    connect(mnuViewOptions, &QAction::triggered, this, [this] { mnuViewOptions_Click(); });
    connect(picLegend, &LegendBox::ColourLabelClicked, this, [this](const char* handler) {
        Run(TraceKind::Events, handler, [&] {
            OptionsTab = 2;
            mnuViewOptions_Click();
        });
    });
    connect(mnuHelpHelp, &QAction::triggered, this, [this] { mnuHelpHelp_Click(); });
    connect(mnuHelpAbout, &QAction::triggered, this, [this] { mnuHelpAbout_Click(); });
    // A pick that changes the entry raises both signals, the change first; picking the entry
    // already selected raises only the activation, and shows that procedure from its top again.
    connect(cboProcedures, &QComboBox::currentIndexChanged, this, [this] {
        cboProcedures_Click();
        procPickHandled_ = true;
        QTimer::singleShot(0, this, [this] { procPickHandled_ = false; });
    });
    connect(cboProcedures, &QComboBox::activated, this, [this] {
        if (!std::exchange(procPickHandled_, false)) cboProcedures_Click();
    });
    for (int p = 0; p < 2; ++p) {
        connect(vsbDisplay[p], &QScrollBar::valueChanged, this,
                [this, p] { vsbDisplay_Change(p); });
        connect(hsbDisplay[p], &QScrollBar::valueChanged, this,
                [this, p] { hsbDisplay_Change(p); });
        connect(picMap[p], &ProcMapStrip::MouseDown, this,
                [this, p](double y) { picMap_MouseDown(p, y); });
        connect(picMap[p], &ProcMapStrip::MouseMove, this,
                [this, p](double y) { picMap_MouseMove(p, y); });
        connect(picDisplay[p], &DisplayPane::MouseMoved, this, [this] {
            if (!statusNote_) ShowStatus();
        });
        connect(picDisplay[p], &DisplayPane::Wheel, this, [this, p](int rows, int columns) {
            Run(TraceKind::MouseEvents, "picDisplay_MouseWheel", [&] {
                if (rows != 0) ScrollPane(p, where_.ScrollRow(p) + rows);
                if (columns != 0) ScrollPaneColumns(p, where_.ScrollColumn(p) + columns);
            });
        });
    }
    // Mouse positions reach the layout in twips.
    auto twips = [this](QPoint at) {
        return std::pair(metrics_.Twips(at.x()), metrics_.Twips(at.y()));
    };
    connect(picSplitter, &DragHandle::MouseDown, this, [this] { picSplitter_MouseDown(); });
    connect(picSplitter, &DragHandle::MouseMove, this, [this, twips](QPoint at) {
        const auto [x, y] = twips(at);
        picSplitter_MouseMove(x, y);
    });
    connect(picSplitter, &DragHandle::MouseUp, this, [this] { picSplitter_MouseUp(); });
    DragHandle* title = picLegend->picLegendTitleBar;
    connect(title, &DragHandle::MouseDown, this, [this, twips](QPoint at) {
        const auto [x, y] = twips(at);
        picLegendTitleBar_MouseDown(x, y);
    });
    connect(title, &DragHandle::MouseMove, this, [this, twips](QPoint at) {
        const auto [x, y] = twips(at);
        picLegendTitleBar_MouseMove(x, y);
    });
    connect(title, &DragHandle::MouseUp, this, [this, twips](QPoint at) {
        const auto [x, y] = twips(at);
        picLegendTitleBar_MouseUp(x, y);
    });
    connect(picLegend, &LegendBox::CloseClicked, this, [this] { imgCloseLegend_Click(); });
    ConnectPaneSelection();
    for (QLabel* label : lblFileInformation) label->installEventFilter(this);
    view_->installEventFilter(this);
}

bool frmMain::eventFilter(QObject* watched, QEvent* event) {
    // The window sees keys before its controls, but not those of its dialogs and menus.
    if (event->type() == QEvent::KeyPress && watched->isWidgetType() &&
        static_cast<QWidget*>(watched)->window() == this && !QApplication::activeModalWidget()) {
        const auto* key = static_cast<QKeyEvent*>(event);
        TraceKey(static_cast<QWidget*>(watched), *key);
        // A note of the last command lasts until the next key.
        EndStatusNote();
        // The window's keys come first: "-" and "=" find differences even in the list.
        if (Form_KeyDown(key->key(), key->modifiers())) return true;
        if (TypeInProcList(*key)) return true;
    }
    // A click ends a note, in the window and in its menus alike.
    if (event->type() == QEvent::MouseButtonPress && watched->isWidgetType() &&
        static_cast<QWidget*>(watched)->window() == this) {
        EndStatusNote();
    }
    // Moving over the bare window or a file label brings back the comparison's status text, where
    // the toolbar's help replaced it.
    if (event->type() == QEvent::MouseMove && !statusNote_) ShowStatus();
    return QMainWindow::eventFilter(watched, event);
}

void frmMain::TraceKey(const QWidget* receiver, const QKeyEvent& key) {
    // A key no widget takes goes on to the parent of each in turn, and the widgets this window
    // also watches on their own show it here twice: the same key, not a new one.
    const bool watchedTwice =
        receiver == view_ || receiver == lblFileInformation[0] || receiver == lblFileInformation[1];
    const bool goesOn = &key == keyTraced_.first && keyTraced_.second &&
                        (receiver == keyTraced_.second->parentWidget() ||
                         (receiver == keyTraced_.second && watchedTwice));
    keyTraced_ = {&key, receiver};
    if (goesOn) return;
    const Qt::KeyboardModifiers modifiers = key.modifiers();
    const int code = VirtualKeyCode(key.key(), modifiers.testFlag(Qt::KeypadModifier));
    ctx_.Trace.LogData(TraceKind::Events, "Key/Shift=" + std::to_string(code) + "/" +
                                              std::to_string(ModifierBits(modifiers)));
}

bool frmMain::TypeInProcList(const QKeyEvent& key) {
    const QString text = key.text();
    if (!cboProcedures->hasFocus() || text.isEmpty() || !text.at(0).isPrint() ||
        (key.modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        return false;
    }
    // Letters typed in quick succession make one name; a pause starts a new one.
    const bool goesOn =
        typedAt_.isValid() && typedAt_.elapsed() < QApplication::keyboardInputInterval();
    typed_ = goesOn ? typed_ + text.toStdString() : text.toStdString();
    typedAt_.start();
    // A new name is looked for after the current entry, so typing one letter again moves on.
    const int current = cboProcedures->currentIndex();
    const int entry =
        EntryStartingWith(procList_->Entries(), typed_, goesOn ? current : current + 1);
    if (entry >= 0 && entry != current) cboProcedures->setCurrentIndex(entry);
    return true;
}

void frmMain::Form_Load() {
    Run(TraceKind::Events, "Form_Load", [&] {
        RegisterIcons();
        setWindowIcon(QIcon(QStringLiteral(":/icons/dualis.png")));
        QApplication::setWindowIcon(windowIcon());
        SetMRUCaptions(MRUCaptions(ctx_.Values.MRU, StartMRUSeparator));
        SplitRatioV = SplitRatioH = 0.5;
        const std::string& mode = ctx_.Values.ViewMode;
        mnuViewVertical->setChecked(mode == "V");
        mnuViewHorizontal->setChecked(mode == "H");
        mnuViewCombined->setChecked(mode == "C");
        mnuViewStatusBar->setChecked(ctx_.Values.Viewstatusbar);
        lblStatus->setVisible(ctx_.Values.Viewstatusbar);
        mnuViewSyncH->setChecked(ctx_.Values.SyncHScroll);
        mnuViewSyncV->setChecked(ctx_.Values.SyncVScroll);
        mnuViewToolTips->setChecked(ctx_.AppInfo.ToolTips);
        mnuViewToolbar->setChecked(ctx_.Values.ViewToolBar);
        picToolBar->setVisible(ctx_.Values.ViewToolBar);
        hGuard_ = vGuard_ = true;
        EnableDebugItems();
        ApplyPlacement();
        lblStatus->setFixedHeight(metrics_.TextHeight + 6);
        for (FileInfoLabel* label : lblFileInformation) label->SetFullText({});
        lblStatus->clear();
        GetDefaultFont();
        SetCurrentFont();
        SetViewMode();
        loaded_ = true;
        Form_Resize();
        LastWidth = metrics_.Twips(frameGeometry().width());
        LastHeight = metrics_.Twips(frameGeometry().height());
        show();
        // A window moved to another screen measures that screen's resolution and ratio.
        connect(windowHandle(), &QWindow::screenChanged, this, [this] {
            RefreshMetrics();
            Form_Resize();
        });
        WatchFrame();
        sbSetToolBar();
        sbButtonsDisableEnable();
        qApp->installEventFilter(this);
        picLegend->setVisible(ctx_.Values.ViewLegend);
        mnuViewLegend->setChecked(ctx_.Values.ViewLegend);
        SetupLegend();
        PlaceLegendBand();
    });
}

void frmMain::closeEvent(QCloseEvent* event) {
    Run(TraceKind::Events, "Form_Unload", [&] {
        Settings& s = ctx_.Values;
        project_->StopWork();
        s.MainWindowState = isMinimized() ? 1 : isMaximized() ? 2 : 0;
        if (s.MainWindowState == 0) RecordPlacement();
        event->accept();
        if (ctx_.WrapUp) ctx_.WrapUp();
    });
}

void frmMain::mnuFileExit_Click() {
    Run(TraceKind::Events, "mnuFileExit_Click", [&] { close(); });
}

void frmMain::EnableMenuItems() {
    Run(TraceKind::App, "EnableMenuItems", [&] {
        const bool compared = ctx_.State.FilesCompared;
        const bool modules = project_->Active();
        mnuFileRecompare->setEnabled((compared || modules) && !comparing_);
        for (QAction* item : mnuFindItems) item->setEnabled(compared);
        for (QAction* item : {mnuFindNextChangedProc, mnuFindPriorChangedProc})
            item->setEnabled(compared);
        mnuFindText->setEnabled(compared);
        for (QAction* item : {mnuFindNextChangedModule, mnuFindPriorChangedModule})
            item->setEnabled(modules);
    });
}

void frmMain::ShowFileInformation() {
    Run(TraceKind::App, "ShowFileInformation", [&] {
        FileInformationTexts texts = dualis::ShowFileInformation(
            ctx_.State, ctx_.Values.ViewMode, QLocale().groupSeparator().toStdString());
        project_->DescribeShownModule(texts);
        for (int p = 0; p < 2; ++p) {
            QString label = QString::fromStdString(texts.Label[p]);
            label.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
            lblFileInformation[p]->SetFullText(label);
        }
        lblStatus->clear();
        statusText_ = WithDirectionNote(
            texts.StatusText, ProcHoldsDirectionControls(ctx_.State, where_.CurrentProc()));
        ShowStatus();
        setWindowTitle(QString::fromStdString(texts.Caption));
        ShowOpenHint();
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
