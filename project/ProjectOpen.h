// Opening the two sources of a project comparison and pairing their parts, as the command line
// and the window both start one: File 2 is opened on a second thread while File 1 is.
#pragma once

#include <array>
#include <optional>
#include <string>

#include "ProjectCompare.h"
#include "Source.h"

namespace dualis::project {

// True when either name is a folder, a project, a project group or an Office document: the two
// are then compared as projects, module by module.
bool NamesProjects(const std::array<std::string, 2>& files);

struct OpenedSources {
    Source File1, File2;
    // Paired without reading the modules: CompareModules checks their bytes on its workers.
    ProjectComparison Comparison;
};

// Both named sources, File 2 opened on a second thread while File 1 is. Opening needs no
// option, so the window starts it before its own start-up and pairs the sources afterwards.
std::array<Source, 2> OpenBoth(const std::array<std::string, 2>& files);

// Pairs the two opened sources of `files`. Nothing when they cannot be compared; `problem` then
// says why, for the user (WhyNotComparable's reason, or UnableToOpenSourceMessage's).
std::optional<OpenedSources> PairOpened(const std::array<std::string, 2>& files,
                                        std::array<Source, 2> sources,
                                        const ProjectOptions& options, std::string& problem);

// Opens both named sources and pairs them, as PairOpened; nothing is opened when the names
// cannot be compared.
std::optional<OpenedSources> OpenAndPair(const std::array<std::string, 2>& files,
                                         const ProjectOptions& options, std::string& problem);

}  // namespace dualis::project
