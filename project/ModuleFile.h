// What a module file tells about itself before it is compared: whether it can be read, the name
// its Attribute VB_Name line gives, and the binary companion files its description names.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "Kinds.h"
#include "PathResolve.h"
#include "ProjectFile.h"

namespace dualis::project {

// Module files larger than this are listed as too large. The editor itself stops far below it
// (65,534 lines of at most 1,023 characters).
inline constexpr int64_t MaxModuleBytes = 64 * 1024 * 1024;

struct ModuleFacts {
    std::string VbName;  // decoded; empty when the file has no Attribute VB_Name line
    // Names written in quotes before a colon with a companion's extension ("Form1.frx":0000),
    // before the VB_Name line; decoded, each once, in order of first appearance.
    std::vector<std::string> CompanionNames;
    std::string Problem;  // why the file cannot be read; empty when it can
    bool Binary = false;  // the file was read and is not text (Problem says so)
};

// The facts of a module's bytes; Problem says when they are not text (a NUL byte in the first
// 8 KiB, as for any input file).
ModuleFacts ExamineModuleText(std::string_view bytes);

// The facts of a module file: a file that is missing, not a regular file, unreadable, larger
// than MaxModuleBytes or not text has Problem set.
ModuleFacts ExamineModuleFile(const std::filesystem::path& path);

// The companions of the module at `modulePath`: for each companion extension of its kind, the
// files its text names (found case-insensitively beside it; listed with a problem when
// missing), else the file of the same base name beside it when there is one. Relative paths
// start at `base`.
std::vector<Companion> FindCompanions(const std::filesystem::path& modulePath, ModuleKind kind,
                                      const ModuleFacts& facts, const std::filesystem::path& base,
                                      FolderIndex& index);

// Why the file cannot be reached: missing, a link to nothing, a loop of links, a folder that
// cannot be searched; empty when it can.
std::string AccessProblem(const std::filesystem::path& path);

// The reason given for a file that is not there.
inline constexpr std::string_view MissingFileProblem = "The file does not exist.";

}  // namespace dualis::project
