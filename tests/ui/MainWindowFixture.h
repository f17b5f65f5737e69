// What the main window's tests share: a window with everything it needs, its messages, errors
// and end observed, and VB texts of many procedures to compare.
#pragma once

#include <QWidget>
#include <functional>
#include <memory>

#include "Pipeline.h"
#include "TestSupport.h"
#include "frmMain.h"

namespace dualis {

// Everything a main window needs, with the program's end and its messages observed.
struct Fixture {
    Fixture()
        : log({"Dualis", "1.0.0", {}}),
          trace(debug, log, [this](const ErrorFacts& f) { errors.push_back(f.ProcText); }) {
        values.ViewLegend = false;
        MainWindowContext context{state, values, appInfo, windowUtilities, trace, debug};
        context.ChooseFiles = [this](QWidget*) { return chooseFiles(); };
        context.WrapUp = [this] { ++wrapUps; };
        context.EndAtOnce = [this] { ++endsAtOnce; };
        context.ProgramFolder = dir.Path();
        context.SettingsFile = settingsFile;
        context.ChooseLogFile = [this](QWidget*, const FileDialogRequest& request) {
            logDialogs.push_back(request);
            return FileDialogChoice{!logFileChoice.empty(), logFileChoice, 1};
        };
        window = std::make_unique<frmMain>(std::move(context));
        window->Host().SetMessageBox(
            [this](QWidget*, const std::string& text) { messages.push_back(text); });
    }

    // Compares two texts the way the command line's files are compared.
    void CompareFromCommandLine(const std::string& one, const std::string& two) {
        names = {dir.Write("one.bas", one), dir.Write("two.bas", two)};
        SetFileNames(state, names[0], names[1]);
        window->CompareAFile();
        window->cmdViewFiles_Click();
    }

    test::TempDir dir;
    cDebug debug;
    cLog log;
    Tracing trace;
    Settings values;
    ComparisonState state;
    cAppInfo appInfo;
    cWindow windowUtilities;
    std::unique_ptr<frmMain> window;
    std::function<bool()> chooseFiles = [] { return false; };
    std::array<std::string, 2> names;
    std::vector<std::string> errors;
    std::vector<std::string> messages;
    int wrapUps = 0;
    int endsAtOnce = 0;
    std::vector<FileDialogRequest> logDialogs;
    std::string logFileChoice;  // what the New Log File dialog returns; empty: cancelled
    // The window's settings file, which it only names here (the tests write it when they need it).
    std::string settingsFile = (dir.Path() / "VBDualis.INI").string();
};

inline std::string Procedures(int count, int bodyLines, const std::string& change) {
    std::vector<std::string> lines{"Option Explicit"};
    for (int p = 1; p <= count; ++p) {
        lines.push_back("Sub P" + std::to_string(p) + "()");
        for (int i = 1; i <= bodyLines; ++i) {
            lines.push_back("  x = " + std::to_string(i) + (p == 1 && i == 2 ? change : ""));
        }
        lines.push_back("End Sub");
    }
    return test::Lines(lines);
}

}  // namespace dualis
