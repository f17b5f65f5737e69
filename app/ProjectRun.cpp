#include "ProjectRun.h"

#include <cerrno>
#include <cstring>
#include <memory>
#include <optional>
#include <vector>

#include "JsonReport.h"
#include "ModuleCompare.h"
#include "PathResolve.h"
#include "ProjectFacts.h"
#include "ProjectOpen.h"
#include "ProjectReport.h"
#include "Report.h"
#include "Source.h"

namespace dualis {
namespace {

using namespace project;

constexpr int kExitTrouble = 2;

using Opened = OpenedSources;

// Opens and pairs the two sources the command line names; nothing, after telling the host
// why, when they cannot be compared.
std::optional<Opened> OpenAndPair(const CommandLine& cmd, const ProjectOptions& options,
                                  IHost& host) {
    std::string problem;
    std::optional<Opened> opened = project::OpenAndPair(cmd.AbsoluteFiles(), options, problem);
    if (!opened) host.ShowMessage(problem);
    return opened;
}

// The one pair that `name` names: by a module's path (from its source's folder) when any path
// is the name, else by a module's name, on either side. Nothing, after telling the host, when
// no pair or more than one is named.
std::optional<size_t> PairNamed(const Opened& opened, const std::string& name, IHost& host) {
    const std::string path = FoldPath(name);
    const std::string folded = FoldName(name);
    std::vector<size_t> byPath, byName;
    for (size_t i = 0; i < opened.Comparison.Modules.size(); ++i) {
        const auto side = PairModules(opened.File1, opened.File2, opened.Comparison.Modules[i]);
        bool pathMatches = false, nameMatches = false;
        for (int f = 0; f < 2; ++f) {
            if (!side[f]) continue;
            const Source& source = f == 0 ? opened.File1 : opened.File2;
            pathMatches = pathMatches || FoldPath(ModulePath(source, *side[f])) == path;
            nameMatches = nameMatches || FoldName(side[f]->Name) == folded;
        }
        if (pathMatches) byPath.push_back(i);
        if (nameMatches) byName.push_back(i);
    }
    const std::vector<size_t>& found = byPath.empty() ? byName : byPath;
    if (found.size() == 1) return found[0];
    if (found.empty()) {
        host.ShowMessage("No module of File 1 or File 2 is named " + name + ".");
        return std::nullopt;
    }
    std::string message = name + " names more than one module; name one by its path:";
    for (const size_t i : found) {
        const auto side = PairModules(opened.File1, opened.File2, opened.Comparison.Modules[i]);
        message += "\n  " + (side[1] ? ModulePath(opened.File2, *side[1])
                                     : ModulePath(opened.File1, *side[0]));
    }
    host.ShowMessage(message);
    return std::nullopt;
}

// Appends the report of one module to `spool`; a side without the module is named "(none)".
std::string SpoolModuleReport(ComparisonState& state, const CompareOptions& options,
                              std::FILE* spool, bool colour) {
    for (std::string& name : state.FileName) {
        if (name.empty()) name = "(none)";
    }
    if (std::fputs("\n", spool) == EOF) return std::strerror(errno);
    return WriteReport(state, options, spool, colour);
}

// Copies what was spooled to the output.
std::string CopySpool(std::FILE* spool, std::FILE* out) {
    std::rewind(spool);
    std::vector<char> block(1 << 16);
    for (;;) {
        const size_t got = std::fread(block.data(), 1, block.size(), spool);
        if (got > 0 && std::fwrite(block.data(), 1, got, out) != got) return std::strerror(errno);
        if (got < block.size()) break;
    }
    if (std::ferror(spool)) return "The reports could not be read back.";
    return std::fflush(out) != 0 ? std::strerror(errno) : "";
}

struct SpoolFile {
    std::FILE* File = nullptr;
    ~SpoolFile() {
        if (File) std::fclose(File);
    }
};

}  // namespace

int ReportProjects(const CommandLine& cmd, const ProjectOptions& options, IHost& host,
                   std::FILE* out, bool colour) {
    const std::optional<Opened> opened = OpenAndPair(cmd, options, host);
    if (!opened) return kExitTrouble;
    const ProjectComparison& comparison = opened->Comparison;
    KeepFreedMemoryForReuse();
    const bool json = cmd.Format == CommandLine::OutputFormat::Json;
    ModuleCompareOptions run;
    run.Compare = options.Compare;
    run.IgnoreSaveNoise = options.IgnoreSaveNoise;
    run.CodePage = options.CodePage;
    run.Host = &host;
    // The reports after the summary: every changed module's, or the named one's.
    std::optional<size_t> named;
    if (!cmd.Module.empty()) {
        named = PairNamed(*opened, cmd.Module, host);
        if (!named) return kExitTrouble;
        run.Keep.assign(comparison.Modules.size(), KeepState::No);
        run.Keep[*named] = KeepState::Always;
    } else if (json || cmd.ModuleReports) {
        run.Keep.assign(comparison.Modules.size(), KeepState::WhenParsed);
    }

    ComparisonTally tally;
    for (const ProjectFilePair& pair : comparison.ProjectFiles) {
        tally.AddProjectFile(opened->File1, opened->File2, pair);
    }
    for (const CompanionPair& pair : comparison.OtherFiles) tally.AddOtherFile(pair);
    std::string failure;
    if (json) {
        ProjectJson writer(opened->File1, opened->File2, comparison, options, cmd.Lines, out);
        writer.Begin();
        CompareModules(opened->File1, opened->File2, comparison, run, [&](ModuleResult&& result) {
            tally.AddModule(comparison.Modules[result.Pair], result);
            writer.Module(result);
        });
        writer.End(tally);
        failure = writer.Failure();
    } else {
        SpoolFile spool;
        if (!run.Keep.empty() && (spool.File = std::tmpfile()) == nullptr) {
            host.ShowMessage("Unable to write the report\na temporary file\n" +
                             std::string(std::strerror(errno)));
            return kExitTrouble;
        }
        ProjectReport writer(opened->File1, opened->File2, comparison, options, out, colour);
        writer.Begin();
        std::string spoolFailure;
        CompareModules(opened->File1, opened->File2, comparison, run, [&](ModuleResult&& result) {
            tally.AddModule(comparison.Modules[result.Pair], result);
            writer.Module(result);
            const bool wanted =
                named ? result.Pair == *named
                      : result.Problem.empty() && result.Status != ContentStatus::Equal;
            if (result.State && wanted && spoolFailure.empty()) {
                spoolFailure =
                    SpoolModuleReport(*result.State, options.Compare, spool.File, colour);
            }
        });
        writer.End(tally);
        failure = writer.Failure();
        if (failure.empty() && spool.File) {
            failure = !spoolFailure.empty() ? spoolFailure : CopySpool(spool.File, out);
        }
    }
    if (!failure.empty()) {
        host.ShowMessage("Unable to write the report\nstandard output\n" + failure);
        return kExitTrouble;
    }
    return tally.ExitStatus();
}

bool CompareNamedModule(const CommandLine& cmd, const ProjectOptions& options, IHost& host,
                        ComparisonState& state) {
    std::optional<Opened> opened = OpenAndPair(cmd, options, host);
    if (!opened) return false;
    const std::optional<size_t> named = PairNamed(*opened, cmd.Module, host);
    if (!named) return false;
    const ModulePair& pair = opened->Comparison.Modules[*named];
    if (pair.Module[0] < 0 || pair.Module[1] < 0) {
        host.ShowMessage("The module " + cmd.Module + " is only in File " +
                         (pair.Module[0] < 0 ? "2" : "1") + "; the dump needs it in both.");
        return false;
    }
    ProjectComparison one;
    one.Modules = {pair};
    ModuleCompareOptions run;
    run.Compare = options.Compare;
    run.IgnoreSaveNoise = options.IgnoreSaveNoise;
    run.CodePage = options.CodePage;
    run.Host = &host;
    run.Threads = 1;
    run.Keep = {KeepState::Always};
    std::unique_ptr<ComparisonState> compared;
    CompareModules(opened->File1, opened->File2, one, run, [&](ModuleResult&& result) {
        if (!result.Problem.empty()) host.ShowMessage(result.Problem);
        compared = std::move(result.State);
    });
    if (!compared) return false;
    state = std::move(*compared);
    return true;
}

}  // namespace dualis
