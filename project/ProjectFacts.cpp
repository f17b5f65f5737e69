#include "ProjectFacts.h"

#include "PathResolve.h"

namespace dualis {

using namespace project;

std::string_view ContentStatusWord(ContentStatus status) {
    switch (status) {
        case ContentStatus::Equal:
            return "equal";
        case ContentStatus::Changed:
            return "changed";
        case ContentStatus::Added:
            return "added";
        case ContentStatus::Deleted:
            return "deleted";
        case ContentStatus::Unknown:
            break;
    }
    return "unknown";
}

std::string_view OriginWord(Origin origin) {
    switch (origin) {
        case Origin::Moved:
            return "moved";
        case Origin::Renamed:
            return "renamed";
        case Origin::Same:
            break;
    }
    return "same";
}

std::string_view PairedByWord(PairedBy by) {
    switch (by) {
        case PairedBy::Name:
            return "name";
        case PairedBy::Path:
            return "path";
        case PairedBy::Content:
            return "content";
        case PairedBy::None:
            break;
    }
    return "none";
}

std::string_view CompanionStatusWord(CompanionStatus status) {
    switch (status) {
        case CompanionStatus::Different:
            return "different";
        case CompanionStatus::Added:
            return "added";
        case CompanionStatus::Deleted:
            return "deleted";
        case CompanionStatus::Unreadable:
            return "unreadable";
        case CompanionStatus::Equal:
            break;
    }
    return "equal";
}

std::string_view SettingChangeWord(SettingChange change) {
    switch (change) {
        case SettingChange::Added:
            return "added";
        case SettingChange::Removed:
            return "removed";
        case SettingChange::Moved:
            return "moved";
        case SettingChange::Renamed:
            return "renamed";
        case SettingChange::Reordered:
            return "reordered";
        case SettingChange::Changed:
            break;
    }
    return "changed";
}

std::string_view SourceKindWord(SourceKind kind) {
    switch (kind) {
        case SourceKind::Project:
            return "project";
        case SourceKind::Group:
            return "group";
        case SourceKind::Document:
            return "document";
        case SourceKind::Folder:
            break;
    }
    return "folder";
}

std::string_view ProcStatusWord(const ProcRecord& proc) {
    if (proc.InFile(0) && !proc.InFile(1)) return "deleted";
    if (proc.InFile(1) && !proc.InFile(0)) return "added";
    return proc.Status == ProcEqual ? "equal" : "changed";
}

std::vector<std::string> SourceNotes(const Source& file1, const Source& file2) {
    std::vector<std::string> notes;
    const std::array<const Source*, 2> sources{&file1, &file2};
    for (int f = 0; f < 2; ++f) {
        if (sources[f]->HoldsNoProject) notes.push_back(NoProjectNote(f));
    }
    for (int f = 0; f < 2; ++f) {
        for (const std::string& note : sources[f]->Notes) {
            notes.push_back("File " + std::to_string(f + 1) + ": " + note);
        }
    }
    return notes;
}

std::vector<std::string> ModuleNotes(const std::array<const ModuleEntry*, 2>& side) {
    std::vector<std::string> notes;
    for (int f = 0; f < 2; ++f) {
        if (side[f] && !side[f]->Note.empty()) {
            notes.push_back("File " + std::to_string(f + 1) + ": " + side[f]->Note);
        }
    }
    return notes;
}

std::string ModulePath(const Source& source, const ModuleEntry& module) {
    if (module.Project < 0 || static_cast<size_t>(module.Project) >= source.ProjectFiles.size()) {
        return module.RelativePath;
    }
    const std::string& projectPath =
        source.ProjectFiles[static_cast<size_t>(module.Project)].RelativePath;
    const size_t slash = projectPath.rfind('/');
    if (slash == std::string::npos) return module.RelativePath;
    return NormalisePath(projectPath.substr(0, slash + 1) + module.RelativePath);
}

std::array<const ModuleEntry*, 2> PairModules(const Source& file1, const Source& file2,
                                              const ModulePair& pair) {
    return {pair.Module[0] >= 0 ? &file1.Modules[static_cast<size_t>(pair.Module[0])] : nullptr,
            pair.Module[1] >= 0 ? &file2.Modules[static_cast<size_t>(pair.Module[1])] : nullptr};
}

std::array<const ProjectFile*, 2> ProjectFileSides(const Source& file1, const Source& file2,
                                                   const ProjectFilePair& pair) {
    return {pair.File[0] >= 0 ? &file1.ProjectFiles[static_cast<size_t>(pair.File[0])] : nullptr,
            pair.File[1] >= 0 ? &file2.ProjectFiles[static_cast<size_t>(pair.File[1])] : nullptr};
}

std::string ProjectFileProblem(const std::array<const ProjectFile*, 2>& side) {
    for (int f = 0; f < 2; ++f) {
        if (side[f] && !side[f]->Problem.empty()) {
            return "File " + std::to_string(f + 1) + ": " + side[f]->Problem;
        }
    }
    return "";
}

std::string ModuleStatusText(const ModulePair& pair, const ModuleResult& result) {
    if (!result.Problem.empty()) return "unreadable";
    const std::string content(ContentStatusWord(result.Status));
    if (pair.From == Origin::Same || pair.Module[0] < 0 || pair.Module[1] < 0) return content;
    const std::string origin(OriginWord(pair.From));
    return result.Status == ContentStatus::Changed ? origin + ", changed" : origin;
}

bool ModuleUnchanged(const ModulePair& pair, const ModuleResult& result) {
    if (!result.Problem.empty() || result.Status != ContentStatus::Equal) return false;
    if (pair.From != Origin::Same) return false;
    for (const CompanionPair& companion : pair.Companions) {
        if (companion.Status != CompanionStatus::Equal) return false;
    }
    return true;
}

void ComparisonTally::AddProjectFile(const Source& file1, const Source& file2,
                                     const ProjectFilePair& pair) {
    if (!ProjectFileProblem(ProjectFileSides(file1, file2, pair)).empty()) trouble_ = true;
    if (pair.Status == ContentStatus::Unknown) trouble_ = true;
    if (pair.Status != ContentStatus::Equal) differs_ = true;
}

void ComparisonTally::AddModule(const ModulePair& pair, const ModuleResult& result) {
    for (const CompanionPair& companion : pair.Companions) AddCompanion(companion);
    if (!result.Problem.empty()) {
        ++modules_.Unreadable;
        trouble_ = true;
        return;
    }
    if (!ModuleUnchanged(pair, result)) differs_ = true;
    const bool bothSides = pair.Module[0] >= 0 && pair.Module[1] >= 0;
    if (bothSides && pair.From == Origin::Moved) {
        ++modules_.Moved;
    } else if (bothSides && pair.From == Origin::Renamed) {
        ++modules_.Renamed;
    } else if (result.Status == ContentStatus::Equal) {
        ++modules_.Equal;
    } else if (result.Status == ContentStatus::Changed) {
        ++modules_.Changed;
    } else if (result.Status == ContentStatus::Added) {
        ++modules_.Added;
    } else {
        ++modules_.Deleted;
    }
}

void ComparisonTally::AddOtherFile(const CompanionPair& pair) {
    AddCompanion(pair);
}

void ComparisonTally::AddCompanion(const CompanionPair& pair) {
    if (pair.Status == CompanionStatus::Unreadable) trouble_ = true;
    if (pair.Status != CompanionStatus::Equal) differs_ = true;
}

}  // namespace dualis
