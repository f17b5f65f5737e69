// What the text and the JSON output of a comparison of two projects or folders, and the window's
// module list, say about its parts, in words, and what makes the run's exit status.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "ModuleCompare.h"
#include "ProjectCompare.h"
#include "Source.h"

namespace dualis {

// "equal", "changed", "added", "deleted"; "unknown" for a pair that could not be compared.
std::string_view ContentStatusWord(project::ContentStatus status);
std::string_view OriginWord(project::Origin origin);  // "same", "moved", "renamed"
std::string_view PairedByWord(project::PairedBy by);  // "none", "name", "path", "content"
std::string_view CompanionStatusWord(project::CompanionStatus status);  // "different", ...
std::string_view SettingChangeWord(project::SettingChange change);      // "removed", ...
// "folder", "project", "group", "document"
std::string_view SourceKindWord(project::SourceKind kind);

// A procedure's status as the report's counts take it (CountProcs): "added" or "deleted" for
// a procedure of one file, else "equal" or "changed".
std::string_view ProcStatusWord(const ProcRecord& proc);

// The module's path from the source's own folder (a project's members from the project file's
// folder, joined to where the project file stands), "/"-separated and decoded.
std::string ModulePath(const project::Source& source, const project::ModuleEntry& module);

// The notes on the two sources, each side's prefixed by "File N: ", File 1's first: a document
// that holds no VBA project ("File N holds no VBA project."), then each source's Notes.
std::vector<std::string> SourceNotes(const project::Source& file1, const project::Source& file2);

// The notes on a pair's modules ("File N: " and the module's Note), File 1's first.
std::vector<std::string> ModuleNotes(const std::array<const project::ModuleEntry*, 2>& side);

// The module of each side of a pair, null on a side that lacks it.
std::array<const project::ModuleEntry*, 2> PairModules(const project::Source& file1,
                                                       const project::Source& file2,
                                                       const project::ModulePair& pair);

// The project file of each side of a pair, null on a side that lacks it.
std::array<const project::ProjectFile*, 2> ProjectFileSides(const project::Source& file1,
                                                            const project::Source& file2,
                                                            const project::ProjectFilePair& pair);

// Why a pair's project files could not be read: "File N: " and the first side's problem;
// empty when both were read.
std::string ProjectFileProblem(const std::array<const project::ProjectFile*, 2>& side);

// The status a module's summary line shows, one of: "equal", "changed", "added", "deleted",
// "moved", "moved, changed", "renamed", "renamed, changed", "unreadable".
std::string ModuleStatusText(const project::ModulePair& pair, const project::ModuleResult& result);

// How the parts of a comparison came out, for the closing counts and the exit status.
class ComparisonTally {
  public:
    void AddProjectFile(const project::Source& file1, const project::Source& file2,
                        const project::ProjectFilePair& pair);
    void AddModule(const project::ModulePair& pair, const project::ModuleResult& result);
    void AddOtherFile(const project::CompanionPair& pair);
    // A source, project file or other part that could not be read.
    void AddTrouble() { trouble_ = true; }

    // Each module counts once, under the first word of its status text.
    struct ModuleCounts {
        int64_t Equal = 0, Changed = 0, Added = 0, Deleted = 0, Moved = 0, Renamed = 0,
                Unreadable = 0;
    };
    const ModuleCounts& Modules() const { return modules_; }
    bool Differs() const { return differs_; }
    bool Trouble() const { return trouble_; }
    // 2 when anything could not be read or compared, else 1 when anything differs, else 0.
    int ExitStatus() const { return trouble_ ? 2 : differs_ ? 1 : 0; }

  private:
    void AddCompanion(const project::CompanionPair& pair);

    ModuleCounts modules_;
    bool differs_ = false;
    bool trouble_ = false;
};

// True when the pair shows nothing to look at: the same content, name and path, and equal
// companions. --differences-only leaves such modules out of the summary.
bool ModuleUnchanged(const project::ModulePair& pair, const project::ModuleResult& result);

}  // namespace dualis
