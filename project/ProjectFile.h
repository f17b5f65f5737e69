// A project file (.vbp), a project group (.vbg) or a workspace file (.vbw) read as its table of
// settings, in file order, with the members it lists.
//
// A .vbp: "Type=Exe", then keys such as "Form=frmMain.frm", "Module=modMain; modMain.bas",
// "Reference=*\G{…}#2.0#0#…\stdole2.tlb#OLE Automation", "Name="Project1"", and sections such
// as "[MS Transaction Server]" with keys of their own. A .vbg: "VBGROUP 5.0", then
// "StartupProject=…" and "Project=…" lines.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dualis::project {

// A Document is the PROJECT stream of an Office document's VBA project, with what its dir
// stream adds (references, constants, protection); see DocumentSource.cpp.
enum class ProjectFileKind : uint8_t { Project, Group, Workspace, Document };

// Project files larger than this are refused: a project of 10,000 members is under 1 MiB.
inline constexpr int64_t MaxProjectFileBytes = 16 * 1024 * 1024;

// One "key=value" line. A line without "=" is kept as a key with an empty value.
struct Setting {
    std::string Section;  // "" before the first "[section]" line, else the name in the brackets
    std::string Key;      // decoded, blanks around it trimmed
    std::string Value;    // decoded, blanks around it trimmed, quotes kept
};

// A file a project or group lists: a module, a related document, or (in a group) a project.
struct Member {
    std::string Key;    // as written: Form, Module, Class, UserControl, PropertyPage,
                        // UserDocument, Designer, RelatedDoc; Project or StartupProject in a group
    std::string Value;  // the value as written
    // The name in the line for Module= and Class=; otherwise, once the source is opened, the
    // module's VB_Name or the project's Name=; until then, and for a file that cannot be read,
    // the file's base name.
    std::string Name;
    std::string Path;  // the path as written, backslashes and all
    // The path from the project file's folder: "/"-separated, decoded, spelled as on disk once
    // the file is found (NormalisePath of Path until then).
    std::string RelativePath;
};

// A binary file that belongs to a module or a project: .frx .ctx .pgx .dox .dsx .dca, a .res
// named by ResFile32, a related document that is not text.
struct Companion {
    std::string RelativePath;        // as Member::RelativePath, from the same folder
    std::filesystem::path FullPath;  // the file on disk, or where it was looked for
    std::string Problem;             // why it cannot be read (missing, ...); empty when it can
    // The bytes when the source holds them in memory (a document's form data); otherwise they
    // are read from FullPath.
    std::optional<std::string> Contents = std::nullopt;
};

struct ProjectFile {
    ProjectFileKind Kind = ProjectFileKind::Project;
    std::string RelativePath;           // within its source ("Project1.vbp", "sub/App.vbp")
    std::filesystem::path FullPath;     // empty for a file parsed from memory
    std::string Name;                   // Name= without quotes; else the file's base name
    std::string Header;                 // a group's first line, "VBGROUP 5.0"; empty otherwise
    std::vector<Setting> Settings;      // every line but the header and the blank ones, in order
    std::vector<Member> Members;        // in file order; for a workspace, none
    std::vector<Companion> Companions;  // ResFile32 and binary related documents, in file order
    // Why the file could not be read or is not a project file of its kind; then Settings and
    // Members are empty.
    std::string Problem;
};

// Parses project-file bytes: lines end at CR LF, CR or LF; the text is UTF-8 when valid, else
// Windows-1252. A .vbp must have a Type= key before its first section, a .vbg must start with
// VBGROUP; otherwise Problem says so. Never throws.
ProjectFile ParseProjectText(std::string_view bytes, ProjectFileKind kind);

// Reads and parses a file. A file that cannot be read, is not text or is larger than
// MaxProjectFileBytes comes back with Problem set. FullPath and Name are set; RelativePath is
// left to the caller.
ProjectFile ReadProjectFile(const std::filesystem::path& path, ProjectFileKind kind);

// The first setting of the key (any letter case) before the first section; null when none.
const Setting* FindSetting(const ProjectFile& file, std::string_view key);

// A value without one pair of surrounding double quotes.
std::string Unquote(std::string_view value);

// The file's base name of a written path: "..\src\cFoo.cls" gives "cFoo".
std::string BaseNameOf(std::string_view writtenPath);

}  // namespace dualis::project
