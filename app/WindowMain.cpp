// Start-up of the window program: the services, the main window, the files of the command line
// or the file selection dialog, then the event loop until the window closes. Built into the
// window module, whose entry point this file holds.
#include "WindowMain.h"

#include <QApplication>
#include <QDesktopServices>
#include <QUrl>
#include <future>
#include <memory>

#include "HelpWindow.h"
#include "IniFile.h"
#include "ProjectOpen.h"
#include "ProjectWindow.h"
#include "Services.h"
#include "frmAbout.h"
#include "frmErrorInfo.h"
#include "frmMain.h"
#include "frmSelectFiles.h"

namespace dualis {
namespace {

// Everything the window program keeps for the whole run.
struct WindowProgram {
    Services S;
    ComparisonState State;
    std::unique_ptr<Tracing> Trace;
    std::unique_ptr<frmMain> Main;
    std::unique_ptr<frmSelectFiles> SelectFiles;
    std::string HelpFile;
};

void OnError(WindowProgram& w, const ErrorFacts& facts) {
    QApplication::restoreOverrideCursor();
    ERHandler(facts, MakeErrorContext(w.S, w.State.FileName), w.S.Log, w.S.Debug,
              [&](const std::string& report) {
                  ShowErrorReport(report, w.S.AppInfo, w.Main.get(), w.Trace.get());
              });
}

MainWindowContext MakeContext(WindowProgram& w) {
    MainWindowContext ctx{w.State, w.S.Values, w.S.AppInfo, w.S.Window, *w.Trace, w.S.Debug};
    ctx.ChooseFiles = [&w](QWidget* owner) {
        if (!w.SelectFiles) {
            w.SelectFiles =
                std::make_unique<frmSelectFiles>(w.S.Values, w.State, *w.Trace, w.S.Window, owner);
        }
        w.SelectFiles->Show();
        return w.SelectFiles->Tag() == "OK";
    };
    ctx.WrapUp = [&w] {
        w.Trace->Run(TraceKind::App, "mCompare: WrapUp", [&] {
            const SaveResult saved = WriteSettings(w.S);
            if (!saved.Saved && w.Main) w.Main->Host().ShowMessage(NotSavedMessage(saved));
            w.S.Log.LogClose();
            TerminateProgram(0);
        });
    };
    ctx.ShowHelp = [&w](int command, int context) {
        w.S.Window.CallWinHelp(w.HelpFile, command, context);
    };
    ctx.ShowAbout = [&w](QWidget* owner) { ShowAbout(w.S.AppInfo, owner); };
    ctx.EndAtOnce = [&w] {
        w.S.Log.LogClose();
        TerminateProgram(0);
    };
    ctx.ProgramFolder = cAppInfo::ExecutablePath().parent_path();
    ctx.SettingsFile = ResolveProfilePath(w.S.INI.INIFileName()).string();
    ctx.SaveSettings = [&w]() -> std::optional<std::string> {
        const SaveResult saved = WriteSettings(w.S);
        if (saved.Saved) return std::nullopt;
        return NotSavedMessage(saved);
    };
    return ctx;
}

// Two projects named on the command line are opened while the window starts up: the opening
// needs no setting, and Qt's start-up leaves a processor free.
std::future<std::array<project::Source, 2>> OpenProjectsEarly(const CommandLine& cmd) {
    const std::array<std::string, 2> files = cmd.AbsoluteFiles();
    if (cmd.Files[0].empty() || !project::NamesProjects(files) ||
        !project::WhyNotComparable(files[0], files[1]).empty()) {
        return {};
    }
    return std::async(std::launch::async, [files] { return project::OpenBoth(files); });
}

int RunWindow(const CommandLine& cmd, int argc, char** argv) {
    std::future<std::array<project::Source, 2>> early = OpenProjectsEarly(cmd);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Dualis"));
    // Ties the window to its menu entry, so that the desktop shows the entry's name and icon.
    QApplication::setDesktopFileName(QStringLiteral("org.dualis.Dualis"));
    QApplication::setOverrideCursor(Qt::WaitCursor);
    bool busy = true;
    auto w = std::make_unique<WindowProgram>();
    w->Trace = std::make_unique<Tracing>(w->S.Debug, w->S.Log,
                                         [p = w.get()](const ErrorFacts& f) { OnError(*p, f); });
    std::vector<std::string> problems;
    w->Trace->Run(TraceKind::App, "mCompare: Main", [&] {
        problems = StartServices(w->S, cmd.SettingsFile, true, cmd.Files);
        w->S.AppInfo.UrlOpener = [](const std::string& url) {
            QDesktopServices::openUrl(QUrl(QString::fromStdString(url)));
        };
        w->S.Window.HelpViewer = [](int command, int context) { ShowHelp(command, context); };
        w->Main = std::make_unique<frmMain>(MakeContext(*w));
        w->Main->Form_Load();
        w->HelpFile = (cAppInfo::ExecutablePath().parent_path() / "Dualis.HLP").string();
        for (const std::string& problem : problems) w->Main->Host().ShowMessage(problem);
        if (!cmd.Files[0].empty()) {
            const std::array<std::string, 2> files = cmd.AbsoluteFiles();
            if (early.valid()) w->Main->Project().OpenedEarly(files, std::move(early));
            SetFileNames(w->State, files[0], files[1]);
            w->Main->CompareAFile();
        }
        // Two projects or folders are compared in the background; their list is on screen.
        if (w->S.Values.ShowFileOpen && !w->State.FilesCompared && !w->Main->Project().Active()) {
            QApplication::restoreOverrideCursor();
            busy = false;
            w->Main->SelectAndCompareFiles();
        }
        if (w->State.FilesCompared) w->Main->cmdViewFiles_Click();
    });
    if (busy) QApplication::restoreOverrideCursor();
    return app.exec();
}

}  // namespace
}  // namespace dualis

extern "C" [[gnu::visibility("default")]] int DualisRunWindow(const dualis::CommandLine* cmd,
                                                              int argc, char** argv) {
    return dualis::RunWindow(*cmd, argc, argv);
}
