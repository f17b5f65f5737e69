// Arbitrary bytes as a command line and two files, in memory: the bytes before the first 0xFF are
// the arguments, separated by NUL bytes; the rest is split at the next 0xFF into File 1 and
// File 2. What parses as a report or a dump is compared, and the report and every dump section
// are written. Any crash or sanitizer report is a finding, and so is a control character that
// reaches the terminal: in the message about the arguments or in the report.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "CommandLine.h"
#include "Dump.h"
#include "Pipeline.h"
#include "RawControl.h"
#include "Report.h"
#include "RunTimeError.h"
#include "TerminalText.h"

namespace {

using dualis::test::HasRawControl;

std::string ReportOf(const dualis::ComparisonState& state, const dualis::CompareOptions& options) {
    char* buffer = nullptr;
    size_t size = 0;
    std::FILE* out = open_memstream(&buffer, &size);
    if (out == nullptr) std::abort();
    if (!dualis::WriteReport(state, options, out).empty()) std::abort();
    std::fclose(out);
    std::string text(buffer, size);
    std::free(buffer);
    return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    const size_t argsEnd = std::min(input.find('\xFF'), input.size());
    std::vector<std::string> args;
    for (size_t start = 0; start < argsEnd;) {
        const size_t end = std::min(input.find('\0', start), argsEnd);
        args.push_back(input.substr(start, end - start));
        start = end + 1;
    }
    const std::string files = input.substr(std::min(argsEnd + 1, input.size()));
    const size_t split = std::min(files.find('\xFF'), files.size());

    dualis::CommandLine cmd;
    std::string help;
    const std::string problem = dualis::ParseCommandLine(args, cmd, help);
    if (HasRawControl(dualis::VisibleLines(problem))) std::abort();
    if (!problem.empty() || (cmd.RunMode != dualis::CommandLine::Mode::Report &&
                             cmd.RunMode != dualis::CommandLine::Mode::Dump)) {
        return 0;
    }
    const dualis::CompareOptions options = cmd.OptionsOver({});
    dualis::QuietHost host;
    dualis::ComparisonState state;
    dualis::SetFileNames(state, cmd.Files[0], cmd.Files[1]);
    try {
        if (!dualis::CompareContents(
                state, options, host,
                {files.substr(0, split), files.substr(std::min(split + 1, files.size()))})) {
            return 0;
        }
        if (HasRawControl(ReportOf(state, options))) std::abort();
        // The dump measures the files afresh: any file that exists will do.
        state.FileName = {"/proc/self/exe", "/proc/self/exe"};
        const dualis::DumpProgramFacts program{"2024-01-02 03:04:05", "1.0.0"};
        for (std::string_view section : dualis::DumpSections) {
            dualis::DumpSection(state, options, section, program, host);
        }
        dualis::DumpSection(state, options, cmd.DumpFile, program, host);
    } catch (const dualis::RunTimeError& e) {
        std::fprintf(stderr, "run-time error %d in %s\n", e.Number, e.Place.c_str());
        std::abort();
    }
    return 0;
}
