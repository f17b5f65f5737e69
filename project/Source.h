// A source: anything that yields modules — a folder, a project (.vbp), a project group (.vbg),
// an Office document's VBA project — opened into one plain list of modules and, for its project
// files, their tables of settings.
// Pairing and comparison work on this list alone, so every kind of source compares the same
// way, and against each other.
//
// Invariants of an opened Source:
// - Modules are sorted by Project, then Kind, then FoldName(Name), then FoldPath(RelativePath).
// - A module's Project is -1 for a folder's own files, else an index into ProjectFiles of a
//   project (never the group) that lists it; a file two projects of a group list appears once
//   under each. A document's modules are all under its PROJECT stream, 0.
// - A module's RelativePath starts at the folder of its project file, or at the folder itself
//   for Project -1; a companion's RelativePath starts at the same folder as its module's.
// - ProjectFiles: for a project, [0] is the project; for a group, [0] is the group and its
//   projects follow in the group's order; for a folder, every .vbp, .vbg and .vbw under it,
//   sorted by FoldPath(RelativePath); for a document, its PROJECT stream when it holds a VBA
//   project, else none. A ProjectFile's RelativePath starts at the source's folder (the folder
//   itself, or the folder of the opened project or group file).
// - A document's modules and companions hold their bytes in Contents (UTF-8 text for a module),
//   and their FullPath is the document's path followed by their RelativePath, for display.
// - When Problem is set, the source could not be opened at all and every list is empty.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "Kinds.h"
#include "ProjectFile.h"

namespace dualis::project {

struct ModuleEntry {
    ModuleKind Kind = ModuleKind::Module;
    // The member's name in a Module= or Class= line; else the file's Attribute VB_Name; else,
    // for a file that cannot be read or has none, its base name.
    std::string Name;
    std::string RelativePath;        // decoded, "/"-separated (see the invariants above)
    std::filesystem::path FullPath;  // the file on disk, or where it was looked for
    // The module's bytes when the source holds them in memory (a document); otherwise they are
    // read from FullPath (ReadModuleBytes).
    std::optional<std::string> Contents;
    // Raw lines of Contents (1-based, ascending, as the engine cuts lines) that change on every
    // save and mean nothing, left out of the comparison under IgnoreSaveNoise: a UserForm's
    // Attribute VB_Base line.
    std::vector<int32_t> NoiseLines;
    // What the user should know about a module that can be compared all the same: a document
    // module that holds only compiled code. Empty otherwise.
    std::string Note;
    std::vector<Companion> Companions;  // in the order of CompanionExtensions(Kind)
    std::string Problem;  // why the module cannot be read: missing, not text, too large, a link
    bool IsLink = false;  // a symbolic link met in a folder: listed, never followed
    int Project = -1;
};

enum class SourceKind : uint8_t { Folder, Project, Group, Document };

struct Source {
    SourceKind Kind = SourceKind::Folder;
    std::filesystem::path Path;  // the folder or the project file, absolute and lexically normal
    std::string Name;  // the project's or group's Name, else the folder's or document's name
    std::vector<ProjectFile> ProjectFiles;
    std::vector<ModuleEntry> Modules;
    // A folder's binary companions that no module and no project file claims (a stray .frx, a
    // .res no project names), sorted by FoldPath(RelativePath).
    std::vector<Companion> OtherFiles;
    std::string Problem;  // why the source could not be opened at all; empty when it was
    // A document that holds no VBA project: an empty source, which NoProjectNote tells of.
    bool HoldsNoProject = false;
    // What was met and not followed or only partly listed: symbolic links, absolute member
    // paths, groups within groups, projects listed twice, folders that cannot be listed, the
    // limit of entries in a folder. In the order met.
    std::vector<std::string> Notes;
};

// What a path names, by what it is on disk and its extension (any letter case).
enum class PathKind : uint8_t { Missing, Folder, Project, Group, ModuleFile, Document, OtherFile };
PathKind ClassifyPath(const std::filesystem::path& path);

// Opens a folder, a .vbp, a .vbg or an Office document. Never throws: a path that is none of
// them, a project file that is not one, or a document whose macros cannot be read comes back
// with Problem set.
Source OpenSource(const std::filesystem::path& path);

// What the user is told when a source could not be opened: "Unable to read the macros of
// File N" for a document, "Unable to open File N" for the others, then the name the user gave
// and the Problem, each on a line of its own.
std::string UnableToOpenSourceMessage(const Source& source, int fileIndex, const std::string& name);

// "File N holds no VBA project."
std::string NoProjectNote(int fileIndex);

// Empty when the two paths can be compared as sources (two folders, two projects, a folder
// and a project either way, two groups, a document with a document, a folder or a project);
// otherwise the reason, for the user.
std::string WhyNotComparable(const std::filesystem::path& file1,
                             const std::filesystem::path& file2);

// A folder holding more entries than this is listed up to it, with a note.
inline constexpr int64_t MaxFolderEntries = 1000000;

// The bytes of a module: Contents when the source holds them, else the file (as the engine
// reads an input file, at most MaxModuleBytes). Throws InputFileError with the reason.
std::string ReadModuleBytes(const ModuleEntry& module);

// A module file's bytes as the engine is to read them: with `codePage` not 0, bytes that have
// no byte-order mark and are not valid UTF-8 are decoded from that code page to UTF-8; else
// they are left as they are (the engine takes them as Windows-1252).
std::string DecodeModuleFile(std::string bytes, uint32_t codePage);

}  // namespace dualis::project
