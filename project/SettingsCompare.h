// Two project files compared as settings, not as lines: members added, removed, renamed or
// moved; references and controls added, removed or of another version; every other key.
//
// Save noise — what the editor changes on a save without the user changing the project — is
// left out when ignoreSaveNoise is true: the order of members, RevisionVer when both files
// have AutoIncrementVer=1, every section but the keys before the first section and
// [VBCompiler] (so [MS Transaction Server], task lists and add-ins' sections), and letter case
// in member paths and in the path keys (ExeName32, Path32, ResFile32, CompatibleEXE32,
// HelpFile), and in a document's PROJECT stream, ID, CMG, DPB and GC. Workspace files (.vbw)
// are noise as a whole: PairProjectFiles leaves them out.
// References and controls are compared by identity in any order, whatever the option, and
// their paths as SameLibraryPath sees them.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "ProjectFile.h"

namespace dualis::project {

enum class SettingChange : uint8_t {
    Added,      // only File 2 has it
    Removed,    // only File 1 has it
    Changed,    // both have it with another value (another version, for a library)
    Moved,      // a member of the same name with another path
    Renamed,    // a member at the same path with another name
    Reordered,  // the same members in another order (only when save noise counts)
};

struct SettingDifference {
    SettingChange Change = SettingChange::Changed;
    std::string Section;  // "" for the keys before the first section
    std::string Key;      // as written (File 2's spelling when it has the key): "Class",
                          // "Reference", "ExeName32"; "Members" for Reordered
    // Which of a repeated key: a member's name (File 2's when it has it), a library's identity
    // (ParseReference); empty for a key that stands once.
    std::string Item;
    // File 1's and File 2's value as written, empty on the side that lacks it. For Reordered,
    // the members' names in each file's order, joined by ", ".
    std::array<std::string, 2> Value;
};

// The differences, in this order: a group's header, the members (by kind, then name), a
// group's startup project, the references, the controls (Object=), then every other key
// section by section, in File 1's order with File 2's new keys after. Equal files give none.
std::vector<SettingDifference> CompareProjectFiles(const ProjectFile& file1,
                                                   const ProjectFile& file2, bool ignoreSaveNoise);

}  // namespace dualis::project
