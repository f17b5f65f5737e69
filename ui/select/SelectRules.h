// The file selection dialog's rules without a window: its working state, which sync controls
// are enabled, how one side's name is derived from the other's, and what OK stores.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "ComparisonState.h"
#include "Settings.h"

namespace dualis {

// The mount points of the file systems, as /proc/self/mounts lists them.
std::vector<std::string> SystemMountPoints();
// The mount points of a mount table's text (second field of each line, octal escapes decoded).
std::vector<std::string> ParseMountPoints(std::string_view mountsText);

// The dialog's working state; each pair is indexed by side, 0 for File 1 and 1 for File 2.
struct SelectState {
    int16_t PathRule = 0;  // the selected path option, 0 to 4; any other value syncs no folder
    std::array<std::string, 2> NewFileName;   // full name as last entered or derived
    std::array<std::string, 2> NewPath;       // folder, with its trailing separator
    std::array<std::string, 2> NewBaseName;   // name without folder and extension
    std::array<std::string, 2> NewExtension;  // without the dot
    bool FirstFocus = false;                  // no comparison yet and no file box has had the focus

    // The folders of the last confirmed selection (SourcePath and TargetPath of the settings).
    std::string SourcePath;
    std::string TargetPath;
    // The ticks of "File names" and "File extensions".
    bool SyncFileNames = false;
    bool SyncFileExtensions = false;

    // Where rule 4 finds the mount points; tests put a fixed table here.
    std::function<std::vector<std::string>()> MountTable = SystemMountPoints;
};

// Whether each of the three "same" syncs is enabled: the "Same" path option and the two ticks.
struct SyncEnabled {
    bool SamePath = true;
    bool FileNames = true;
    bool FileExtensions = true;
    bool operator==(const SyncEnabled&) const = default;
};

// At most two of the three may be on together, since all three would name File 1 again: with
// exactly two on, the third is disabled. All three on (a hand-edited settings file) disables
// none, so the user can switch one off.
SyncEnabled EnableSync(bool samePath, bool fileNames, bool fileExtensions);
SyncEnabled EnableSync(const SelectState& s);

// The state a first showing starts from: the path rule and ticks of the settings, the stored
// folders, and either the last compared names or, before any comparison, the folders alone.
SelectState StartState(const Settings& settings, const ComparisonState& comparison);
// Each showing after a comparison goes back to its names and the stored folders, so that edits
// left by a Cancel are dropped. Before any comparison nothing changes.
void ReloadConfirmed(SelectState& s, const Settings& settings, const ComparisonState& comparison);

// Sets side `index`'s full name and its folder, base name and extension.
void SetFileName(SelectState& s, int index, const std::string& fullName);

// Derives the other side's folder, base name and extension from side `index`.
void SyncNames(SelectState& s, int index);

// The rest of path1 after path2 when path1 begins with it (case counts); else, and for an empty
// path2, the empty text. No ".." steps are produced.
std::string GetRelativePath(const std::string& path1, const std::string& path2);

// A folder cut into its drive part and the rest: a drive letter ("C:"), a network share
// ("\\server\share" or "//server/share"), or else the longest mount point that holds it (none
// for the root file system, whose folders are all rest). The rest is trimmed of blanks.
struct DriveSplit {
    std::string Drive;
    std::string Rest;
    bool operator==(const DriveSplit&) const = default;
};
DriveSplit SplitDrive(const std::string& folder, const std::vector<std::string>& mountPoints);

// Rule 4: the other side's folder becomes its own drive part (from its stored folder) followed
// by the rest of the folder just chosen for side `index`.
void SetSamePathDifferentDrive(SelectState& s, int index);

// Builds the other side's full name from its parts; it is taken only when longer than three
// characters. True when it was taken.
bool BuildOtherFileName(SelectState& s, int index);

// OK is enabled exactly when the two names can be compared: two files (FileExists), or two
// folders, projects or groups that can be compared as projects (WhyNotComparable).
bool OKEnabled(const SelectState& s);
// The same while the user types `typed` (trimmed) in box `index`, before the name is applied:
// the typed name and the other side's name.
bool OKEnabledWhileTyping(const SelectState& s, int index, const std::string& typed);

// Why a file's name cannot be compared as a file ("No such file", "It is a folder", or the
// system's reason); empty when it can and for an empty box.
std::string NameProblem(const std::string& name);

// What stands under each file box for the two names: a name's own problem (NameProblem, but a
// folder, a project or a group is no problem in itself); else, for two names that are to be
// compared as projects and cannot be, the first line of WhyNotComparable's reason, under the
// box of the name that is no folder, project or group (File 2's when both are). Empty where
// nothing is wrong and for an empty box.
std::array<std::string, 2> PairProblems(const std::array<std::string, 2>& names);

// The check of OK before it stores anything.
enum class ConfirmCheck {
    File1Missing,
    File2Missing,
    NotComparable,  // two names that cannot be compared as projects
    SameFile,       // both names are the same text; the user may still go on
    Ready,
};
ConfirmCheck CheckConfirm(const SelectState& s);

// The text of a refused OK: "Unable to open File 1", the name and the reason on lines of their
// own, why the two cannot be compared as projects, or the same-file question.
std::string ConfirmMessage(ConfirmCheck check, const SelectState& s);

// OK: the path rule (kept when out of range), the ticks, the names and the folders go to the
// settings and the comparison's file names.
void ConfirmSelection(const SelectState& s, Settings& settings, ComparisonState& comparison);

}  // namespace dualis
