#include "Pairing.h"

#include <algorithm>
#include <map>
#include <tuple>

#include "ContentMatch.h"
#include "FileIO.h"
#include "ModuleFile.h"
#include "PathResolve.h"

namespace dualis::project {
namespace {

using Indices = std::vector<int>;

std::string FileNameOf(std::string_view relativePath) {
    const size_t slash = relativePath.rfind('/');
    return std::string(slash == std::string_view::npos ? relativePath
                                                       : relativePath.substr(slash + 1));
}

// The modules of one scope, by their index into each source's list of modules, and the
// folded name and path that pairing compares.
class ScopePairing {
  public:
    ScopePairing(const std::array<const Source*, 2>& sources, const std::array<Indices, 2>& scope)
        : sources_(sources), scope_(scope) {
        for (int f = 0; f < 2; ++f) {
            taken_[f].assign(scope[f].size(), false);
            for (const int m : scope[f]) {
                name_[f].push_back(FoldName(Module(f, m).Name));
                path_[f].push_back(FoldPath(Module(f, m).RelativePath));
            }
        }
    }

    void ByName();
    void ByPath();
    void ByContent(const CompareOptions& options, std::vector<std::string>& notes);
    std::vector<ModulePair> Pairs(bool sameBytes);

  private:
    const ModuleEntry& Module(int f, int index) const { return sources_[f]->Modules[index]; }
    const ModuleEntry& At(int f, size_t position) const { return Module(f, scope_[f][position]); }
    void Pair(size_t p0, size_t p1, PairedBy by) {
        taken_[0][p0] = taken_[1][p1] = true;
        ModulePair pair;
        pair.Module = {scope_[0][p0], scope_[1][p1]};
        pair.By = by;
        pairs_.push_back(std::move(pair));
    }
    std::vector<size_t> Left(int f) const {
        std::vector<size_t> left;
        for (size_t p = 0; p < taken_[f].size(); ++p) {
            if (!taken_[f][p]) left.push_back(p);
        }
        return left;
    }

    std::array<const Source*, 2> sources_;
    std::array<Indices, 2> scope_;
    std::array<std::vector<bool>, 2> taken_;
    std::array<std::vector<std::string>, 2> name_, path_;
    std::vector<ModulePair> pairs_;
};

void ScopePairing::ByName() {
    std::map<std::pair<ModuleKind, std::string>, std::array<std::vector<size_t>, 2>> groups;
    for (int f = 0; f < 2; ++f) {
        for (size_t p = 0; p < scope_[f].size(); ++p) {
            groups[{At(f, p).Kind, name_[f][p]}][f].push_back(p);
        }
    }
    for (auto& [key, group] : groups) {
        if (group[0].empty() || group[1].empty()) continue;
        for (const size_t p0 : group[0]) {
            for (const size_t p1 : group[1]) {
                if (!taken_[1][p1] && path_[0][p0] == path_[1][p1]) {
                    Pair(p0, p1, PairedBy::Name);
                    break;
                }
            }
        }
        std::array<std::vector<size_t>, 2> left;
        for (int f = 0; f < 2; ++f) {
            for (const size_t p : group[f]) {
                if (!taken_[f][p]) left[f].push_back(p);
            }
        }
        if (left[0].size() == 1 && left[1].size() == 1) {
            Pair(left[0][0], left[1][0], PairedBy::Name);
        }
    }
}

void ScopePairing::ByPath() {
    std::map<std::string, std::vector<size_t>> byPath;
    for (const size_t p1 : Left(1)) byPath[path_[1][p1]].push_back(p1);
    for (const size_t p0 : Left(0)) {
        const auto same = byPath.find(path_[0][p0]);
        if (same == byPath.end()) continue;
        for (const size_t p1 : same->second) {
            if (!taken_[1][p1]) {
                Pair(p0, p1, PairedBy::Path);
                break;
            }
        }
    }
}

void ScopePairing::ByContent(const CompareOptions& options, std::vector<std::string>& notes) {
    std::array<std::vector<size_t>, 2> left;
    for (int f = 0; f < 2; ++f) {
        for (const size_t p : Left(f)) {
            if (At(f, p).Problem.empty()) left[f].push_back(p);
        }
    }
    if (left[0].empty() || left[1].empty()) return;
    if (static_cast<int64_t>(left[0].size()) * static_cast<int64_t>(left[1].size()) >
        MaxContentCandidates) {
        notes.push_back("Too many modules are left without a partner (" +
                        std::to_string(left[0].size()) + " in File 1, " +
                        std::to_string(left[1].size()) +
                        " in File 2) to pair them by content; they are listed as deleted and "
                        "added.");
        return;
    }
    std::array<std::vector<LineProfile>, 2> profile;
    for (int f = 0; f < 2; ++f) {
        for (const size_t p : left[f]) profile[f].push_back(ProfileOf(At(f, p), options));
    }
    struct Candidate {
        size_t I, J;  // into left[0] and left[1]
        int64_t Common, Smaller;
    };
    std::vector<Candidate> candidates;
    for (size_t i = 0; i < left[0].size(); ++i) {
        for (size_t j = 0; j < left[1].size(); ++j) {
            if (At(0, left[0][i]).Kind != At(1, left[1][j]).Kind) continue;
            const LineProfile& a = profile[0][i];
            const LineProfile& b = profile[1][j];
            if (!a.Readable || !b.Readable) continue;
            const int64_t common = CommonLines(a, b);
            if (!AlikeEnough(common, a, b)) continue;
            candidates.push_back(
                {i, j, common, static_cast<int64_t>(std::min(a.Lines.size(), b.Lines.size()))});
        }
    }
    // The larger share first (compared exactly, without division), then more lines in common.
    std::sort(candidates.begin(), candidates.end(), [](const Candidate& x, const Candidate& y) {
        const int64_t lhs = x.Common * y.Smaller, rhs = y.Common * x.Smaller;
        if (lhs != rhs) return lhs > rhs;
        return std::tie(y.Common, x.I, x.J) < std::tie(x.Common, y.I, y.J);
    });
    for (const Candidate& c : candidates) {
        const size_t p0 = left[0][c.I], p1 = left[1][c.J];
        if (!taken_[0][p0] && !taken_[1][p1]) Pair(p0, p1, PairedBy::Content);
    }
}

std::vector<ModulePair> ScopePairing::Pairs(bool sameBytes) {
    std::vector<ModulePair> pairs = std::move(pairs_);
    for (int f = 0; f < 2; ++f) {
        for (const size_t p : Left(f)) {
            ModulePair alone;
            alone.Module[f] = scope_[f][p];
            alone.Status = f == 0 ? ContentStatus::Deleted : ContentStatus::Added;
            pairs.push_back(std::move(alone));
        }
    }
    for (ModulePair& pair : pairs) {
        const ModuleEntry* side[2] = {pair.Module[0] >= 0 ? &Module(0, pair.Module[0]) : nullptr,
                                      pair.Module[1] >= 0 ? &Module(1, pair.Module[1]) : nullptr};
        const std::vector<Companion> none;
        pair.Companions = PairCompanions(side[0] ? side[0]->Companions : none,
                                         side[1] ? side[1]->Companions : none);
        if (!side[0] || !side[1]) continue;
        if (FoldPath(side[0]->RelativePath) != FoldPath(side[1]->RelativePath)) {
            pair.OldPath = side[0]->RelativePath;
        }
        if (FoldName(side[0]->Name) != FoldName(side[1]->Name)) {
            pair.From = Origin::Renamed;
            pair.OldName = side[0]->Name;
        } else if (!pair.OldPath.empty()) {
            pair.From = Origin::Moved;
        }
        if (sameBytes && SameBytes(*side[0], *side[1])) pair.Status = ContentStatus::Equal;
    }
    using Key = std::tuple<ModuleKind, std::string, std::string, int, int>;
    std::vector<std::pair<Key, size_t>> keys;
    for (size_t k = 0; k < pairs.size(); ++k) {
        const int f = pairs[k].Module[1] >= 0 ? 1 : 0;
        const ModuleEntry& m = Module(f, pairs[k].Module[f]);
        keys.push_back({{m.Kind, FoldName(m.Name), FoldPath(m.RelativePath), pairs[k].Module[0],
                         pairs[k].Module[1]},
                        k});
    }
    std::sort(keys.begin(), keys.end());
    std::vector<ModulePair> sorted;
    sorted.reserve(pairs.size());
    for (const auto& key : keys) sorted.push_back(std::move(pairs[key.second]));
    return sorted;
}

// The modules of a project (-1: a folder's own files), by index.
std::map<int, Indices> ModulesByProject(const Source& source) {
    std::map<int, Indices> byProject;
    for (int m = 0; m < static_cast<int>(source.Modules.size()); ++m) {
        byProject[source.Modules[m].Project].push_back(m);
    }
    return byProject;
}

}  // namespace

namespace {

// A companion's bytes are in memory (a document's) or in its file.
bool SameCompanionBytes(const Companion& a, const Companion& b, std::string* problem) {
    if (!a.Contents && !b.Contents) return SameFileBytes(a.FullPath, b.FullPath, problem);
    try {
        const auto bytes = [](const Companion& c) {
            return c.Contents ? *c.Contents : ReadInputFile(c.FullPath.string(), MaxModuleBytes);
        };
        return bytes(a) == bytes(b);
    } catch (const InputFileError& e) {
        *problem = e.what();
        return false;
    }
}

}  // namespace

CompanionPair CompareCompanionFiles(const Companion* a, const Companion* b) {
    CompanionPair pair;
    if (!a || !b) {
        pair.Status = a ? CompanionStatus::Deleted : CompanionStatus::Added;
        return pair;
    }
    if (!a->Problem.empty() || !b->Problem.empty()) {
        pair.Status = CompanionStatus::Unreadable;
        pair.Problem = !a->Problem.empty() ? a->RelativePath + ": " + a->Problem
                                           : b->RelativePath + ": " + b->Problem;
        return pair;
    }
    std::string problem;
    const bool same = SameCompanionBytes(*a, *b, &problem);
    pair.Status = same              ? CompanionStatus::Equal
                  : problem.empty() ? CompanionStatus::Different
                                    : CompanionStatus::Unreadable;
    pair.Problem = problem;
    return pair;
}

std::vector<CompanionPair> PairCompanions(const std::vector<Companion>& file1,
                                          const std::vector<Companion>& file2) {
    std::vector<int> partner(file2.size(), -1);
    std::vector<bool> taken(file1.size(), false);
    const auto match = [&](auto&& same) {
        for (size_t j = 0; j < file2.size(); ++j) {
            for (size_t i = 0; i < file1.size() && partner[j] < 0; ++i) {
                if (!taken[i] && same(file1[i], file2[j])) {
                    partner[j] = static_cast<int>(i);
                    taken[i] = true;
                }
            }
        }
    };
    match([](const Companion& a, const Companion& b) {
        return FoldName(FileNameOf(a.RelativePath)) == FoldName(FileNameOf(b.RelativePath));
    });
    match([](const Companion& a, const Companion& b) {
        return FoldName(ExtensionOf(a.RelativePath)) == FoldName(ExtensionOf(b.RelativePath));
    });
    std::vector<CompanionPair> pairs;
    for (size_t j = 0; j < file2.size(); ++j) {
        const Companion* a = partner[j] >= 0 ? &file1[static_cast<size_t>(partner[j])] : nullptr;
        CompanionPair pair = CompareCompanionFiles(a, &file2[j]);
        pair.Index = {partner[j], static_cast<int>(j)};
        pairs.push_back(std::move(pair));
    }
    for (size_t i = 0; i < file1.size(); ++i) {
        if (taken[i]) continue;
        CompanionPair pair = CompareCompanionFiles(&file1[i], nullptr);
        pair.Index = {static_cast<int>(i), -1};
        pairs.push_back(std::move(pair));
    }
    return pairs;
}

std::vector<std::array<int, 2>> PairProjectFiles(const Source& file1, const Source& file2,
                                                 bool withWorkspaces) {
    const std::array<const Source*, 2> source{&file1, &file2};
    std::array<std::vector<int>, 2> partner{std::vector<int>(file1.ProjectFiles.size(), -1),
                                            std::vector<int>(file2.ProjectFiles.size(), -1)};
    const auto file = [&](int f, size_t k) -> const ProjectFile& {
        return source[f]->ProjectFiles[k];
    };
    const auto eligible = [&](int f, size_t k) {
        return withWorkspaces || file(f, k).Kind != ProjectFileKind::Workspace;
    };
    const auto pair = [&](size_t i, size_t j) {
        partner[0][i] = static_cast<int>(j);
        partner[1][j] = static_cast<int>(i);
    };
    // Pairs what is left, the first File 2 file that agrees for each File 1 file.
    const auto match = [&](size_t first, auto&& same) {
        for (size_t i = first; i < partner[0].size(); ++i) {
            for (size_t j = first; j < partner[1].size() && partner[0][i] < 0; ++j) {
                if (partner[1][j] < 0 && eligible(0, i) && eligible(1, j) &&
                    file(0, i).Kind == file(1, j).Kind && same(file(0, i), file(1, j))) {
                    pair(i, j);
                }
            }
        }
    };
    const auto sameName = [](const ProjectFile& a, const ProjectFile& b) {
        return FoldName(a.Name) == FoldName(b.Name);
    };
    const auto samePath = [](const ProjectFile& a, const ProjectFile& b) {
        return FoldPath(a.RelativePath) == FoldPath(b.RelativePath);
    };
    const bool bothProjects =
        file1.Kind == SourceKind::Project && file2.Kind == SourceKind::Project;
    const bool bothGroups = file1.Kind == SourceKind::Group && file2.Kind == SourceKind::Group;
    if ((bothProjects || bothGroups) && !partner[0].empty() && !partner[1].empty()) pair(0, 0);
    if (bothGroups) {
        match(1, sameName);
        match(1, samePath);
    } else if (!bothProjects) {
        match(0, samePath);
        match(0, sameName);
    }
    std::vector<std::array<int, 2>> pairs;
    for (size_t i = 0; i < partner[0].size(); ++i) {
        if (eligible(0, i)) pairs.push_back({static_cast<int>(i), partner[0][i]});
    }
    for (size_t j = 0; j < partner[1].size(); ++j) {
        if (eligible(1, j) && partner[1][j] < 0) pairs.push_back({-1, static_cast<int>(j)});
    }
    return pairs;
}

ModulePairing PairModules(const Source& file1, const Source& file2,
                          const std::vector<std::array<int, 2>>& projectPairs,
                          const CompareOptions& options, bool sameBytes) {
    const std::array<const Source*, 2> sources{&file1, &file2};
    std::vector<std::array<Indices, 2>> scopes;
    if (file1.Kind == SourceKind::Group && file2.Kind == SourceKind::Group) {
        const std::array<std::map<int, Indices>, 2> byProject{ModulesByProject(file1),
                                                              ModulesByProject(file2)};
        for (const auto& projects : projectPairs) {
            std::array<Indices, 2> scope;
            for (int f = 0; f < 2; ++f) {
                const auto modules = byProject[f].find(projects[f]);
                if (projects[f] > 0 && modules != byProject[f].end()) scope[f] = modules->second;
            }
            scopes.push_back(std::move(scope));
        }
    } else {
        std::array<Indices, 2> scope;
        for (int f = 0; f < 2; ++f) {
            for (int m = 0; m < static_cast<int>(sources[f]->Modules.size()); ++m) {
                scope[f].push_back(m);
            }
        }
        scopes.push_back(std::move(scope));
    }
    ModulePairing result;
    for (const auto& scope : scopes) {
        ScopePairing pairing(sources, scope);
        pairing.ByName();
        pairing.ByPath();
        pairing.ByContent(options, result.Notes);
        for (ModulePair& pair : pairing.Pairs(sameBytes)) result.Pairs.push_back(std::move(pair));
    }
    return result;
}

}  // namespace dualis::project
