// Opening an Office document as a source: its VBA project's modules, as the editor would export
// them (a form's designer text before its code), and its PROJECT stream as a table of settings.
#include <new>

#include "Document.h"
#include "FileIO.h"
#include "FormatError.h"
#include "ModuleText.h"
#include "SourceBuild.h"
#include "TextCodec.h"

namespace dualis::project {
namespace {

namespace fs = std::filesystem;
using office::DeclaredKind;
using office::VbaModule;
using office::VbaProject;

constexpr std::string_view CompiledOnlyNote =
    "Only compiled code is stored for this module: the source shown may not be what runs.";

ModuleKind KindOf(DeclaredKind kind) {
    switch (kind) {
        case DeclaredKind::Standard:
            return ModuleKind::Module;
        case DeclaredKind::Form:
            return ModuleKind::Form;
        default:
            return ModuleKind::Class;  // classes and documents export as .cls
    }
}

// The 1-based numbers of the lines of `text` (cut as the engine cuts them: CR LF, CR, LF) from
// line `first` on that start with "Attribute VB_Base".
std::vector<int32_t> BaseAttributeLines(std::string_view text, int32_t first) {
    std::vector<int32_t> lines;
    int32_t number = 1;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(start, end - start);
        line.remove_prefix(std::min(line.find_first_not_of(" \t"), line.size()));
        constexpr std::string_view key = "Attribute VB_Base";
        if (number >= first && line.size() > key.size() &&
            EqualsIgnoringAsciiCase(line.substr(0, key.size()), key) &&
            (line[key.size()] == ' ' || line[key.size()] == '=')) {
            lines.push_back(number);
        }
        ++number;
        start = end + (end + 1 < text.size() && text[end] == '\r' && text[end + 1] == '\n' ? 2 : 1);
    }
    return lines;
}

ModuleEntry EntryOf(const VbaModule& module, const fs::path& document,
                    std::vector<std::string>& notes) {
    ModuleEntry entry;
    entry.Kind = KindOf(module.Kind);
    entry.Name = module.Name;
    entry.RelativePath = office::ExportFileName(module);
    entry.FullPath = document / entry.RelativePath;
    entry.Project = 0;
    std::string text = office::ModuleText(module);
    // Only a form's base attribute names GUIDs that change on every save; a class's or a
    // document's names its kind.
    if (entry.Kind == ModuleKind::Form) {
        entry.NoiseLines = BaseAttributeLines(text, office::DesignerLineCount(module) + 1);
    }
    entry.Contents = std::move(text);
    if (module.CompiledOnly) entry.Note = CompiledOnlyNote;
    if (module.DesignerMissing) {
        notes.push_back(entry.RelativePath + ": the form's designer storage is missing.");
    }
    for (const office::DesignerPart& part : module.Parts) {
        Companion companion;
        companion.RelativePath = module.Name + "/" + part.Path;
        companion.FullPath = document / companion.RelativePath;
        companion.Contents = part.Bytes;
        entry.Companions.push_back(std::move(companion));
    }
    return entry;
}

Member MemberOf(const Setting& setting) {
    Member member;
    member.Key = setting.Key;
    member.Value = setting.Value;
    member.Name = setting.Value.substr(0, setting.Value.find('/'));
    const bool standard = EqualsIgnoringAsciiCase(setting.Key, "Module");
    const bool form = EqualsIgnoringAsciiCase(setting.Key, "BaseClass");
    member.Path = member.Name + (standard ? ".bas" : form ? ".frm" : ".cls");
    member.RelativePath = member.Path;
    return member;
}

// The PROJECT stream's lines, with what the dir stream knows and the stream does not say
// openly, before the first section: one Reference line per reference (its Libid, which the
// project files' references share), the conditional compilation constants, the protection.
ProjectFile ProjectFileOf(const VbaProject& project, const fs::path& document) {
    ProjectFile file;
    file.Kind = ProjectFileKind::Document;
    file.RelativePath = "PROJECT";
    file.FullPath = document / file.RelativePath;
    file.Name = project.Name;
    std::vector<Setting> added;
    for (const office::VbaReference& reference : project.References) {
        added.push_back({"", "Reference", reference.Libid});
    }
    if (!project.Constants.empty()) added.push_back({"", "Constants", project.Constants});
    added.push_back({"", "Protection", office::DescribeProtection(project.Protection)});
    bool inserted = false;
    for (const office::ProjectLine& line : project.ProjectLines) {
        if (!line.Section.empty() && !inserted) {
            file.Settings.insert(file.Settings.end(), added.begin(), added.end());
            inserted = true;
        }
        file.Settings.push_back({line.Section, line.Key, line.Value});
        const Setting& setting = file.Settings.back();
        if (setting.Section.empty() && (EqualsIgnoringAsciiCase(setting.Key, "Document") ||
                                        EqualsIgnoringAsciiCase(setting.Key, "Module") ||
                                        EqualsIgnoringAsciiCase(setting.Key, "Class") ||
                                        EqualsIgnoringAsciiCase(setting.Key, "BaseClass"))) {
            file.Members.push_back(MemberOf(setting));
        }
    }
    if (!inserted) file.Settings.insert(file.Settings.end(), added.begin(), added.end());
    return file;
}

}  // namespace

Source OpenDocumentSource(const fs::path& file) {
    Source source;
    source.Kind = SourceKind::Document;
    source.Path = file;
    source.Name = file.filename().string();
    std::optional<VbaProject> project;
    try {
        project = office::ReadDocumentMacros(ReadInputFile(file.string()));
    } catch (const InputFileError& e) {
        source.Problem = e.what();
        return source;
    } catch (const office::FormatError& e) {
        source.Problem = e.what();
        return source;
    } catch (const std::bad_alloc&) {
        source.Problem = "There is not enough memory for it.";
        return source;
    }
    if (!project) {
        source.HoldsNoProject = true;
        return source;
    }
    if (!project->Name.empty()) source.Name = project->Name;
    if (!project->CodePageKnown) {
        source.Notes.push_back("The project's code page " + std::to_string(project->CodePage) +
                               " is not known here: its text is read as Windows-1252.");
    }
    source.ProjectFiles.push_back(ProjectFileOf(*project, file));
    for (const VbaModule& module : project->Modules) {
        source.Modules.push_back(EntryOf(module, file, source.Notes));
    }
    SortModules(source.Modules);
    return source;
}

}  // namespace dualis::project
