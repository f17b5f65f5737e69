// The window's value of a project comparison: the list's order, each pair's look, the changed
// pairs in order, and the paths the recent files remember.
#include "ProjectResults.h"

#include <algorithm>
#include <tuple>

#include "PathResolve.h"
#include "ProjectFacts.h"

namespace dualis {

using namespace project;

namespace {

const ModuleEntry& AnySide(const OpenedSources& opened, const ModulePair& pair) {
    const auto side = PairModules(opened.File1, opened.File2, pair);
    return *(side[1] ? side[1] : side[0]);
}

const Source& SourceOfAnySide(const OpenedSources& opened, const ModulePair& pair) {
    return pair.Module[1] >= 0 ? opened.File2 : opened.File1;
}

bool CompanionsDiffer(const ModulePair& pair) {
    return std::any_of(pair.Companions.begin(), pair.Companions.end(),
                       [](const CompanionPair& c) { return c.Status != CompanionStatus::Equal; });
}

}  // namespace

bool GroupsByFolder(const OpenedSources& opened) {
    return opened.File1.Kind == SourceKind::Folder || opened.File2.Kind == SourceKind::Folder;
}

std::string FolderOfModule(const OpenedSources& opened, const ModulePair& pair) {
    const std::string path = ModulePath(SourceOfAnySide(opened, pair), AnySide(opened, pair));
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? "" : path.substr(0, slash);
}

void PutInListOrder(OpenedSources& opened) {
    if (!GroupsByFolder(opened)) return;
    std::vector<ModulePair>& pairs = opened.Comparison.Modules;
    struct Key {
        bool AtTop;
        std::string Folder;
        size_t Index;
        bool operator<(const Key& o) const {
            return std::tie(AtTop, Folder, Index) < std::tie(o.AtTop, o.Folder, o.Index);
        }
    };
    std::vector<Key> keys;
    keys.reserve(pairs.size());
    for (size_t i = 0; i < pairs.size(); ++i) {
        const std::string folder = FolderOfModule(opened, pairs[i]);
        keys.push_back({folder.empty(), FoldPath(folder), i});
    }
    std::sort(keys.begin(), keys.end());
    std::vector<ModulePair> sorted;
    sorted.reserve(pairs.size());
    for (const Key& key : keys) sorted.push_back(std::move(pairs[key.Index]));
    pairs = std::move(sorted);
}

ProjectResults MakeResults(const std::array<std::string, 2>& names,
                           std::shared_ptr<const OpenedSources> opened) {
    ProjectResults results;
    results.Names = names;
    results.Results.resize(opened->Comparison.Modules.size());
    static const std::vector<Companion> none;
    for (const ProjectFilePair& pair : opened->Comparison.ProjectFiles) {
        const std::vector<Companion>& one =
            pair.File[0] >= 0
                ? opened->File1.ProjectFiles[static_cast<size_t>(pair.File[0])].Companions
                : none;
        const std::vector<Companion>& two =
            pair.File[1] >= 0
                ? opened->File2.ProjectFiles[static_cast<size_t>(pair.File[1])].Companions
                : none;
        results.ProjectCompanions.push_back(PairCompanions(one, two));
    }
    results.Opened = std::move(opened);
    return results;
}

std::string SourceLabel(const Source& source) {
    const std::string own = source.Path.filename().string();
    if (source.Kind == SourceKind::Folder) return own.empty() ? source.Path.string() : own;
    const std::string folder = source.Path.parent_path().filename().string();
    return folder.empty() ? own : folder + "/" + own;
}

ModuleLook LookOf(const ProjectResults& results, size_t pair) {
    const ModulePair& modules = results.Opened->Comparison.Modules[pair];
    const std::optional<ModuleResult>& result = results.Results[pair];
    ModuleLook look;
    if (!result) {
        // Pairing knows a module of one side only before it is compared.
        if (modules.Module[0] < 0 || modules.Module[1] < 0) {
            const bool added = modules.Module[0] < 0;
            look.Symbol = added ? '+' : '-';
            look.ProcStatus = added ? ProcAdded : ProcDeleted;
            look.Status = added ? "added" : "deleted";
        } else {
            look.Status = "pending";
        }
        return look;
    }
    look.Status = ModuleStatusText(modules, *result);
    if (!result->Problem.empty()) {
        look.Symbol = '!';
        return look;
    }
    switch (result->Status) {
        case ContentStatus::Changed:
            look.Symbol = '#';
            look.ProcStatus = ProcChanged;
            break;
        case ContentStatus::Added:
            look.Symbol = '+';
            look.ProcStatus = ProcAdded;
            break;
        case ContentStatus::Deleted:
            look.Symbol = '-';
            look.ProcStatus = ProcDeleted;
            break;
        default:
            // The same content in another place or under another name still differs.
            look.Symbol = ModuleUnchanged(modules, *result) ? '=' : '>';
            look.ProcStatus = look.Symbol == '=' ? ProcEqual : ProcChanged;
            break;
    }
    return look;
}

bool ModuleDiffers(const ProjectResults& results, size_t pair) {
    const ModulePair& modules = results.Opened->Comparison.Modules[pair];
    if (const std::optional<ModuleResult>& result = results.Results[pair]) {
        return !ModuleUnchanged(modules, *result);
    }
    return modules.Module[0] < 0 || modules.Module[1] < 0 || modules.From != Origin::Same ||
           CompanionsDiffer(modules);
}

bool ContentChanged(const ProjectResults& results, size_t pair) {
    const std::optional<ModuleResult>& result = results.Results[pair];
    return result && result->Problem.empty() &&
           (result->Status == ContentStatus::Changed || result->Status == ContentStatus::Added ||
            result->Status == ContentStatus::Deleted);
}

std::optional<size_t> ChangedModule(const ProjectResults& results, std::optional<size_t> from,
                                    int direction) {
    const auto count = static_cast<std::ptrdiff_t>(results.Results.size());
    std::ptrdiff_t i =
        from ? static_cast<std::ptrdiff_t>(*from) + direction : (direction > 0 ? 0 : count - 1);
    for (; i >= 0 && i < count; i += direction) {
        if (ContentChanged(results, static_cast<size_t>(i))) return static_cast<size_t>(i);
    }
    return std::nullopt;
}

std::string ModuleKey(const ProjectResults& results, size_t pair) {
    const OpenedSources& opened = *results.Opened;
    const ModulePair& modules = opened.Comparison.Modules[pair];
    return ModulePath(SourceOfAnySide(opened, modules), AnySide(opened, modules));
}

std::optional<size_t> ModuleNamed(const ProjectResults& results, const std::string& key) {
    if (key.empty()) return std::nullopt;
    const std::string folded = FoldPath(key);
    for (size_t i = 0; i < results.Results.size(); ++i) {
        if (FoldPath(ModuleKey(results, i)) == folded) return i;
    }
    return std::nullopt;
}

bool SettingsDiffer(const ProjectResults& results) {
    const auto& files = results.Opened->Comparison.ProjectFiles;
    return std::any_of(files.begin(), files.end(), [](const ProjectFilePair& pair) {
        return pair.Status != ContentStatus::Equal;
    });
}

}  // namespace dualis
