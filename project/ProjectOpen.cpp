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

std::optional<OpenedSources> OpenAndPair(const std::array<std::string, 2>& files,
                                         const ProjectOptions& options, std::string& problem) {
    problem = WhyNotComparable(os::PathFromUtf8(files[0]), os::PathFromUtf8(files[1]));
    if (!problem.empty()) return std::nullopt;
    OpenedSources opened;
    {
        std::jthread second([&] { opened.File2 = OpenSource(os::PathFromUtf8(files[1])); });
        opened.File1 = OpenSource(os::PathFromUtf8(files[0]));
    }
    const std::array<const Source*, 2> sources{&opened.File1, &opened.File2};
    for (int f = 0; f < 2; ++f) {
        if (!sources[f]->Problem.empty()) {
            problem = UnableToOpenSourceMessage(*sources[f], f, files[f]);
            return std::nullopt;
        }
    }
    ProjectOptions pairing = options;
    pairing.PairSameBytes = false;
    opened.Comparison = CompareSources(opened.File1, opened.File2, pairing);
    return opened;
}

}  // namespace dualis::project
