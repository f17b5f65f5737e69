#include "ProjectCompare.h"

#include <map>

#include "PathResolve.h"

namespace dualis::project {
namespace {

ProjectFilePair CompareFilePair(const Source& file1, const Source& file2,
                                const std::array<int, 2>& index, bool ignoreSaveNoise) {
    ProjectFilePair pair;
    pair.File = index;
    if (index[0] < 0 || index[1] < 0) {
        pair.Status = index[0] < 0 ? ContentStatus::Added : ContentStatus::Deleted;
        return pair;
    }
    const ProjectFile& a = file1.ProjectFiles[static_cast<size_t>(index[0])];
    const ProjectFile& b = file2.ProjectFiles[static_cast<size_t>(index[1])];
    if (!a.Problem.empty() || !b.Problem.empty()) return pair;
    pair.Differences = CompareProjectFiles(a, b, ignoreSaveNoise);
    pair.Status = pair.Differences.empty() ? ContentStatus::Equal : ContentStatus::Changed;
    return pair;
}

// A folder's loose companions pair by path only: nothing else tells them apart.
std::vector<CompanionPair> PairOtherFiles(const Source& file1, const Source& file2) {
    std::map<std::string, size_t> byPath;
    for (size_t j = 0; j < file2.OtherFiles.size(); ++j) {
        byPath.emplace(FoldPath(file2.OtherFiles[j].RelativePath), j);
    }
    std::vector<bool> taken(file2.OtherFiles.size(), false);
    std::vector<CompanionPair> pairs;
    for (size_t i = 0; i < file1.OtherFiles.size(); ++i) {
        const auto same = byPath.find(FoldPath(file1.OtherFiles[i].RelativePath));
        const Companion* partner = nullptr;
        int j = -1;
        if (same != byPath.end() && !taken[same->second]) {
            taken[same->second] = true;
            partner = &file2.OtherFiles[same->second];
            j = static_cast<int>(same->second);
        }
        CompanionPair pair = CompareCompanionFiles(&file1.OtherFiles[i], partner);
        pair.Index = {static_cast<int>(i), j};
        pairs.push_back(std::move(pair));
    }
    for (size_t j = 0; j < file2.OtherFiles.size(); ++j) {
        if (taken[j]) continue;
        CompanionPair added = CompareCompanionFiles(nullptr, &file2.OtherFiles[j]);
        added.Index = {-1, static_cast<int>(j)};
        pairs.push_back(std::move(added));
    }
    return pairs;
}

}  // namespace

ProjectComparison CompareSources(const Source& file1, const Source& file2,
                                 const ProjectOptions& options) {
    ProjectComparison result;
    const auto filePairs = PairProjectFiles(file1, file2, !options.IgnoreSaveNoise);
    for (const auto& index : filePairs) {
        result.ProjectFiles.push_back(
            CompareFilePair(file1, file2, index, options.IgnoreSaveNoise));
    }
    ModulePairing modules =
        PairModules(file1, file2, filePairs, options.Compare, options.PairSameBytes);
    result.Modules = std::move(modules.Pairs);
    result.Notes = std::move(modules.Notes);
    result.OtherFiles = PairOtherFiles(file1, file2);
    return result;
}

}  // namespace dualis::project
