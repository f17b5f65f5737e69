// The comparison of two sources as far as it needs no module to be parsed: the project files
// compared as settings, the modules paired (equal when their bytes are), the binary companions
// compared by their bytes. What is left Unknown is for the engine to compare, pair by pair.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "Options.h"
#include "Pairing.h"
#include "SettingsCompare.h"
#include "Source.h"

namespace dualis::project {

struct ProjectOptions {
    CompareOptions Compare;       // the lines the content pairing weighs are cooked under these
    bool IgnoreSaveNoise = true;  // see SettingsCompare.h for what counts as save noise
    // The code page of module files that are not valid UTF-8 (exported modules in the
    // project's code page, 932 for Japanese); 0 reads them as Windows-1252. A byte-order mark
    // still decides.
    uint32_t CodePage = 0;
    // Whether pairing reads the modules that name or path pairs, to make those with the same
    // bytes Equal. CompareModules checks the bytes itself, on its workers; a caller that runs
    // it turns this off, so that pairing reads none of those modules.
    bool PairSameBytes = true;
};

struct ProjectFilePair {
    std::array<int, 2> File{-1, -1};  // into each side's Source::ProjectFiles
    // Equal (no differences), Changed, Added, Deleted; Unknown when either file could not be
    // read (its Problem says why) and no differences are listed.
    ContentStatus Status = ContentStatus::Unknown;
    std::vector<SettingDifference> Differences;
};

struct ProjectComparison {
    std::vector<ProjectFilePair> ProjectFiles;  // in PairProjectFiles' order
    std::vector<ModulePair> Modules;            // in PairModules' order
    std::vector<CompanionPair> OtherFiles;      // into each side's Source::OtherFiles, by path
    std::vector<std::string> Notes;             // from pairing
};

// Compares two opened sources. Both must have been opened without Problem and be comparable
// (WhyNotComparable); a source with a Problem contributes nothing.
ProjectComparison CompareSources(const Source& file1, const Source& file2,
                                 const ProjectOptions& options);

}  // namespace dualis::project
