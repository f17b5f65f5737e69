#include "Source.h"

#include <algorithm>
#include <tuple>

#include "CodePage.h"
#include "Document.h"
#include "FileIO.h"
#include "ModuleFile.h"
#include "SourceBuild.h"
#include "TextCodec.h"

namespace dualis::project {
namespace {

namespace fs = std::filesystem;

std::string FileLabel(int index) {
    return "File " + std::to_string(index + 1);
}

}  // namespace

fs::path CleanPath(const fs::path& path) {
    std::error_code ignored;
    fs::path clean = fs::absolute(path, ignored).lexically_normal();
    if (!clean.has_filename() && clean.has_parent_path() && clean != clean.root_path()) {
        clean = clean.parent_path();
    }
    return clean;
}

PathKind ClassifyPath(const fs::path& path) {
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (!fs::exists(status)) return PathKind::Missing;
    if (fs::is_directory(status)) return PathKind::Folder;
    if (!fs::is_regular_file(status)) return PathKind::OtherFile;
    const std::string name = path.filename().string();
    const std::string_view extension = ExtensionOf(name);
    if (EqualsIgnoringAsciiCase(extension, "vbp")) return PathKind::Project;
    if (EqualsIgnoringAsciiCase(extension, "vbg")) return PathKind::Group;
    if (ModuleKindOfExtension(extension)) return PathKind::ModuleFile;
    if (office::IsDocumentExtension(extension)) return PathKind::Document;
    return PathKind::OtherFile;
}

Source OpenSource(const fs::path& path) {
    const fs::path clean = CleanPath(path);
    switch (ClassifyPath(clean)) {
        case PathKind::Folder:
            return OpenFolderSource(clean);
        case PathKind::Project:
            return OpenProjectSource(clean);
        case PathKind::Group:
            return OpenGroupSource(clean);
        case PathKind::Document:
            return OpenDocumentSource(clean);
        default:
            break;
    }
    Source source;
    source.Path = clean;
    const std::string problem = AccessProblem(clean);
    source.Problem = !problem.empty() ? problem
                                      : "It is not a folder, a project (.vbp), a project group "
                                        "(.vbg) or an Office document.";
    return source;
}

std::string UnableToOpenSourceMessage(const Source& source, int fileIndex,
                                      const std::string& name) {
    const std::string what =
        source.Kind == SourceKind::Document ? "Unable to read the macros of " : "Unable to open ";
    return what + FileLabel(fileIndex) + "\n" + name + "\n" + source.Problem;
}

std::string NoProjectNote(int fileIndex) {
    return FileLabel(fileIndex) + " holds no VBA project.";
}

std::string WhyNotComparable(const fs::path& file1, const fs::path& file2) {
    const std::array<PathKind, 2> kind{ClassifyPath(file1), ClassifyPath(file2)};
    const std::array<const fs::path*, 2> path{&file1, &file2};
    for (int f = 0; f < 2; ++f) {
        if (kind[f] == PathKind::Missing) {
            return "Unable to open " + FileLabel(f) + "\n" + path[f]->string() + "\n" +
                   AccessProblem(*path[f]);
        }
        if (kind[f] == PathKind::OtherFile) {
            return FileLabel(f) +
                   " is not a folder, a project (.vbp), a project group (.vbg) or an Office "
                   "document\n" +
                   path[f]->string();
        }
    }
    const auto either = [&](PathKind k) { return kind[0] == k || kind[1] == k; };
    if (kind[0] == PathKind::ModuleFile && kind[1] == PathKind::ModuleFile) {
        return "Two module files are compared as files, not as projects.";
    }
    if (either(PathKind::ModuleFile)) {
        return "A module file can only be compared with another module file, not with a "
               "folder, a project, a project group or an Office document.";
    }
    if (either(PathKind::Group) && kind[0] != kind[1]) {
        return "A project group can only be compared with another project group.";
    }
    return {};
}

std::string ReadModuleBytes(const ModuleEntry& module) {
    if (module.Contents) return *module.Contents;
    if (module.IsLink) throw InputFileError(module.Problem);
    return ReadInputFile(module.FullPath.string(), MaxModuleBytes);
}

std::string DecodeModuleFile(std::string bytes, uint32_t codePage) {
    if (codePage == 0 || bytes.starts_with(Utf8ByteOrderMark) ||
        bytes.starts_with(Utf16LeByteOrderMark) || bytes.starts_with(Utf16BeByteOrderMark) ||
        IsValidUtf8(bytes)) {
        return bytes;
    }
    // Not text at all (a NUL byte): left for the engine to refuse.
    if (bytes.find('\0') != std::string::npos) return bytes;
    return DecodeCodePage(bytes, codePage);
}

void SortModules(std::vector<ModuleEntry>& modules) {
    struct Key {
        int Project;
        ModuleKind Kind;
        std::string Name, Path;
        size_t Index;
        bool operator<(const Key& o) const {
            return std::tie(Project, Kind, Name, Path, Index) <
                   std::tie(o.Project, o.Kind, o.Name, o.Path, o.Index);
        }
    };
    std::vector<Key> keys;
    keys.reserve(modules.size());
    for (size_t k = 0; k < modules.size(); ++k) {
        keys.push_back({modules[k].Project, modules[k].Kind, FoldName(modules[k].Name),
                        FoldPath(modules[k].RelativePath), k});
    }
    std::sort(keys.begin(), keys.end());
    std::vector<ModuleEntry> sorted;
    sorted.reserve(modules.size());
    for (const Key& key : keys) sorted.push_back(std::move(modules[key.Index]));
    modules = std::move(sorted);
}

}  // namespace dualis::project
