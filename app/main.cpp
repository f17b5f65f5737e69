// Entry point: compares the two files named on the command line and prints the report or
// appends the diagnostic dump.
#include <cstdio>
#include <string>
#include <vector>

#include "AppInfo.h"
#include "CommandLine.h"
#include "ConsoleHost.h"
#include "Dump.h"
#include "Pipeline.h"
#include "Report.h"
#include "RunTimeError.h"

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

int Run(const dualis::CommandLine& cmd) {
    dualis::ConsoleHost host;
    dualis::ComparisonState state;
    dualis::SetFileNames(state, cmd.Files[0], cmd.Files[1]);
    if (!dualis::CompareAFile(state, cmd.Options, host)) return kExitTrouble;
    if (cmd.RunMode == dualis::CommandLine::Mode::Dump) {
        const dualis::cAppInfo info;
        const dualis::DumpProgramFacts program{info.AppDateTime(), info.AppVersion()};
        for (std::string_view section : dualis::DumpSections) {
            dualis::DumpArrays(state, cmd.Options, section, cmd.DumpFile, program, host);
        }
        return kExitEqual;
    }
    dualis::WriteReport(state, cmd.Options, stdout);
    return AllEqual(state) ? kExitEqual : kExitDiffers;
}

}  // namespace

int main(int argc, char** argv) {
    std::setvbuf(stdout, nullptr, _IOFBF, 1 << 16);
    dualis::CommandLine cmd;
    std::string help;
    const std::string problem =
        dualis::ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc), cmd, help);
    if (!problem.empty()) {
        std::fprintf(stderr, "%s\n", problem.c_str());
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
    try {
        return Run(cmd);
    } catch (const dualis::RunTimeError& e) {
        std::fprintf(stderr, "Error: %d in %s\n%s\n", e.Number, e.Place.c_str(),
                     e.Description.c_str());
        return kExitTrouble;
    }
}
