// Opening a folder as a source: every VB source file under it is a module, every project file
// is compared as settings. Hidden names are skipped and symbolic links are listed, never
// followed, so neither a link loop nor a link out of the folder can make the scan wander.
#include <algorithm>
#include <set>
#include <vector>

#include "SourceBuild.h"
#include "TextCodec.h"

namespace dualis::project {
namespace {

namespace fs = std::filesystem;

struct FoundFiles {
    std::vector<std::pair<fs::path, ModuleKind>> Modules;
    std::vector<fs::path> Links;  // symbolic links with a module's extension
    std::vector<std::pair<fs::path, ProjectFileKind>> ProjectFiles;
    std::vector<fs::path> Companions;
};

std::optional<ProjectFileKind> ProjectFileKindOf(std::string_view extension) {
    if (EqualsIgnoringAsciiCase(extension, "vbp")) return ProjectFileKind::Project;
    if (EqualsIgnoringAsciiCase(extension, "vbg")) return ProjectFileKind::Group;
    if (EqualsIgnoringAsciiCase(extension, "vbw")) return ProjectFileKind::Workspace;
    return std::nullopt;
}

// Lists the folder tree depth first, at most MaxFolderEntries entries in all.
FoundFiles Scan(const fs::path& root, std::vector<std::string>& notes) {
    FoundFiles found;
    std::vector<fs::path> folders{root};
    int64_t entries = 0;
    while (!folders.empty()) {
        const fs::path folder = folders.back();
        folders.pop_back();
        std::error_code error;
        fs::directory_iterator it(folder, error), end;
        for (; !error && it != end; it.increment(error)) {
            if (++entries > MaxFolderEntries) {
                notes.push_back("The folder holds more than " + std::to_string(MaxFolderEntries) +
                                " files and folders; only the first are listed.");
                return found;
            }
            const fs::path& path = it->path();
            const std::string name = path.filename().string();
            if (name.starts_with('.')) continue;  // hidden: .git, .svn, editor files
            const std::string_view extension = ExtensionOf(name);
            const auto moduleKind = ModuleKindOfExtension(extension);
            std::error_code ignored;
            if (it->is_symlink(ignored)) {
                if (moduleKind) {
                    found.Links.push_back(path);
                } else if (fs::is_directory(path, ignored)) {
                    notes.push_back(RelativeText(path, root) +
                                    " is a symbolic link to a folder; it is not followed.");
                }
            } else if (it->is_directory(ignored)) {
                folders.push_back(path);
            } else if (moduleKind) {
                found.Modules.emplace_back(path, *moduleKind);
            } else if (const auto kind = ProjectFileKindOf(extension)) {
                found.ProjectFiles.emplace_back(path, *kind);
            } else if (IsCompanionExtension(extension)) {
                found.Companions.push_back(path);
            }
        }
        if (error) {
            notes.push_back("The folder " + RelativeText(folder, root) +
                            " cannot be listed: " + error.message() + ".");
        }
    }
    return found;
}

// Reads each project file found, looks up its members for their names and companions, and
// names a group's projects by their Name=.
std::vector<ProjectFile> ReadProjectFiles(const FoundFiles& found, const fs::path& root,
                                          MemberLookup& lookup, std::vector<std::string>& notes) {
    std::vector<ProjectFile> files;
    for (const auto& [path, kind] : found.ProjectFiles) {
        ProjectFile file = ReadProjectFile(path, kind);
        file.RelativePath = RelativeText(path, root);
        if (file.Problem.empty() && kind == ProjectFileKind::Project) {
            ResolveMembers(file, -1, lookup, nullptr, notes);
        } else if (file.Problem.empty() && kind == ProjectFileKind::Group) {
            for (size_t m = 0; m < file.Members.size(); ++m) {
                const auto project = ResolveGroupMember(file, m, lookup, notes);
                if (project && !project->empty()) {
                    file.Members[m].Name = ReadProjectFile(*project, ProjectFileKind::Project).Name;
                }
            }
        }
        files.push_back(std::move(file));
    }
    std::sort(files.begin(), files.end(), [](const ProjectFile& a, const ProjectFile& b) {
        return FoldPath(a.RelativePath) < FoldPath(b.RelativePath);
    });
    return files;
}

}  // namespace

Source OpenFolderSource(const fs::path& folder) {
    Source source;
    source.Kind = SourceKind::Folder;
    source.Path = folder;
    source.Name =
        DecodeName(folder.has_filename() ? folder.filename().string() : folder.generic_string());
    const FoundFiles found = Scan(folder, source.Notes);
    MemberLookup lookup;
    std::set<fs::path> claimed;
    for (const auto& [path, kind] : found.Modules) {
        const ModuleFacts& facts = lookup.FactsOf(path);
        ModuleEntry module;
        module.Kind = kind;
        module.Name = facts.VbName.empty() ? DecodeName(path.stem().string()) : facts.VbName;
        module.RelativePath = RelativeText(path, folder);
        module.FullPath = path;
        module.Companions = FindCompanions(path, kind, facts, folder, lookup.Index);
        module.Problem = facts.Problem;
        for (const Companion& c : module.Companions) claimed.insert(c.FullPath);
        source.Modules.push_back(std::move(module));
    }
    for (const fs::path& link : found.Links) {
        ModuleEntry module;
        module.Kind = *ModuleKindOfExtension(ExtensionOf(link.filename().string()));
        module.Name = DecodeName(link.stem().string());
        module.RelativePath = RelativeText(link, folder);
        module.FullPath = link;
        module.Problem = "It is a symbolic link; links in a folder are not followed.";
        module.IsLink = true;
        source.Modules.push_back(std::move(module));
    }
    source.ProjectFiles = ReadProjectFiles(found, folder, lookup, source.Notes);
    for (const ProjectFile& file : source.ProjectFiles) {
        for (const Companion& c : file.Companions) claimed.insert(c.FullPath);
    }
    for (const fs::path& path : found.Companions) {
        if (!claimed.contains(path)) {
            source.OtherFiles.push_back({RelativeText(path, folder), path, ""});
        }
    }
    std::sort(source.OtherFiles.begin(), source.OtherFiles.end(),
              [](const Companion& a, const Companion& b) {
                  return FoldPath(a.RelativePath) < FoldPath(b.RelativePath);
              });
    SortModules(source.Modules);
    return source;
}

}  // namespace dualis::project
