// The pieces that open each kind of source, shared by the folder scan and the project readers;
// OpenSource chooses among them.
#pragma once

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "ModuleFile.h"
#include "PathResolve.h"
#include "Source.h"

namespace dualis::project {

// The lookups one source makes, each file examined once.
class MemberLookup {
  public:
    FolderIndex Index;
    // ExamineModuleFile of the path, remembered.
    const ModuleFacts& FactsOf(const std::filesystem::path& path);

  private:
    std::map<std::filesystem::path, ModuleFacts> facts_;
};

Source OpenFolderSource(const std::filesystem::path& folder);
Source OpenProjectSource(const std::filesystem::path& file);
Source OpenGroupSource(const std::filesystem::path& file);
Source OpenDocumentSource(const std::filesystem::path& file);

// Looks up every module member of a project file under the file's folder: sets each member's
// RelativePath and, for a path-only member, its Name from the file's VB_Name; adds the
// project's companions (ResFile32, related documents that are not text); and, when `modules`
// is given, one ModuleEntry per module and text related document, with `projectIndex`.
// Absolute paths are noted.
void ResolveMembers(ProjectFile& file, int projectIndex, MemberLookup& lookup,
                    std::vector<ModuleEntry>* modules, std::vector<std::string>& notes);

// Looks up a group's member `member` from the group's folder and sets its RelativePath. Returns
// the project file to open, or nothing (noted) for a member that is not a .vbp — a group in a
// group is never followed, so groups cannot loop.
std::optional<std::filesystem::path> ResolveGroupMember(ProjectFile& group, size_t member,
                                                        MemberLookup& lookup,
                                                        std::vector<std::string>& notes);

// Sorts modules into the order the Source invariants give.
void SortModules(std::vector<ModuleEntry>& modules);

// The path made absolute and lexically normal, without a trailing separator.
std::filesystem::path CleanPath(const std::filesystem::path& path);

}  // namespace dualis::project
