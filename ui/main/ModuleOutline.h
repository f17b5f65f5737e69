// The module list's tree over a project comparison, and the words each of its entries shows:
// the project files' settings that differ as one entry at the top; between two groups a branch
// per project; a branch per kind ("Forms", "Classes", ...) or, when a folder is compared, per
// folder; the modules with their binary companions under them; the project files' own
// companions and a folder's other files in a branch of their own.
//
// Example: two projects that change frmMain and add cLog, whose Name= differs:
//   Project settings                      (the table: Name, "App", "App2")
//   Forms
//     # frmMain     2 changed, 1 added    (tip: File 1: /v1/frmMain.frm, File 2: ...)
//       = frmMain.frx  equal
//   Classes
//     + cLog        0 changed, 3 added
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <vector>

#include "ComparisonState.h"
#include "FileInformation.h"
#include "ProjectResults.h"

namespace dualis {

enum class OutlineKind : uint8_t {
    Settings,          // the project files' settings that differ
    Branch,            // a project, a kind or a folder
    Module,            // Item: the module pair
    Companion,         // Item: the module pair, Sub: its companion pair
    ProjectCompanion,  // Item: the project-file pair, Sub: its companion pair
    OtherFile,         // Sub: the folder's other file pair (ProjectComparison::OtherFiles)
};

struct OutlineNode {
    OutlineKind Kind = OutlineKind::Module;
    int Parent = -1;  // the node above, -1 at the top
    std::vector<int> Children;
    size_t Item = 0;
    size_t Sub = 0;
    std::string Label;  // a branch's heading
};

struct ModuleOutline {
    std::vector<OutlineNode> Nodes;
    std::vector<int> Roots;       // the top entries, in order
    std::vector<int> ModuleNode;  // by module pair: its node
};

// The tree of a comparison; it follows the pairs' order, which PutInListOrder made the list's.
ModuleOutline BuildOutline(const ProjectResults& results);

// A module's entry: its status symbol, a blank and its name (File 2's), with where it came from
// when it was moved ("cOrder, moved from src/cOrder.cls") or renamed ("modNew, renamed from
// modOld").
std::string ModuleText(const ProjectResults& results, size_t pair);
// Its counts of procedures once compared, those that are not zero: "2 changed, 1 added"; why
// it could not be compared (the first line) when it could not; empty while pending, when equal
// by its bytes, or when no procedure differs.
std::string CountsText(const ProjectResults& results, size_t pair);
// Its tip: "File 1: " and the full path (or "none"), "File 2: " and the same, on two lines, then
// its status and, when it could not be compared, the whole reason.
std::string ModuleTip(const ProjectResults& results, size_t pair);

// A companion's entry, its status in words ("equal", "different", "added", "deleted",
// "unreadable") and its tip (both paths, and the problem).
struct CompanionText {
    std::string Text;
    std::string Status;
    std::string Tip;
    project::CompanionStatus Change = project::CompanionStatus::Equal;
};
CompanionText DescribeCompanion(const ProjectResults& results, const OutlineNode& node);

// One line of the settings table: the setting, File 1's value and File 2's.
struct SettingRow {
    std::string Setting;
    std::array<std::string, 2> Value;
    bool operator==(const SettingRow&) const = default;
};
// Every difference of every project-file pair: its change, section, key and item as the
// setting ("changed Name", "added [VBCompiler] OptimizationType", "removed Class cOld"), prefixed
// by the project file's path when the comparison holds more than one; a project file only one
// side has, or one that cannot be read, as a line of its own.
std::vector<SettingRow> SettingsRows(const ProjectResults& results);

// The texts of a module shown in the window: the caption names the two files and the two
// sources, each label the source and the module's path within it before the file's counts, and
// the status line the module and the two sources before the procedures' counts.
void DescribeModule(FileInformationTexts& texts, const ComparisonState& state,
                    const ProjectResults& results, size_t pair);

}  // namespace dualis
