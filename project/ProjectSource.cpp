// Opening a project (.vbp) or a project group (.vbg) as a source: its members looked up on
// disk, as Windows would find them, into the plain list of modules.
#include <set>

#include "OsFiles.h"
#include "SourceBuild.h"
#include "TextCodec.h"

namespace dualis::project {
namespace {

void NoteAbsolute(const ProjectFile& file, const std::string& key, const std::string& value,
                  std::vector<std::string>& notes) {
    notes.push_back(file.RelativePath + ": " + key + "=" + value + " names an absolute path.");
}

Companion MakeCompanion(const ResolvedPath& found, const ModuleFacts& facts) {
    return {found.RelativePath, found.FullPath, facts.Binary ? "" : facts.Problem};
}

ModuleFacts MissingFacts() {
    ModuleFacts facts;
    facts.Problem = MissingFileProblem;
    return facts;
}

}  // namespace

const ModuleFacts& MemberLookup::FactsOf(const std::filesystem::path& path) {
    auto known = facts_.find(path);
    if (known == facts_.end()) known = facts_.emplace(path, ExamineModuleFile(path)).first;
    return known->second;
}

void ResolveMembers(ProjectFile& file, int projectIndex, MemberLookup& lookup,
                    std::vector<ModuleEntry>* modules, std::vector<std::string>& notes) {
    const std::filesystem::path folder = file.FullPath.parent_path();
    const ModuleFacts missing = MissingFacts();
    for (Member& member : file.Members) {
        const auto kind = ModuleKindOfKey(member.Key);
        if (!kind) continue;
        const ResolvedPath found = lookup.Index.Resolve(folder, member.Path);
        member.RelativePath = found.RelativePath;
        if (found.Absolute) NoteAbsolute(file, member.Key, member.Value, notes);
        // A path that is not found is never handed to the file system: a drive-letter path
        // would otherwise be taken from the current folder.
        const ModuleFacts& facts = found.Found ? lookup.FactsOf(found.FullPath) : missing;
        ModuleEntry module;
        module.Kind = *kind;
        module.Name = member.Name;
        module.RelativePath = found.RelativePath;
        module.FullPath = found.FullPath;
        module.Problem = facts.Problem;
        module.Project = projectIndex;
        if (*kind == ModuleKind::RelatedDocument) {
            // A related document is compared as text when it is text, else by its bytes.
            if (!facts.Problem.empty()) {
                file.Companions.push_back(MakeCompanion(found, facts));
            } else if (modules) {
                modules->push_back(std::move(module));
            }
            continue;
        }
        const bool named = *kind == ModuleKind::Module || *kind == ModuleKind::Class;
        if (!named && !facts.VbName.empty()) member.Name = module.Name = facts.VbName;
        if (!modules) continue;
        if (found.Found) {
            module.Companions = FindCompanions(found.FullPath, *kind, facts, folder, lookup.Index);
        }
        modules->push_back(std::move(module));
    }
    if (const Setting* res = FindSetting(file, "ResFile32")) {
        const std::string path = Unquote(res->Value);
        if (!path.empty()) {
            const ResolvedPath found = lookup.Index.Resolve(folder, path);
            if (found.Absolute) NoteAbsolute(file, res->Key, res->Value, notes);
            file.Companions.push_back(
                {found.RelativePath, found.FullPath,
                 found.Found ? AccessProblem(found.FullPath) : std::string(MissingFileProblem)});
        }
    }
}

std::optional<std::filesystem::path> ResolveGroupMember(ProjectFile& group, size_t member,
                                                        MemberLookup& lookup,
                                                        std::vector<std::string>& notes) {
    Member& m = group.Members[member];
    const ResolvedPath found = lookup.Index.Resolve(group.FullPath.parent_path(), m.Path);
    m.RelativePath = found.RelativePath;
    if (found.Absolute) NoteAbsolute(group, m.Key, m.Value, notes);
    const std::string_view extension = ExtensionOf(m.Path);
    if (EqualsIgnoringAsciiCase(extension, "vbg")) {
        notes.push_back(group.RelativePath + ": " + m.Key + "=" + m.Value +
                        " names a project group; a group lists projects only, so it is not "
                        "opened.");
        return std::nullopt;
    }
    if (!EqualsIgnoringAsciiCase(extension, "vbp")) {
        notes.push_back(group.RelativePath + ": " + m.Key + "=" + m.Value +
                        " does not name a project file (.vbp), so it is not opened.");
        return std::nullopt;
    }
    return found.Found ? found.FullPath : std::filesystem::path();
}

Source OpenProjectSource(const std::filesystem::path& file) {
    Source source;
    source.Kind = SourceKind::Project;
    source.Path = file;
    ProjectFile project = ReadProjectFile(file, ProjectFileKind::Project);
    if (!project.Problem.empty()) {
        source.Problem = project.Problem;
        return source;
    }
    project.RelativePath = DecodeName(file.filename().string());
    source.Name = project.Name;
    source.ProjectFiles.push_back(std::move(project));
    MemberLookup lookup;
    ResolveMembers(source.ProjectFiles[0], 0, lookup, &source.Modules, source.Notes);
    SortModules(source.Modules);
    return source;
}

Source OpenGroupSource(const std::filesystem::path& file) {
    Source source;
    source.Kind = SourceKind::Group;
    source.Path = file;
    ProjectFile group = ReadProjectFile(file, ProjectFileKind::Group);
    if (!group.Problem.empty()) {
        source.Problem = group.Problem;
        return source;
    }
    group.RelativePath = DecodeName(file.filename().string());
    source.Name = group.Name;
    source.ProjectFiles.push_back(std::move(group));
    MemberLookup lookup;
    std::set<std::filesystem::path> opened;
    // ProjectFiles grows below: the group is reached by index, never through a reference.
    for (size_t m = 0; m < source.ProjectFiles[0].Members.size(); ++m) {
        const auto path = ResolveGroupMember(source.ProjectFiles[0], m, lookup, source.Notes);
        if (!path) continue;
        Member& member = source.ProjectFiles[0].Members[m];
        if (!path->empty() && !opened.insert(*path).second) {
            source.Notes.push_back(source.ProjectFiles[0].RelativePath + ": " + member.Value +
                                   " is listed twice; it is opened once.");
            continue;
        }
        ProjectFile project;
        if (path->empty()) {
            project.Problem = MissingFileProblem;
            project.FullPath = source.Path.parent_path() / os::PathFromUtf8(member.RelativePath);
            project.Name = member.Name;
        } else {
            project = ReadProjectFile(*path, ProjectFileKind::Project);
        }
        project.RelativePath = member.RelativePath;
        member.Name = project.Name;
        const int index = static_cast<int>(source.ProjectFiles.size());
        source.ProjectFiles.push_back(std::move(project));
        if (source.ProjectFiles.back().Problem.empty()) {
            ResolveMembers(source.ProjectFiles.back(), index, lookup, &source.Modules,
                           source.Notes);
        }
    }
    SortModules(source.Modules);
    return source;
}

}  // namespace dualis::project
