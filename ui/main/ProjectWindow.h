// The main window's comparison of two projects, groups or folders: the module list docked on its
// left, the background comparison with its progress and Cancel in the status line, the module
// on screen and where the user stood in each module, the settings table, and the commands that
// move between modules. A module is shown as a file pair is: its comparison is put in the one
// comparison state and the window refreshes from it.
#pragma once

#include <QObject>
#include <QString>
#include <array>
#include <cstddef>
#include <future>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ComparisonState.h"
#include "ComparisonView.h"
#include "FileInformation.h"
#include "Host.h"
#include "ProjectResults.h"
#include "Settings.h"
#include "TextMatch.h"
#include "Tracing.h"

class QCheckBox;
class QDockWidget;
class QModelIndex;
class QProgressBar;
class QSortFilterProxyModel;
class QTableWidget;
class QToolButton;
class QTreeView;

namespace dualis {

class frmMain;
class ModuleListModel;
class ProjectWork;

class ProjectWindow : public QObject {
    Q_OBJECT
  public:
    ProjectWindow(frmMain& main, ComparisonState& state, Settings& settings, Tracing& trace);
    ~ProjectWindow() override;

    // True while two projects or folders are compared, from their opening until a file pair
    // replaces them.
    bool Active() const { return results_.has_value(); }
    const std::array<std::string, 2>& Names() const { return results_->Names; }
    const ProjectResults& Results() const { return *results_; }
    // The module pair on screen; none before the first is shown.
    std::optional<size_t> Shown() const { return shown_; }
    // What the recent files remember of the module on screen (before one is shown, of the one
    // to show first); empty when there is none.
    std::string ShownModuleKey() const;
    // Whether the background comparison is still going.
    bool Working() const { return work_ != nullptr; }

    // Opens and pairs the two named sources and starts comparing their modules in the
    // background; the module that `moduleKey` names (ModuleKey), else the first changed module
    // in the list's order, is shown once compared. False, after a message, when they cannot be
    // compared: what was on screen stays.
    bool Open(const std::array<std::string, 2>& names, const std::string& moduleKey);
    // The two sources of `names`, opened since the program started (OpenBoth); the next Open
    // of the same names takes them instead of opening them again.
    void OpenedEarly(const std::array<std::string, 2>& names,
                     std::future<std::array<project::Source, 2>> sources);
    // The same two sources compared afresh, the module on screen shown first again.
    void Recompare();
    // A file pair replaced the projects: the list goes, the background comparison stops.
    void Close();
    // Stops the background comparison and waits for it, as the window closes.
    void StopWork();
    // Stops it as the Cancel button does: the modules not compared yet stay pending.
    void Cancel();

    // Shows pair `pair`: where the user left it, or from its first procedure. False when it
    // cannot be compared (a message says why).
    bool ShowModule(size_t pair);
    // Next (`direction` 1) or Prior (-1) Changed Module: where the user left it, or from its first
    // (last) changed procedure; the status line says so when there is none.
    void GoToChangedModule(int direction);
    // F7 past the last changed procedure: the next changed module from its first changed
    // procedure (Shift+F7: the prior one from its last). False when there is none.
    bool StepIntoModule(int direction);
    // The find bar's search through the other modules, in the list's order from the one on
    // screen and round; the module holding the text is shown with the text. False when no
    // other module holds it.
    bool FindInOtherModules(const TextQuery& query, int direction);
    // The project files' settings that differ, in a table over the panes.
    void ShowSettingsTable();

    // The caption, labels and status line name the module and the two sources.
    void DescribeShownModule(FileInformationTexts& texts) const;
    void ColoursChanged();

    // The parts, for the tests.
    QDockWidget* dockModules;
    QTreeView* tvwModules;
    QCheckBox* chkDifferencesOnly;
    QTableWidget* tblSettings;
    QProgressBar* prgCompare;
    QToolButton* cmdCancel;
    ModuleListModel* Model() const { return model_; }
    QSortFilterProxyModel* Filter() const { return filter_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void BuildList();
    void BuildProgress();
    void StartWork(std::optional<size_t> first);
    // The options of the settings that a comparison of projects takes, as the command line's.
    project::ProjectOptions Options() const;
    void TakeResults();
    void WorkFinished(bool cancelled);
    // A result arrived: its entry fills in, and the first module to show is shown.
    void Arrived(project::ModuleResult result);
    // Puts the pair's comparison in place (`state`, or a comparison of its files made now) and
    // shows it where `view` stood, or from its start.
    bool PutModule(size_t pair, std::unique_ptr<ComparisonState> state, const ComparisonView* view);
    // The pair's files read (empty for a side without the module); false after telling `host`
    // why when they cannot be.
    bool ReadModule(size_t pair, std::array<std::string, 2>& bytes, IHost& host) const;
    // The pair's files compared into `state` (read first when `bytes` is null); false after
    // telling `host` why when they cannot be read or compared.
    bool CompareModule(size_t pair, ComparisonState& state, IHost& host,
                       std::array<std::string, 2>* bytes = nullptr) const;
    // Runs an event of the project's parts through the trace and the error trap.
    template <class Body>
    void Run(TraceKind kind, const char* procName, Body&& body) {
        trace_.Run(kind, std::string("ProjectWindow: ") + procName, body);
    }
    void SelectInList(size_t pair);
    // The branches (projects, kinds, folders) open, the modules closed over their companions.
    void ExpandBranch(const QModelIndex& index);
    void ExpandBranches(const QModelIndex& parent);
    void ListCurrentChanged(const QModelIndex& current);
    void SetDifferencesOnly(bool on);
    void PlaceSettingsTable();
    void HideSettingsTable();
    void ShowProgress(bool working);
    void SetDockWidth();
    // The line in the middle of the view while no comparison is on screen.
    void SetHint(const QString& text);
    // The menus and toolbar buttons that follow whether projects are compared.
    void EnableCommands();

    frmMain& main_;
    ComparisonState& state_;
    Settings& settings_;
    Tracing& trace_;
    ModuleListModel* model_;
    QSortFilterProxyModel* filter_;
    std::optional<ProjectResults> results_;
    std::array<std::string, 2> earlyNames_;
    std::future<std::array<project::Source, 2>> early_;  // OpenedEarly's, until an Open
    std::unique_ptr<ProjectWork> work_;
    int generation_ = 0;  // tells the signals of an earlier comparison from the current one's
    size_t arrivedCount_ = 0;
    std::optional<size_t> shown_;
    // Until a module is shown: the pair to show when its result arrives (the one remembered),
    // else the first changed one.
    std::optional<size_t> first_;
    bool firstDone_ = false;  // the first module was shown, or the user chose one
    std::vector<std::optional<ComparisonView>> views_;  // by pair: where the user left it
    bool listing_ = false;   // the list's current entry is being set by the window itself
    bool dockUsed_ = false;  // the dock was shown: the inner area's size follows it
    QString openHint_;       // the window's own line on how to open two files
};

}  // namespace dualis
