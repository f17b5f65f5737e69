// Which project file and which module of File 2 is which of File 1.
//
// Modules pair within a scope: the whole source, or, between two groups, one pair of projects
// (projects pair by their Name=, then by path). Within a scope, in three rounds:
//   1. by kind and name (FoldName): where a name repeats, same path first; when one module of
//      the name is left on each side, they pair;
//   2. what is left, by relative path (FoldPath);
//   3. what is left, by content: two modules of the same kind pair when at least half of the
//      lines of the smaller one, after the comparison options, are common to both; the most
//      alike pairs first (the larger share of common lines, then the more common lines), each
//      module at most once.
// Example: File 1 has Class cOrder in "src/cOrder.cls" and Module modOld in "modOld.bas";
// File 2 has Class cOrder in "lib/cOrder.cls" and Module modNew in "modNew.bas" holding most
// of modOld's lines. cOrder pairs by name and is Moved (old path "src/cOrder.cls"); modOld and
// modNew pair by content and modNew is Renamed (old name "modOld").
//
// Results are plain values: indices into the sources' lists, File 1 at index 0 and File 2 at
// index 1, -1 on a side that lacks the thing.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "Options.h"
#include "Source.h"

namespace dualis::project {

// A module's content: Added and Deleted come from pairing; Equal from pairing when the two
// files have the same bytes, otherwise from the comparison of the pair; Unknown until then, or
// for good when either side has a Problem.
enum class ContentStatus : uint8_t { Unknown, Equal, Changed, Added, Deleted };

// Where a paired module came from, beside its content status.
enum class Origin : uint8_t {
    Same,     // same name and same path (both folded)
    Moved,    // same name, another path: OldPath
    Renamed,  // another name (same path or content): OldName, and OldPath when the path differs
};

enum class PairedBy : uint8_t { None, Name, Path, Content };

enum class CompanionStatus : uint8_t { Equal, Different, Added, Deleted, Unreadable };

struct CompanionPair {
    std::array<int, 2> Index{-1, -1};  // into each side's list of companions
    CompanionStatus Status = CompanionStatus::Equal;
    std::string Problem;  // for Unreadable: which file and why
};

struct ModulePair {
    std::array<int, 2> Module{-1, -1};  // into each side's Source::Modules
    ContentStatus Status = ContentStatus::Unknown;
    Origin From = Origin::Same;
    PairedBy By = PairedBy::None;           // None for a module of one side only
    std::string OldName;                    // File 1's name when Renamed; else empty
    std::string OldPath;                    // File 1's relative path when it differs; else empty
    std::vector<CompanionPair> Companions;  // in File 2's order, then File 1's companions left
};

// Project files pair: two projects with each other; two groups group with group, then their
// projects by Name= (FoldName), then by path (FoldPath); otherwise by path, then by Name=,
// each kind of project file only with its own kind. Workspace files are left out when
// `withWorkspaces` is false. The pairs come in File 1's order, then File 2's files that have
// no partner in File 2's order.
std::vector<std::array<int, 2>> PairProjectFiles(const Source& file1, const Source& file2,
                                                 bool withWorkspaces);

// A folder holding this many unpaired modules on each side (their product) is not paired by
// content: each of these pairs reads and weighs both modules.
inline constexpr int64_t MaxContentCandidates = 250000;

struct ModulePairing {
    // By scope (in the order of projectPairs for two groups), then kind, then name (File 2's
    // when it has the module), then relative path, all folded.
    std::vector<ModulePair> Pairs;
    std::vector<std::string> Notes;  // a scope too large to pair by content
};

// Pairs the modules of two sources; projectPairs from PairProjectFiles scope them between two
// groups. With `sameBytes`, same bytes make a pair Equal; without it every pair of two modules
// stays Unknown and no module that name or path pairs is read. Companions are paired and
// compared by their bytes.
ModulePairing PairModules(const Source& file1, const Source& file2,
                          const std::vector<std::array<int, 2>>& projectPairs,
                          const CompareOptions& options, bool sameBytes = true);

// One companion against another, by their bytes; either may be null (Added, Deleted). Index is
// left for the caller.
CompanionPair CompareCompanionFiles(const Companion* file1, const Companion* file2);

// Pairs two lists of companions, by file name then by extension (both folded), and compares
// each pair's bytes.
std::vector<CompanionPair> PairCompanions(const std::vector<Companion>& file1,
                                          const std::vector<Companion>& file2);

}  // namespace dualis::project
