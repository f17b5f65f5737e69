// The main window: the menus, the procedure list, the file information and status lines, the
// one or two display panes with their scroll bars, the splitter and the floating legend. It
// reads the comparison state and never changes it; its rules live in the Qt-free files beside.
#pragma once

#include <QAction>
#include <QComboBox>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QScrollBar>
#include <array>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "AppInfo.h"
#include "CommonDialog.h"
#include "ComparisonState.h"
#include "ComparisonView.h"
#include "DisplayPane.h"
#include "FileInfoLabel.h"
#include "FindBar.h"
#include "Keys.h"
#include "Layout.h"
#include "Legend.h"
#include "LegendBox.h"
#include "ProcListModel.h"
#include "ProcMap.h"
#include "Pipeline.h"
#include "ProcMapStrip.h"
#include "Settings.h"
#include "Splitter.h"
#include "ToolbarStrip.h"
#include "Tracing.h"
#include "Window.h"
#include "WindowHost.h"
#include "WindowMetrics.h"
#include "frmOptions.h"

namespace dualis {

class WindowFrame;
class ProjectWindow;

// What the window works with; all of it outlives the window.
struct MainWindowContext {
    ComparisonState& State;
    Settings& Values;
    cAppInfo& AppInfo;
    cWindow& Window;
    Tracing& Trace;
    cDebug& Debug;  // the switches the Debug menu changes
    // Shows the file selection dialog; true when it was confirmed with OK.
    std::function<bool(QWidget* owner)> ChooseFiles = {};
    // Writes every setting and ends the program; the window has recorded its placement.
    std::function<void()> WrapUp = {};
    // Opens the help on a command and context (11: contents).
    std::function<void(int helpCommand, int contextId)> ShowHelp = {};
    // Shows the about box, owned by the window.
    std::function<void(QWidget* owner)> ShowAbout = {};
    // Ends the program at once, without saving the settings.
    std::function<void()> EndAtOnce = {};
    // The program's folder (the executable's). The dump and the default trace log go to its
    // WritableFolder: this folder, or the per-user data folder where it cannot be written.
    std::filesystem::path ProgramFolder = {};
    // The settings file, which the trace log and the dump must never be; empty: none known.
    std::string SettingsFile = {};
    // The file dialog of New Log File; empty: the system's.
    FileDialogRunner ChooseLogFile = {};
    // Writes every setting to the settings file; the message to show when that failed.
    std::function<std::optional<std::string>()> SaveSettings = {};
    // The options dialog's colour and font dialogs; empty: the system's.
    ColorDialogRunner ChooseColor = {};
    FontDialogRunner ChooseFont = {};
};

class frmMain : public QMainWindow {
    Q_OBJECT
  public:
    explicit frmMain(MainWindowContext context, QWidget* parent = nullptr);
    ~frmMain() override;

    // The steps of loading the window, before it is first shown.
    void Form_Load();

    // Compares the current FileName pair, with the commands that start a comparison disabled
    // while the engine yields to pending events. True when a new comparison is in place; when
    // none is, the file names go back to those of the comparison on screen.
    bool CompareAFile();
    // Puts in place the comparison `compare` makes in the comparison state (of a file pair or a
    // module of a project), with the commands that start a comparison disabled meanwhile; true
    // when it did. A comparison that does not complete leaves the one on screen as it was.
    bool PutComparison(const std::function<bool()>& compare);
    // The refresh after PutComparison: from the first procedure, as a file pair starts, or
    // where `view` stood when the user last left this comparison.
    void ShowComparison(const ComparisonView* view);
    // The file selection dialog and, when confirmed, the comparison. True when a new
    // comparison is in place.
    bool SelectAndCompareFiles();

    // The menu commands.
    void mnuFileOpen_Click();
    void mnuFileRecompare_Click();
    void mnuFileExit_Click();
    void mnuFileMRU_Click(int index);
    void cmdViewFiles_Click();
    void mnuViewVertical_Click();
    void mnuViewHorizontal_Click();
    void mnuViewCombined_Click();
    void mnuViewSyncH_Click();
    void mnuViewSyncV_Click();
    void mnuViewToolbar_Click();
    void mnuViewToolTips_Click();
    void mnuViewStatusBar_Click();
    void mnuViewLegend_Click();
    void mnuViewOptions_Click();
    // The options dialog and, when options changed and files are compared, the offer to
    // compare again.
    void SetOptions();
    void mnuHelpHelp_Click();
    void mnuHelpAbout_Click();

    // Navigation: the block search behind the Find menu, toolbar and keys, and the keys.
    // True when it found a row.
    bool Find(int16_t findType, int16_t findWhat);
    // The block search as the user's command runs it: when nothing is found the status line
    // says so and names the key that goes on to the next changed procedure.
    void FindCommand(int16_t findType, int16_t findWhat);
    // Next (`direction` 1) or Prior (-1) Changed Procedure: the next entry of the list whose
    // procedure differs, shown with its first difference highlighted; the status line says so
    // when there is none.
    void GoToChangedProc(int direction);
    // The changed procedure after (before) entry `from` of the list, shown from its first
    // difference; false when there is none.
    bool ShowChangedProc(int from, int direction);
    void mnuFindNextChangedProc_Click();
    void mnuFindPriorChangedProc_Click();
    // Carries out a key of the window; false when the key is not the window's.
    bool Form_KeyDown(int keyCode, Qt::KeyboardModifiers modifiers);
    // The find bar: opening it, closing it, and the search for its text (1 on, -1 back).
    void mnuFindText_Click();
    void CloseFindBar();
    void SearchText(int direction);
    // Scrolls sideways when the text found in `columns` of a row of `pane` stands outside it.
    void ShowFoundColumns(const FoundColumns& columns, int pane);
    // Shows the text of `query` that the find bar found at `found`, searching in `direction`.
    void ShowFoundText(const SearchPlace& found, const TextQuery& query, int direction);
    // A note in the status line until the user's next key or click, or the toolbar's help.
    void ShowStatusNote(const std::string& note);

    // Selecting rows of a pane and copying them: the mouse in a pane (`y` pixels from its top),
    // the pane's context menu (`y` -1 when asked for by the keyboard) and its commands.
    void picDisplay_MouseDown(int pane, int y, bool extend);
    void picDisplay_MouseDrag(int pane, int y);
    void ShowPaneMenu(int pane, QPoint globalPos, int y);
    void CopySelection(CopyForm form);
    void SelectEveryRow(int pane);
    // In the extend mode, Down (`step` 1) or Up (-1): the selection one row further, kept on
    // screen.
    void ExtendSelection(int pane, int step);
    // F8: a selection of the pane's top row, which Up and Down then extend, the status line
    // naming the mode; F8 again or Esc ends the mode and leaves the selection.
    void StartExtendMode(int pane);
    void EndExtendMode();
    // Ends the selection, as a new procedure, view, comparison or options do.
    void ClearSelection();

    // The Debug menu.
    void EnableDebugItems();
    void mnuDebugOpenNewLog_Click();
    void mnuDebugOpenAppendLog_Click();
    void mnuDebugLogClose_Click();
    // Writes every section of the diagnostic dump to DUMP.TXT in the program's writable folder
    // and says where; a dump that cannot be written is named in a message, and the program
    // goes on.
    void DumpAll();

    // Drawing, scrolling and the procedure list.
    void ShowDisplayArrays();
    void ShowBothDisplayArrays();
    void ShowCombinedDisplayArray();
    void GetDefaultFont();
    void SetCurrentFont();
    void ResetScrollBars();
    void SetScrollBars();
    void vsbDisplay_Change(int index);
    void hsbDisplay_Change(int index);
    void LoadProcList();
    void cboProcedures_Click();
    // Draws the procedure that the view was just given from its first row and column.
    void ChangeProc();
    void PositionProcList();
    // The procedure maps: built when what they show changed, their frames every time.
    void ShowProcMaps();
    void picMap_MouseDown(int index, double y);
    void picMap_MouseMove(int index, double y);

    // Layout.
    void SetViewMode();
    void PositionViewArea();
    void PositionDisplayAreas();
    void SetupLegend();
    void Form_Resize();
    void picSplitter_MouseDown();
    void picSplitter_MouseMove(double x, double y);
    void picSplitter_MouseUp();
    void picLegendTitleBar_MouseDown(double x, double y);
    void picLegendTitleBar_MouseMove(double x, double y);
    void picLegendTitleBar_MouseUp(double x, double y);
    void imgCloseLegend_Click();

    // The toolbar: its buttons, and the Find buttons following the comparison.
    void sbSetToolBar();
    void sbButtonsDisableEnable();
    void picToolBar_MouseDown(int position);
    // The strip across the top of the inner area.
    void PositionToolbar();

    // The rest of the refresh after a comparison.
    void EnableMenuItems();
    void UpdateMRUList();
    void ShowFileInformation();
    // The line on how to open two files, in the middle of the view area while none are compared.
    void ShowOpenHint();

    // The window's measures; twips per pixel of the screen it is on (15 at 96 dots per inch).
    const WindowMetrics& Metrics() const { return metrics_; }
    double TwipsPerPixel() const { return metrics_.TwipsPerPixel; }
    WindowHost& Host() { return host_; }
    const XToolbar& Toolbars() const { return toolbars_; }
    // Where the user is in the comparison on screen; only the window's commands change it.
    const ComparisonView& View() const { return where_; }
    // The comparison of two projects or folders, module by module; inactive for a file pair.
    ProjectWindow& Project() { return *project_; }

    // The window's parts, named as the rest of the program and the tests know them.
    QAction* mnuFileOpen;
    QAction* mnuFileRecompare;
    QAction* mnuFileExit;
    std::vector<QAction*> mnuFileMRU;
    QAction* mnuViewVertical;
    QAction* mnuViewHorizontal;
    QAction* mnuViewCombined;
    QAction* mnuViewSyncH;
    QAction* mnuViewSyncV;
    QAction* mnuViewToolbar;
    QAction* mnuViewToolTips;
    QAction* mnuViewStatusBar;
    QAction* mnuViewLegend;
    QAction* mnuViewOptions;
    QAction* mnuHelpHelp;
    QAction* mnuHelpAbout;
    QMenu* mnuFind;
    // First, Next, Prior and Last Mismatch, then First, Next, Prior and Last Match.
    std::array<QAction*, 8> mnuFindItems{};
    QAction* mnuFindNextChangedProc;
    QAction* mnuFindPriorChangedProc;
    QAction* mnuFindNextChangedModule;
    QAction* mnuFindPriorChangedModule;
    QAction* mnuFindText;
    QMenu* mnuDebug;
    QAction* mnuDebugOpenNewLog;
    QAction* mnuDebugOpenAppendLog;
    QAction* mnuDebugLogClose;
    // The switch toggles, in menu order: error traps, fix data errors, application, events,
    // mouse events, classes, packages.
    std::array<QAction*, 7> mnuDebugToggles{};
    QLabel* lblProc;
    QComboBox* cboProcedures;
    std::array<FileInfoLabel*, 2> lblFileInformation;
    std::array<QWidget*, 2> fraDisplay;
    std::array<DisplayPane*, 2> picDisplay;
    std::array<QScrollBar*, 2> vsbDisplay;
    std::array<QScrollBar*, 2> hsbDisplay;
    std::array<ProcMapStrip*, 2> picMap;
    DragHandle* picSplitter;
    QLabel* lblStatus;
    QLabel* lblOpenHint;  // how to open two files, while none are compared
    LegendBox* picLegend;
    FindBar* fraFind;  // hidden until the find bar is opened
    ToolbarStrip* picToolBar = nullptr;

    double SplitRatioV = 0.5;
    double SplitRatioH = 0.5;
    int MRUCount = 0;
    // The options dialog's outcome and the page it opens on.
    bool OptionsChanged = false;
    bool NotRecompared = false;
    int16_t OptionsTab = 1;
    std::unique_ptr<frmOptions> Options;  // loaded at the first Options command
    bool DebugKeysArmed = false;
    // The panes' context menu.
    QMenu* mnuPane;
    QAction* mnuPaneCopy;
    QAction* mnuPaneCopyAsShown;
    QAction* mnuPaneSelectAll;

  protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // A comparison builds the display rows of the view on screen only; another view's are
    // built when it is first shown, and both before a dump.
    DisplayView ShownView() const;
    void BuildShownRows();
    void BuildMenus();
    void BuildFindMenu();
    void BuildDebugMenu();
    void BuildPaneMenu();
    void ConnectPaneSelection();
    // Paints the selection over the panes' pictures, for the rows they draw now, and marks the
    // text the find bar found where its row is drawn.
    void ShowSelection();
    // The status line back to what it shows between commands: the comparison's counts, or the
    // extend mode while it lasts.
    void ShowStatus();
    void EndStatusNote();
    // The switch of cDebug behind each Debug menu toggle, in the order of mnuDebugToggles.
    std::array<bool*, 7> DebugSwitches();
    void ShowHideDebugMenu();
    // Opens the trace log on a file the user chose. A file the log cannot be (one being
    // compared, the settings file, one that cannot be opened, one in a folder that could not be
    // made: `folderProblem`) is named in a message, and the program goes on without a log.
    void OpenLogFile(const std::string& fileName, int16_t mode,
                     const std::string& folderProblem = "");
    // Carries out one of the window's key commands for the focused pane (0 when none).
    void RunKeyCommand(KeyCommand command, int pane);
    // Moves the procedure list to entry `index` when it has one; true when it moved.
    bool SelectProcEntry(int index);
    void BuildView();
    void Connect();
    void RefreshAfterComparison(bool positionProcList);
    // Runs `compare` for a new pair shown from its first procedure; when it puts no comparison in
    // place, the procedure on screen stays.
    void CompareFromFirstProc(const std::function<bool()>& compare);
    void SetMRUCaptions(const std::vector<std::string>& captions);
    // Measures the screen, the fonts and the frame again.
    void RefreshMetrics();
    void ApplyPlacement();
    // Gives the window the outer rectangle `outer`; until the window manager has framed the
    // window its frame is unknown, so the rectangle is applied again once it is.
    void SetOuterGeometry(const PixelRect& outer);
    // Once the window is shown: follows its frame, and applies the outer rectangle when the
    // frame is known.
    void WatchFrame();
    void ApplyPendingPlacement();
    // The window's outer position and size into the placement settings.
    void RecordPlacement();
    void MoveLegend();
    // The legend stands in its first place until the user moves it: shown there, it keeps a
    // band at the bottom of the window free of the panes.
    bool LegendInBand() const { return ctx_.Values.ViewLegend && legendAtFirstPlace_; }
    // The legend in its first place and the panes above it, after the legend was shown,
    // hidden, changed its height or left that place.
    void PlaceLegendBand();
    // Moves the legend to its first place, above the status line when that is shown.
    void MoveLegendToFirstPlace();
    // The status line across the bottom of the inner area.
    void PositionStatusLine();
    void LogMousePosition(double x, double y);
    // The three view commands: the mode, then the layout and the drawing in their order.
    void SwitchView(const char* procName, char mode);
    void SetComparing(bool comparing);
    // Puts the view's scroll positions on the bars, without their change events.
    void ShowScrollPositions();
    // Moves pane p's rows (columns) to `value`, the other pane with it when scrolling is
    // synchronised, and draws; false when nothing moved and so nothing was drawn.
    bool ScrollPane(int p, int32_t value);
    bool ScrollPaneColumns(int p, int32_t value);
    // After the user moved bar `index` of a pair: the bars as the view now stands, the drawing,
    // and the focus to the pane the bar scrolls.
    void BarMoved(int index);
    // The find bar, the view area, the panes, the scroll ranges and the drawing, after the
    // window's size or a part of it changed.
    void RelayoutPanes();
    // After a part of the window was shown or hidden: the panes as above, and the legend.
    void RelayoutView();
    // Both panes back to their first column, as every view starts.
    void StartAtFirstColumn();
    bool ProcListHasFocus() const;
    // The rows of the procedure shown, in the view shown.
    int32_t CurrentRowCount() const {
        return ViewRowCount(ctx_.State, where_.CurrentProc(), ctx_.Values.ViewMode);
    }
    // Typing in the closed procedure list goes to the procedure whose name starts with the
    // letters typed; true when the key was taken so.
    bool TypeInProcList(const QKeyEvent& key);
    // Writes "Key/Shift=", the key's code and the modifier bits to the trace, once for each key
    // the window sees, whichever widget it reaches.
    void TraceKey(const QWidget* receiver, const QKeyEvent& key);
    // Draws one pane's rows and moves the pane to its horizontal scroll position.
    void DrawPane(int p, const PanePicture& picture);
    // Scrolls pane `p` so that the row under `y` of its map stands in the middle of the page.
    void ScrollFromMap(int p, double y);
    void Place(QWidget* w, const Rect& r) const;
    LayoutInput MakeLayoutInput() const;
    // The toolbar's height in twips, 0 while it is hidden.
    double ToolbarHeight() const;
    void BuildFindBar();
    void PositionFindBar();
    ScrollInput MakeScrollInput() const;
    // Runs a procedure of the window through the trace and the error trap.
    template <class Body>
    void Run(TraceKind kind, const char* procName, Body&& body);

    MainWindowContext ctx_;
    WindowHost host_;
    ComparisonView where_;    // where the user is in the comparison on screen
    std::string statusText_;  // the comparison's, which the status line returns to
    QWidget* view_;           // the inner area, in which every part is placed in twips
    ProcListModel* procList_;
    XToolbar toolbars_;  // outlives picToolBar, which reads it
    int32_t toolbarId_ = 0;
    WindowMetrics metrics_;
    WindowFrame* frame_ = nullptr;  // the window manager's frame, followed once shown
    // The outer rectangle still to be applied once the frame is known.
    std::optional<PixelRect> pendingOuter_;
    // The size the window had before it was resized to allow for its frame.
    std::optional<QSize> sizeBeforeFrame_;
    bool maximiseWhenFramed_ = false;
    // The names of the comparison on screen, which a comparison that fails leaves in place.
    std::array<std::string, 2> shownFileName_, shownBaseName_, shownExtension_;
    // The key last traced and the widget it last reached.
    std::pair<const QKeyEvent*, const QWidget*> keyTraced_{nullptr, nullptr};
    std::string typed_;  // the letters typed in the procedure list, and when the last came
    QElapsedTimer typedAt_;
    // Which deleted and added rows face each other in the combined view of one procedure of one
    // comparison; built when that procedure is first drawn there.
    std::vector<int32_t> combinedPairs_;
    std::pair<int64_t, int16_t> combinedPairsOf_{-1, 0};
    // Set while a pick in the procedure list has been handled and its activation is to come.
    bool procPickHandled_ = false;
    int menuPane_ = 0;  // the pane whose context menu is open
    double LastWidth = 0;
    double LastHeight = 0;
    ViewArea viewArea_;
    bool SplitterDragging = false;
    bool LegendDragging = false;
    LegendPlace legend_;
    bool legendAtFirstPlace_ = true;  // until the user drags the legend
    bool hGuard_ = true;
    bool vGuard_ = true;
    bool comparing_ = false;
    // While the status line shows a note: the toolbar button the pointer was over then (NoButton
    // for none), whose help does not replace the note.
    std::optional<int32_t> statusNote_;
    int64_t comparisons_ = 0;  // comparisons put in place, which tells one map from another
    std::array<int32_t, 2> lineColumns_{};    // the widest line of each file compared, in columns
    std::array<ProcMapSource, 2> mapSource_;  // what each pane's map was built from
    bool loaded_ = false;
    std::unique_ptr<ProjectWindow> project_;
    int findBarReturnPane_ = 0;  // the pane that gets the focus back when the bar closes
};

}  // namespace dualis

namespace dualis {

template <class Body>
void frmMain::Run(TraceKind kind, const char* procName, Body&& body) {
    ctx_.Trace.Run(kind, std::string("frmMain: ") + procName, body);
}

}  // namespace dualis
