#include "ProjectOpen.h"

#include <thread>

#include "OsFiles.h"

namespace dualis::project {

bool NamesProjects(const std::array<std::string, 2>& files) {
    for (const std::string& name : files) {
        const PathKind kind = ClassifyPath(os::PathFromUtf8(name));
        if (kind == PathKind::Folder || kind == PathKind::Project || kind == PathKind::Group ||
            kind == PathKind::Document) {
            return true;
        }
    }
    return false;
}

std::array<Source, 2> OpenBoth(const std::array<std::string, 2>& files) {
    std::array<Source, 2> sources;
    {
        std::jthread second([&] { sources[1] = OpenSource(os::PathFromUtf8(files[1])); });
        sources[0] = OpenSource(os::PathFromUtf8(files[0]));
    }
    return sources;
}

std::optional<OpenedSources> PairOpened(const std::array<std::string, 2>& files,
                                        std::array<Source, 2> sources,
                                        const ProjectOptions& options, std::string& problem) {
    problem = WhyNotComparable(os::PathFromUtf8(files[0]), os::PathFromUtf8(files[1]));
    if (!problem.empty()) return std::nullopt;
    for (int f = 0; f < 2; ++f) {
        if (!sources[f].Problem.empty()) {
            problem = UnableToOpenSourceMessage(sources[f], f, files[f]);
            return std::nullopt;
        }
    }
    OpenedSources opened{std::move(sources[0]), std::move(sources[1]), {}};
    ProjectOptions pairing = options;
    pairing.PairSameBytes = false;
    opened.Comparison = CompareSources(opened.File1, opened.File2, pairing);
    return opened;
}

std::optional<OpenedSources> OpenAndPair(const std::array<std::string, 2>& files,
                                         const ProjectOptions& options, std::string& problem) {
    problem = WhyNotComparable(os::PathFromUtf8(files[0]), os::PathFromUtf8(files[1]));
    if (!problem.empty()) return std::nullopt;
    return PairOpened(files, OpenBoth(files), options, problem);
}

}  // namespace dualis::project
