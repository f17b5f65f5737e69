// The main window's Debug menu: the trace log and the debug switches; the diagnostic dump.
#include <QMenuBar>

#include "CommonDialog.h"
#include "Dump.h"
#include "FileIO.h"
#include "RunTimeError.h"
#include "WritableFolder.h"
#include "frmMain.h"

namespace dualis {

namespace {

struct DebugToggle {
    const char* Caption;
    const char* Handler;
};

// In the order of mnuDebugToggles; the separator stands after the second.
constexpr DebugToggle kDebugToggles[] = {
    {"&Disable Application's Error Traps", "mnuDebugDisableErrorTraps_Click"},
    {"&Disable Fix Data Errors", "mnuDebugDisableFixDataErrors_Click"},
    {"Trace Application", "mnuDebugTraceApp_Click"},
    {"Trace Events", "mnuDebugLogEvents_Click"},
    {"Trace MouseEvents", "mnuDebugMouseEvents_Click"},
    {"TraceClasses", "mnuDebugLogClasses_Click"},
    {"Trace Packages", "mnuDebugLogTracePackages_Click"},
};

std::string ProgramLogName() {
    return DefaultLogName({cAppInfo::ProductName(), "", cAppInfo::ExecutablePath()});
}

}  // namespace

std::array<bool*, 7> frmMain::DebugSwitches() {
    cDebug& d = ctx_.Debug;
    return {&d.DontTrapErrors, &d.DontFixDataErrors, &d.LogApp,     &d.LogEvents,
            &d.LogMouseEvents, &d.LogClasses,        &d.LogBasicLan};
}

void frmMain::BuildDebugMenu() {
    mnuDebug = menuBar()->addMenu(QStringLiteral("&Debug"));
    mnuDebugOpenNewLog = mnuDebug->addAction(QStringLiteral("New Log File"));
    mnuDebugOpenAppendLog = mnuDebug->addAction(QStringLiteral("Extend Log File"));
    mnuDebugLogClose = mnuDebug->addAction(QStringLiteral("Close Log File"));
    mnuDebugLogClose->setEnabled(false);
    mnuDebug->addSeparator();
    connect(mnuDebugOpenNewLog, &QAction::triggered, this, [this] { mnuDebugOpenNewLog_Click(); });
    connect(mnuDebugOpenAppendLog, &QAction::triggered, this,
            [this] { mnuDebugOpenAppendLog_Click(); });
    connect(mnuDebugLogClose, &QAction::triggered, this, [this] { mnuDebugLogClose_Click(); });
    for (size_t i = 0; i < mnuDebugToggles.size(); ++i) {
        if (i == 2) mnuDebug->addSeparator();
        QAction* item = mnuDebug->addAction(QString::fromLatin1(kDebugToggles[i].Caption));
        item->setCheckable(true);
        // The switch, not the check mark, is the truth: the menu ticks the mark before this.
        connect(item, &QAction::triggered, this, [this, i] {
            Run(TraceKind::Events, kDebugToggles[i].Handler, [&] {
                bool& on = *DebugSwitches()[i];
                on = !on;
                mnuDebugToggles[i]->setChecked(on);
            });
        });
        mnuDebugToggles[i] = item;
    }
    mnuDebug->menuAction()->setVisible(false);
}

void frmMain::EnableDebugItems() {
    Run(TraceKind::App, "EnableDebugItems", [&] {
        const cDebug& d = ctx_.Debug;
        const bool named = !ctx_.Trace.Log().LogFileName().empty();
        ctx_.AppInfo.DebugMenu = named || d.DontFixDataErrors || d.DontTrapErrors || d.LogApp ||
                                 d.LogBasicLan || d.LogClasses || d.LogMouseEvents;
        mnuDebug->menuAction()->setVisible(ctx_.AppInfo.DebugMenu);
        const std::array<bool*, 7> switches = DebugSwitches();
        for (size_t i = 0; i < switches.size(); ++i) mnuDebugToggles[i]->setChecked(*switches[i]);
        mnuDebugOpenNewLog->setEnabled(!named);
        mnuDebugOpenAppendLog->setEnabled(!named);
        mnuDebugLogClose->setEnabled(named);
    });
}

void frmMain::mnuDebugOpenNewLog_Click() {
    Run(TraceKind::Events, "mnuDebugOpenNewLog_Click", [&] {
        cLog& log = ctx_.Trace.Log();
        log.LogClose();
        clsCommonDialog dialog;
        dialog.Owner = this;
        dialog.Trace = &ctx_.Trace;
        dialog.Filter = "LOG Files|*.LOG|All Files (*.*)|*.*";
        dialog.FileName = ProgramLogName();
        dialog.InitDir = WritableFolder(ctx_.ProgramFolder).string();
        dialog.flags = 2624004;
        dialog.Runner = ctx_.ChooseLogFile;
        dialog.ShowOpen();
        if (!dialog.Cancelled() && !dialog.FileName.empty())
            OpenLogFile(dialog.FileName, LogModeNew);
        EnableDebugItems();
    });
}

void frmMain::mnuDebugOpenAppendLog_Click() {
    Run(TraceKind::Events, "mnuDebugOpenAppendLog_Click", [&] {
        cLog& log = ctx_.Trace.Log();
        log.LogClose();
        std::string problem;
        const std::filesystem::path folder = WritableFolder(ctx_.ProgramFolder, &problem);
        OpenLogFile((folder / ProgramLogName()).string(), LogModeAppend, problem);
        EnableDebugItems();
    });
}

void frmMain::DumpAll() {
    Run(TraceKind::App, "DumpAll", [&] {
        std::string problem;
        const std::string file =
            (WritableFolder(ctx_.ProgramFolder, &problem) / "DUMP.TXT").string();
        if (problem.empty()) {
            problem = GuardedFileReason(file, GuardedFiles(ctx_.State.FileName, ctx_.SettingsFile));
        }
        // The dump shows both views' rows; out of memory for them, the engine has said so.
        for (const DisplayView view : {DisplayView::Separate, DisplayView::Combined}) {
            if (problem.empty() && !BuildViewRows(ctx_.State, view, host_)) return;
        }
        if (problem.empty()) {
            const DumpProgramFacts program{ctx_.AppInfo.AppDateTime(), ctx_.AppInfo.AppVersion()};
            host_.BeginBusy();
            try {
                for (std::string_view section : DumpSections) {
                    DumpArrays(ctx_.State, ctx_.Values.Compare, section, file, program, host_);
                }
            } catch (const OutputFileError& e) {
                // A full disk or a refused file is no fault of the program: it says so and
                // goes on.
                problem = e.Reason;
            }
            host_.EndBusy();
        }
        host_.ShowMessage(problem.empty() ? "Dumped to " + file
                                          : "Unable to write the dump\n" + file + "\n" + problem);
    });
}

void frmMain::OpenLogFile(const std::string& fileName, int16_t mode,
                          const std::string& folderProblem) {
    cLog& log = ctx_.Trace.Log();
    log.ProtectFiles(GuardedFiles(ctx_.State.FileName, ctx_.SettingsFile));
    std::string problem = folderProblem;
    if (problem.empty()) {
        try {
            log.LogOpen(fileName, mode);
        } catch (const OutputFileError& e) {
            problem = e.Reason;
        }
    }
    if (problem.empty()) return;
    // Without a name the menu offers a new log again, and the settings keep no log.
    log.LogFileName("");
    host_.ShowMessage("Unable to open the trace log\n" + fileName + "\n" + problem +
                      "\nThe program goes on without a log.");
}

void frmMain::mnuDebugLogClose_Click() {
    Run(TraceKind::Events, "mnuDebugLogClose_Click", [&] {
        // The name goes with the log, or New Log File and Extend Log File would stay disabled
        // with no log open; the next run then starts without one too.
        cLog& log = ctx_.Trace.Log();
        log.LogClose();
        log.LogFileName("");
        EnableDebugItems();
    });
}

void frmMain::ShowHideDebugMenu() {
    QAction* menu = mnuDebug->menuAction();
    if (!menu->isVisible()) {
        ctx_.AppInfo.DebugMenu = true;
        menu->setVisible(true);
        return;
    }
    // Hidden, the menu leaves nothing switched on behind it.
    for (QAction* item : mnuDebugToggles) {
        if (item->isChecked()) item->trigger();
    }
    cLog& log = ctx_.Trace.Log();
    log.LogClose();
    log.LogFileName("");
    ctx_.AppInfo.DebugMenu = false;
    menu->setVisible(false);
    EnableDebugItems();
}

}  // namespace dualis
