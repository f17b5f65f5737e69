// The comparison of two projects, groups or folders as the window holds it: the sources opened
// and paired, the module pairs in the module list's order, and each module's result as it
// arrives from the background. Plain values that the module list and the window read.
//
// Example: two folders v1 and v2, each with src/cOrder.cls and modMain.bas, v2 also with
// src/frmAbout.frm. The list groups by folder, folders first: "src" holds cOrder (pair 0) and
// frmAbout (pair 1, added: known to differ before any result), then modMain (pair 2) stands at
// the top. Until its result arrives a pair is pending, "?"; Next Changed Module skips pending
// and equal pairs.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ModuleCompare.h"
#include "ProjectOpen.h"

namespace dualis {

struct ProjectResults {
    // The two names compared (folders, projects or groups), as the recent files keep them.
    std::array<std::string, 2> Names;
    // Both sources and their comparison, the module pairs in the list's order (PutInListOrder).
    // The background comparison reads it at the same time; nobody changes it.
    std::shared_ptr<const project::OpenedSources> Opened;
    // By module pair: its result once it arrived, without its comparison state; none while the
    // pair is pending.
    std::vector<std::optional<project::ModuleResult>> Results;
    // By project-file pair: the two project files' binary companions (a resource file, related
    // documents that are not text), paired by name.
    std::vector<std::vector<project::CompanionPair>> ProjectCompanions;
};

// True when the list groups the modules by folder: either side is a folder. Otherwise it groups
// them by project (between two groups) and by kind.
bool GroupsByFolder(const project::OpenedSources& opened);

// The folder of a module's path within its source, "/"-separated; empty at the top.
std::string FolderOfModule(const project::OpenedSources& opened, const project::ModulePair& pair);

// Puts the module pairs into the list's order. By folder: the folders in the order of their
// folded paths, then the modules at the top; within a folder, the pairing's order (kind, then
// name). Otherwise the pairing's order already goes by project and kind.
void PutInListOrder(project::OpenedSources& opened);

// The value for sources just opened and put in the list's order: every pair pending.
ProjectResults MakeResults(const std::array<std::string, 2>& names,
                           std::shared_ptr<const project::OpenedSources> opened);

// A source as the caption and the labels name it: a folder by its name, a project or group
// file by its folder's name and its own ("v1/App.vbp").
std::string SourceLabel(const project::Source& source);

// How a pair is listed: its status symbol, the procedure class whose colours it takes and its
// status in words.
struct ModuleLook {
    char Symbol = '?';  // '=', '#' changed, '+', '-', '>' moved or renamed only, '!', '?' pending
    int16_t ProcStatus = 0;  // ProcEqual, ProcChanged, ProcAdded, ProcDeleted; 0: none
    std::string Status;      // ModuleStatusText, or "pending"
};
ModuleLook LookOf(const ProjectResults& results, size_t pair);

// Whether the filter "only modules that differ" shows the pair: its result says it differs
// (content, name, place or companions, or it could not be read); a pending pair only when
// pairing already tells (one side only, moved, renamed, companions that differ).
bool ModuleDiffers(const ProjectResults& results, size_t pair);

// Whether the pair's content changed, by its result: changed, added or deleted. Pending pairs
// and pairs that could not be read are not.
bool ContentChanged(const ProjectResults& results, size_t pair);

// The next (`direction` 1) or prior (-1) pair after `from` whose content changed, in the list's
// order; from none, the first (last). Nothing wraps round; none when there is none.
std::optional<size_t> ChangedModule(const ProjectResults& results, std::optional<size_t> from,
                                    int direction);

// What the recent files remember of a pair: its module's path within File 2's source (File 1's
// when only File 1 has it); and the pair that a remembered path names, when one still does.
std::string ModuleKey(const ProjectResults& results, size_t pair);
std::optional<size_t> ModuleNamed(const ProjectResults& results, const std::string& key);

// Whether the project files differ: any pair of them not equal.
bool SettingsDiffer(const ProjectResults& results);

}  // namespace dualis
