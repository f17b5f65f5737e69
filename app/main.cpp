// Entry point: opens the main window, from the window module loaded only then, or, with --report
// or --dump, compares the two files, or the two projects, folders or documents, named on the
// command line and prints the report or appends the diagnostic dump without a window and without
// Qt (the settings file is then read, never written); or writes or prints the modules of an
// Office document.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <string>
#include <string_view>
#include <vector>

#include "CommandLine.h"
#include "ConsoleHost.h"
#include "DocumentTools.h"
#include "Dump.h"
#include "FileIO.h"
#include "IniFile.h"
#include "JsonReport.h"
#include "OsFacts.h"
#include "OsFiles.h"
#include "Pipeline.h"
#include "ProjectOpen.h"
#include "ProjectRun.h"
#include "Report.h"
#include "RunTimeError.h"
#include "Services.h"
#include "StandardStreams.h"
#include "TerminalText.h"
#ifdef DUALIS_WITH_WINDOW
#include "AppInfo.h"
#include "DisplayCheck.h"
#include "WindowLoader.h"
#endif

namespace {

constexpr int kExitEqual = 0;
constexpr int kExitDiffers = 1;
constexpr int kExitTrouble = 2;

bool AllEqual(const dualis::ComparisonState& state) {
    for (int32_t p = 1; p <= state.ProcCount(); ++p) {
        if (state.ProcStack[p].Status != dualis::ProcEqual) return false;
    }
    return true;
}

// Why the output the command line asks for cannot be written before anything is compared:
// a standard output that was closed, or a dump file that is an input or the settings file.
// Empty when none of these holds.
std::string OutputRefusal(const dualis::CommandLine& cmd, const dualis::Services& services,
                          bool outputClosed) {
    constexpr const char* kClosed = "Standard output is closed.";
    if (cmd.RunMode != dualis::CommandLine::Mode::Dump) {
        return outputClosed ? std::string("Unable to write the report\nstandard output\n") + kClosed
                            : "";
    }
    std::string reason = outputClosed && dualis::NamesStandardOutput(cmd.DumpFile) ? kClosed : "";
    if (reason.empty()) {
        const std::string settings =
            dualis::ResolveProfilePath(services.INI.INIFileName()).string();
        reason = dualis::GuardedFileReason(cmd.DumpFile, dualis::GuardedFiles(cmd.Files, settings));
    }
    return reason.empty() ? "" : "Unable to write the dump\n" + cmd.DumpFile + "\n" + reason;
}

int Run(const dualis::CommandLine& cmd, dualis::Services& services, dualis::ComparisonState& state,
        bool outputClosed) {
    dualis::ConsoleHost host(services.Debug, services.Log);
    const std::string refusal = OutputRefusal(cmd, services, outputClosed);
    if (!refusal.empty()) {
        host.ShowMessage(refusal);
        return kExitTrouble;
    }
    const dualis::project::ProjectOptions options =
        cmd.ProjectOptionsOver(dualis::project::ProjectOptions{
            .Compare = services.Values.Compare,
            .IgnoreSaveNoise = services.Values.IgnoreSaveNoise,
            .CodePage = static_cast<uint32_t>(std::max(0, services.Values.CodePage))});
    const bool colour = dualis::ReportInColour(cmd.Colour, dualis::os::IsTerminal(::fileno(stdout)),
                                               std::getenv("NO_COLOR"), std::getenv("TERM"));
    const bool projects = dualis::project::NamesProjects(cmd.Files);
    if (!projects && !cmd.Module.empty()) {
        host.ShowMessage(
            "--module picks a module of two projects or folders; FILE1 and FILE2 "
            "are files");
        return kExitTrouble;
    }
    const bool dump = cmd.RunMode == dualis::CommandLine::Mode::Dump;
    if (projects && !dump) return dualis::ReportProjects(cmd, options, host, stdout, colour);
    if (projects) {
        if (cmd.Module.empty()) {
            host.ShowMessage(
                "--dump compares one pair of files: name a module of the two "
                "projects or folders with --module NAME");
            return kExitTrouble;
        }
        if (!dualis::CompareNamedModule(cmd, options, host, state)) return kExitTrouble;
        const std::string settings =
            dualis::ResolveProfilePath(services.INI.INIFileName()).string();
        const std::string reason =
            dualis::GuardedFileReason(cmd.DumpFile, dualis::GuardedFiles(state.FileName, settings));
        if (!reason.empty()) {
            host.ShowMessage("Unable to write the dump\n" + cmd.DumpFile + "\n" + reason);
            return kExitTrouble;
        }
    } else {
        dualis::SetFileNames(state, cmd.Files[0], cmd.Files[1]);
        if (!dualis::CompareAFile(
                state, options.Compare, host, dualis::CandidateSearch::Auto,
                dump ? dualis::ComparisonUse::Display : dualis::ComparisonUse::Report)) {
            return kExitTrouble;
        }
    }
    if (dump) {
        const dualis::DumpProgramFacts program{services.AppInfo.AppDateTime(),
                                               services.AppInfo.AppVersion()};
        try {
            for (std::string_view section : dualis::DumpSections) {
                // A dump read on a terminal shows its controls as the report does.
                dualis::DumpArrays(state, options.Compare, section, cmd.DumpFile, program, host,
                                   dualis::VisibleLines);
            }
        } catch (const dualis::OutputFileError& e) {
            // For the command line a dump file it cannot write is bad input, not a fault.
            host.ShowMessage("Unable to write the dump\n" + e.FileName + "\n" + e.Reason);
            return kExitTrouble;
        }
        return kExitEqual;
    }
    const std::string failure = cmd.Format == dualis::CommandLine::OutputFormat::Json
                                    ? dualis::WriteFilePairJson(state, options, cmd.Lines, stdout)
                                    : dualis::WriteReport(state, options.Compare, stdout, colour);
    if (!failure.empty()) {
        host.ShowMessage("Unable to write the report\nstandard output\n" + failure);
        return kExitTrouble;
    }
    return AllEqual(state) ? kExitEqual : kExitDiffers;
}

}  // namespace

int main(int argc, char** argv) {
    const dualis::ClosedStreams closed = dualis::OpenClosedStandardStreams();
    dualis::os::PrepareStandardStreams();
    std::setvbuf(stdout, nullptr, _IOFBF, 1 << 16);
    dualis::CommandLine cmd;
    std::string help;
    const std::string problem =
        dualis::ParseCommandLine(dualis::os::ProgramArguments(argc, argv), cmd, help);
    if (!problem.empty()) {
        dualis::PrintLines(stderr, problem);
        return kExitTrouble;
    }
    if (cmd.RunMode == dualis::CommandLine::Mode::Help) {
        std::printf("%s", help.c_str());
        return kExitEqual;
    }
    if (cmd.RunMode == dualis::CommandLine::Mode::Version) {
        std::printf("%s %s\n", dualis::cAppInfo::ProductName().c_str(),
                    dualis::cAppInfo().AppVersion().c_str());
        return kExitEqual;
    }
    if (cmd.RunMode == dualis::CommandLine::Mode::Extract ||
        cmd.RunMode == dualis::CommandLine::Mode::VbaText) {
        // One document read: no settings, no trace log, nothing compared.
        return cmd.RunMode == dualis::CommandLine::Mode::Extract
                   ? dualis::ExtractModules(cmd, stdout, stderr)
                   : dualis::PrintModules(cmd, stdout, stderr);
    }
    if (cmd.RunMode == dualis::CommandLine::Mode::Window) {
#ifdef DUALIS_WITH_WINDOW
        std::string_view noDisplay = "No display found";
        const dualis::DisplayState display = dualis::CheckDisplay();
        noDisplay = dualis::DisplayProblem(display);
        if (display == dualis::DisplayState::Available) {
            const dualis::LoadedWindow window =
                dualis::LoadWindowModule(dualis::cAppInfo::ExecutablePath().parent_path());
            if (window.Entry != nullptr) return window.Entry(&cmd, argc, argv);
            dualis::PrintLines(stderr, "Unable to load the window\n" + window.Problem);
            noDisplay = "The window is not available";
        }
#else
        // A program built without its window (the one for Windows) does what it does where no
        // display answers, so that a difftool set up for the window still shows the comparison.
        const std::string_view noDisplay = "This build of Dualis has no window";
#endif
        const std::string said(noDisplay);
        if (cmd.Files[0].empty()) {
            std::fprintf(stderr, "%s: give two files to print their comparison.\n", said.c_str());
            return kExitTrouble;
        }
        std::fprintf(stderr, "%s: printing the report instead.\n", said.c_str());
        cmd.RunMode = dualis::CommandLine::Mode::Report;
    }
    dualis::Services services;
    dualis::ComparisonState state;
    auto work = [&] {
        for (const std::string& message :
             dualis::StartServices(services, cmd.SettingsFile, false, cmd.Files)) {
            dualis::PrintLines(stderr, message);
        }
        const int status = Run(cmd, services, state, closed.Output);
        std::fflush(stdout);
        services.Log.LogClose();
        return status;
    };
    // With the DontTrapErrors switch on, a run-time error is left to the run-time system.
    if (services.Debug.DontTrapErrors) return work();
    dualis::ErrorFacts facts;
    try {
        return work();
    } catch (const dualis::RunTimeError& e) {
        facts = {e.Number, e.Description, e.Source, e.Place};
    } catch (const std::bad_alloc&) {
        facts = {dualis::ErrOutOfMemory, "Out of memory", "Dualis", "mCompare: Main"};
    }
    std::fflush(stdout);
    dualis::ERHandler(facts, dualis::MakeErrorContext(services, state.FileName), services.Log,
                      services.Debug,
                      [](const std::string& report) { dualis::PrintLines(stderr, report); });
}
