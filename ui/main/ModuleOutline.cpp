// The module list's tree and its texts, built from the window's value of a project comparison.
#include "ModuleOutline.h"

#include <map>
#include <tuple>

#include "DirectionControls.h"
#include "ProjectFacts.h"

namespace dualis {

using namespace project;

namespace {

constexpr const char* OtherFilesHeading = "Other files";

// Appends the parts in turn: a text put before another one by operator+ sets off GCC 12's
// false -Wrestrict warning.
void Append(std::string& to, std::initializer_list<std::string_view> parts) {
    for (std::string_view part : parts) to += part;
}

std::string KindHeading(ModuleKind kind) {
    switch (kind) {
        case ModuleKind::Form:
            return "Forms";
        case ModuleKind::Module:
            return "Modules";
        case ModuleKind::Class:
            return "Classes";
        case ModuleKind::UserControl:
            return "User Controls";
        case ModuleKind::PropertyPage:
            return "Property Pages";
        case ModuleKind::UserDocument:
            return "User Documents";
        case ModuleKind::Designer:
            return "Designers";
        case ModuleKind::RelatedDocument:
            break;
    }
    return "Related Documents";
}

// The project-file pair that holds a module of a pair, between two groups; -1 for none.
int ProjectPairOf(const OpenedSources& opened, const ModulePair& pair) {
    const auto side = PairModules(opened.File1, opened.File2, pair);
    const auto& files = opened.Comparison.ProjectFiles;
    for (size_t p = 0; p < files.size(); ++p) {
        for (int f = 0; f < 2; ++f) {
            if (side[f] && side[f]->Project >= 0 && files[p].File[f] == side[f]->Project) {
                return static_cast<int>(p);
            }
        }
    }
    return -1;
}

const ProjectFile* SideFile(const OpenedSources& opened, const ProjectFilePair& pair, int f) {
    const Source& source = f == 0 ? opened.File1 : opened.File2;
    return pair.File[f] >= 0 ? &source.ProjectFiles[static_cast<size_t>(pair.File[f])] : nullptr;
}

std::string FileNameOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string CompanionPath(const std::vector<Companion>* list, int index) {
    return list && index >= 0 ? (*list)[static_cast<size_t>(index)].RelativePath : "";
}

std::string FullPathOf(const std::vector<Companion>* list, int index) {
    return list && index >= 0 ? (*list)[static_cast<size_t>(index)].FullPath.string() : "none";
}

char CompanionSymbol(CompanionStatus status) {
    switch (status) {
        case CompanionStatus::Equal:
            return '=';
        case CompanionStatus::Different:
            return '#';
        case CompanionStatus::Added:
            return '+';
        case CompanionStatus::Deleted:
            return '-';
        case CompanionStatus::Unreadable:
            break;
    }
    return '!';
}

class Builder {
  public:
    explicit Builder(ModuleOutline& outline) : outline_(outline) {}

    int Add(OutlineKind kind, int parent, size_t item = 0, size_t sub = 0, std::string label = {}) {
        const int index = static_cast<int>(outline_.Nodes.size());
        outline_.Nodes.push_back({kind, parent, {}, item, sub, std::move(label)});
        (parent < 0 ? outline_.Roots : outline_.Nodes[static_cast<size_t>(parent)].Children)
            .push_back(index);
        return index;
    }

    // The branch of `label` under `parent`, made when first asked for.
    int Branch(int parent, const std::string& label) {
        const auto key = std::pair(parent, label);
        const auto found = branches_.find(key);
        if (found != branches_.end()) return found->second;
        const int index = Add(OutlineKind::Branch, parent, 0, 0, label);
        branches_.emplace(key, index);
        return index;
    }

  private:
    ModuleOutline& outline_;
    std::map<std::pair<int, std::string>, int> branches_;
};

}  // namespace

ModuleOutline BuildOutline(const ProjectResults& results) {
    const OpenedSources& opened = *results.Opened;
    ModuleOutline outline;
    Builder build(outline);
    if (SettingsDiffer(results)) build.Add(OutlineKind::Settings, -1);
    const bool byFolder = GroupsByFolder(opened);
    const bool byProject =
        opened.File1.Kind == SourceKind::Group && opened.File2.Kind == SourceKind::Group;
    // A project's branch, between two groups; the top otherwise.
    auto projectBranch = [&](int filePair) {
        if (!byProject || filePair < 0) return -1;
        const ProjectFilePair& files =
            opened.Comparison.ProjectFiles[static_cast<size_t>(filePair)];
        const ProjectFile* file = SideFile(opened, files, 1);
        if (!file) file = SideFile(opened, files, 0);
        return build.Branch(-1, NameDirectionControls(file->Name));
    };
    const auto& pairs = opened.Comparison.Modules;
    outline.ModuleNode.resize(pairs.size());
    for (size_t i = 0; i < pairs.size(); ++i) {
        int parent = -1;
        if (byFolder) {
            const std::string folder = FolderOfModule(opened, pairs[i]);
            if (!folder.empty()) parent = build.Branch(-1, NameDirectionControls(folder));
        } else {
            const auto side = PairModules(opened.File1, opened.File2, pairs[i]);
            const ModuleKind kind = (side[1] ? side[1] : side[0])->Kind;
            parent =
                build.Branch(projectBranch(ProjectPairOf(opened, pairs[i])), KindHeading(kind));
        }
        const int node = build.Add(OutlineKind::Module, parent, i);
        outline.ModuleNode[i] = node;
        for (size_t c = 0; c < pairs[i].Companions.size(); ++c) {
            build.Add(OutlineKind::Companion, node, i, c);
        }
    }
    for (size_t p = 0; p < results.ProjectCompanions.size(); ++p) {
        for (size_t c = 0; c < results.ProjectCompanions[p].size(); ++c) {
            const int parent = build.Branch(projectBranch(static_cast<int>(p)), OtherFilesHeading);
            build.Add(OutlineKind::ProjectCompanion, parent, p, c);
        }
    }
    for (size_t c = 0; c < opened.Comparison.OtherFiles.size(); ++c) {
        build.Add(OutlineKind::OtherFile, build.Branch(-1, OtherFilesHeading), 0, c);
    }
    return outline;
}

std::string ModuleText(const ProjectResults& results, size_t pair) {
    const OpenedSources& opened = *results.Opened;
    const ModulePair& modules = opened.Comparison.Modules[pair];
    const auto side = PairModules(opened.File1, opened.File2, modules);
    std::string text(1, LookOf(results, pair).Symbol);
    Append(text, {" ", NameDirectionControls((side[1] ? side[1] : side[0])->Name)});
    if (side[0] && side[1]) {
        // A renamed module's file is usually renamed with it: its old name says enough, and the
        // tip gives both paths.
        if (modules.From == Origin::Renamed) {
            Append(text, {", renamed from ", NameDirectionControls(modules.OldName)});
        } else if (!modules.OldPath.empty()) {
            Append(text, {", moved from ", NameDirectionControls(modules.OldPath)});
        }
    }
    return text;
}

std::string CountsText(const ProjectResults& results, size_t pair) {
    const std::optional<ModuleResult>& result = results.Results[pair];
    if (!result) return "";
    if (!result->Problem.empty()) {
        return NameDirectionControls(result->Problem.substr(0, result->Problem.find('\n')));
    }
    if (!result->Parsed) return "";
    // Only the counts that are not zero, so that the column stays narrow; none leaves the
    // module's status to be shown.
    const ProcCounts& counts = result->Procedures;
    std::string text;
    for (const auto& [count, word] :
         {std::pair{counts.Changed, " changed"}, std::pair{counts.Added, " added"},
          std::pair{counts.Deleted, " deleted"}}) {
        if (count == 0) continue;
        if (!text.empty()) text += ", ";
        text += std::to_string(count) + word;
    }
    return text;
}

std::string ModuleTip(const ProjectResults& results, size_t pair) {
    const OpenedSources& opened = *results.Opened;
    const auto side = PairModules(opened.File1, opened.File2, opened.Comparison.Modules[pair]);
    std::string tip;
    for (int f = 0; f < 2; ++f) {
        if (f == 1) tip += "\n";
        Append(tip, {"File ", std::to_string(f + 1), ": "});
        tip += side[f] ? NameDirectionControls(side[f]->FullPath.string()) : "none";
    }
    Append(tip, {"\n", LookOf(results, pair).Status});
    const std::optional<ModuleResult>& result = results.Results[pair];
    if (result && !result->Problem.empty())
        Append(tip, {"\n", NameDirectionControls(result->Problem)});
    return tip;
}

CompanionText DescribeCompanion(const ProjectResults& results, const OutlineNode& node) {
    const OpenedSources& opened = *results.Opened;
    std::array<const std::vector<Companion>*, 2> lists{};
    const CompanionPair* pair = nullptr;
    if (node.Kind == OutlineKind::Companion) {
        const ModulePair& modules = opened.Comparison.Modules[node.Item];
        const auto side = PairModules(opened.File1, opened.File2, modules);
        for (int f = 0; f < 2; ++f) lists[f] = side[f] ? &side[f]->Companions : nullptr;
        pair = &modules.Companions[node.Sub];
    } else if (node.Kind == OutlineKind::ProjectCompanion) {
        const ProjectFilePair& files = opened.Comparison.ProjectFiles[node.Item];
        for (int f = 0; f < 2; ++f) {
            const ProjectFile* file = SideFile(opened, files, f);
            lists[f] = file ? &file->Companions : nullptr;
        }
        pair = &results.ProjectCompanions[node.Item][node.Sub];
    } else {
        lists = {&opened.File1.OtherFiles, &opened.File2.OtherFiles};
        pair = &opened.Comparison.OtherFiles[node.Sub];
    }
    std::string path = CompanionPath(lists[1], pair->Index[1]);
    if (path.empty()) path = CompanionPath(lists[0], pair->Index[0]);
    CompanionText text;
    // A folder's other files stand together in one branch: their paths tell them apart.
    const std::string shown = node.Kind == OutlineKind::OtherFile ? path : FileNameOf(path);
    text.Text = std::string(1, CompanionSymbol(pair->Status)) + " " + NameDirectionControls(shown);
    text.Status = std::string(CompanionStatusWord(pair->Status));
    text.Change = pair->Status;
    text.Tip = "File 1: " + NameDirectionControls(FullPathOf(lists[0], pair->Index[0])) +
               "\nFile 2: " + NameDirectionControls(FullPathOf(lists[1], pair->Index[1])) + "\n" +
               text.Status;
    if (!pair->Problem.empty()) Append(text.Tip, {"\n", NameDirectionControls(pair->Problem)});
    return text;
}

std::vector<SettingRow> SettingsRows(const ProjectResults& results) {
    const OpenedSources& opened = *results.Opened;
    const auto& files = opened.Comparison.ProjectFiles;
    std::vector<SettingRow> rows;
    for (const ProjectFilePair& pair : files) {
        const std::array<const ProjectFile*, 2> side{SideFile(opened, pair, 0),
                                                     SideFile(opened, pair, 1)};
        const ProjectFile& any = *(side[1] ? side[1] : side[0]);
        const std::string prefix =
            files.size() > 1 ? NameDirectionControls(any.RelativePath) + ": " : "";
        if (!side[0] || !side[1]) {
            const int f = side[0] ? 0 : 1;
            SettingRow row{prefix, {}};
            Append(row.Setting, {f == 0 ? "deleted" : "added", " project file"});
            row.Value[f] = NameDirectionControls(any.RelativePath);
            rows.push_back(row);
            continue;
        }
        for (int f = 0; f < 2; ++f) {
            if (side[f]->Problem.empty()) continue;
            SettingRow row{prefix, {}};
            Append(row.Setting, {"unreadable project file"});
            row.Value[f] = NameDirectionControls(side[f]->Problem);
            rows.push_back(row);
        }
        for (const SettingDifference& d : pair.Differences) {
            std::string setting = prefix;
            Append(setting, {SettingChangeWord(d.Change), " "});
            if (!d.Section.empty()) Append(setting, {"[", NameDirectionControls(d.Section), "] "});
            setting += NameDirectionControls(d.Key);
            if (!d.Item.empty()) Append(setting, {" ", NameDirectionControls(d.Item)});
            rows.push_back(
                {setting, {NameDirectionControls(d.Value[0]), NameDirectionControls(d.Value[1])}});
        }
    }
    return rows;
}

void DescribeModule(FileInformationTexts& texts, const ComparisonState& state,
                    const ProjectResults& results, size_t pair) {
    const OpenedSources& opened = *results.Opened;
    const auto side = PairModules(opened.File1, opened.File2, opened.Comparison.Modules[pair]);
    const std::array<const Source*, 2> sources{&opened.File1, &opened.File2};
    const std::array<std::string, 2> label{NameDirectionControls(SourceLabel(opened.File1)),
                                           NameDirectionControls(SourceLabel(opened.File2))};
    const std::string name = NameDirectionControls((side[1] ? side[1] : side[0])->Name);
    std::array<std::string, 2> files;
    for (int f = 0; f < 2; ++f) {
        const std::string shownName = NameDirectionControls(state.FileName[f]);
        // The counts after the file's name stay as the file pair shows them.
        const std::string rest =
            texts.Label[f].substr(std::min(shownName.size(), texts.Label[f].size()));
        if (side[f]) {
            files[f] = FileNameOf(ModulePath(*sources[f], *side[f]));
            texts.Label[f] = label[f] + " \u203A " +
                             NameDirectionControls(ModulePath(*sources[f], *side[f])) + rest;
        } else {
            files[f] = "(none)";
            texts.Label[f] = label[f] + ": no module " + name;
        }
    }
    texts.Caption = "Dualis " + NameDirectionControls(files[0]) + ":" +
                    NameDirectionControls(files[1]) + " in " + label[0] + ":" + label[1];
    texts.StatusText =
        "Module " + name + " of " + label[0] + " : " + label[1] + " \u2014 " + texts.StatusText;
}

}  // namespace dualis
