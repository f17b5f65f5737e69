// The file selection dialog's rules: sync enabling, name derivation and confirmation.
#include "SelectRules.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <system_error>

#include "ProjectOpen.h"
#include "RawLoader.h"

namespace dualis {
namespace {

// A name that stands for a source of modules rather than for a file to compare as text.
bool IsSourceName(const std::string& name) {
    const project::PathKind kind = project::ClassifyPath(name);
    return kind == project::PathKind::Folder || kind == project::PathKind::Project ||
           kind == project::PathKind::Group || kind == project::PathKind::Document;
}

// Whether both names can be compared: nothing stands under either box.
bool Comparable(const std::array<std::string, 2>& names) {
    if (names[0].empty() || names[1].empty()) return false;
    const std::array<std::string, 2> problems = PairProblems(names);
    return problems[0].empty() && problems[1].empty();
}

bool IsSeparator(char c) {
    return c == '/' || c == '\\';
}

std::string Trimmed(const std::string& s) {
    const size_t first = s.find_first_not_of(' ');
    if (first == std::string::npos) return "";
    return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

// True when the mount point holds the folder: the folder is the mount point or lies below it.
bool Holds(const std::string& mountPoint, const std::string& folder) {
    if (mountPoint.empty() || mountPoint == "/") return false;
    if (folder.compare(0, mountPoint.size(), mountPoint) != 0) return false;
    return folder.size() == mountPoint.size() || mountPoint.back() == '/' ||
           folder[mountPoint.size()] == '/';
}

// The end of the share part of "\\server\share\rest": the position of the separator after the
// share name, or the end of the text when there is none.
size_t ShareEnd(const std::string& folder) {
    size_t pos = 2;
    while (pos < folder.size() && !IsSeparator(folder[pos])) ++pos;  // server
    if (pos < folder.size()) ++pos;
    while (pos < folder.size() && !IsSeparator(folder[pos])) ++pos;  // share
    return pos;
}

}  // namespace

std::vector<std::string> ParseMountPoints(std::string_view mountsText) {
    std::vector<std::string> points;
    std::istringstream lines{std::string(mountsText)};
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        std::string device, point;
        if (!(fields >> device >> point)) continue;
        // Blanks, tabs and backslashes in a mount point are written as three octal digits.
        std::string decoded;
        for (size_t i = 0; i < point.size(); ++i) {
            const bool escape = point[i] == '\\' && i + 3 < point.size() &&
                                point.find_first_not_of("01234567", i + 1) >= i + 4;
            if (escape) {
                decoded += static_cast<char>(std::stoi(point.substr(i + 1, 3), nullptr, 8));
                i += 3;
            } else {
                decoded += point[i];
            }
        }
        points.push_back(decoded);
    }
    return points;
}

std::vector<std::string> SystemMountPoints() {
    std::ifstream in("/proc/self/mounts");
    if (!in) return {};
    const std::string text(std::istreambuf_iterator<char>(in), {});
    return ParseMountPoints(text);
}

SyncEnabled EnableSync(bool samePath, bool fileNames, bool fileExtensions) {
    const int active = int{samePath} + int{fileNames} + int{fileExtensions};
    if (active != 2) return {};
    return {samePath, fileNames, fileExtensions};
}

SyncEnabled EnableSync(const SelectState& s) {
    return EnableSync(s.PathRule == 1, s.SyncFileNames, s.SyncFileExtensions);
}

SelectState StartState(const Settings& settings, const ComparisonState& comparison) {
    SelectState s;
    const bool ruleInRange = settings.SyncFilePaths >= 0 && settings.SyncFilePaths <= 4;
    // An out-of-range rule (a hand-edited file) selects no option and syncs no folder.
    s.PathRule = ruleInRange ? static_cast<int16_t>(settings.SyncFilePaths) : int16_t{-1};
    s.SyncFileNames = settings.SyncFileNames;
    s.SyncFileExtensions = settings.SyncFileExtensions;
    s.SourcePath = settings.SourcePath;
    s.TargetPath = settings.TargetPath;
    s.NewPath = {settings.SourcePath, settings.TargetPath};
    if (comparison.FileName[0].empty()) {
        s.NewFileName = {settings.SourcePath, settings.TargetPath};
        s.FirstFocus = true;
    } else {
        s.NewFileName = comparison.FileName;
        s.NewBaseName = comparison.BaseName;
        s.NewExtension = comparison.Extension;
    }
    return s;
}

void ReloadConfirmed(SelectState& s, const Settings& settings, const ComparisonState& comparison) {
    s.SourcePath = settings.SourcePath;
    s.TargetPath = settings.TargetPath;
    if (comparison.FileName[0].empty()) return;
    s.NewFileName = comparison.FileName;
    s.NewBaseName = comparison.BaseName;
    s.NewExtension = comparison.Extension;
    s.NewPath = {settings.SourcePath, settings.TargetPath};
}

void SetFileName(SelectState& s, int index, const std::string& fullName) {
    s.NewFileName[index] = fullName;
    SplitFileName(fullName, s.NewPath[index], s.NewBaseName[index], s.NewExtension[index]);
}

std::string GetRelativePath(const std::string& path1, const std::string& path2) {
    // An empty path2 would make all of path1 "relative" and glue one folder onto another.
    if (path2.empty() || path1.compare(0, path2.size(), path2) != 0) return "";
    return path1.substr(path2.size());
}

DriveSplit SplitDrive(const std::string& folder, const std::vector<std::string>& mountPoints) {
    if (folder.size() >= 2 && folder[1] == ':') {
        return {folder.substr(0, 2), Trimmed(folder.substr(2))};
    }
    if (folder.size() >= 2 && IsSeparator(folder[0]) && folder[1] == folder[0]) {
        const size_t end = ShareEnd(folder);
        return {folder.substr(0, end), Trimmed(folder.substr(end))};
    }
    // A relative folder has no place of its own to carry over.
    if (folder.empty() || folder[0] != '/') return {};
    const std::string* longest = nullptr;
    for (const std::string& point : mountPoints) {
        if (Holds(point, folder) && (!longest || point.size() > longest->size())) {
            longest = &point;
        }
    }
    if (!longest) return {"", Trimmed(folder)};
    std::string drive = *longest;
    if (drive.back() == '/') drive.pop_back();
    return {drive, Trimmed(folder.substr(drive.size()))};
}

void SetSamePathDifferentDrive(SelectState& s, int index) {
    const int other = 1 - index;
    const std::vector<std::string> mounts = s.MountTable ? s.MountTable() : SystemMountPoints();
    const std::string& otherStored = other == 0 ? s.SourcePath : s.TargetPath;
    const DriveSplit chosen = SplitDrive(s.NewPath[index], mounts);
    // Nothing to carry over: the other side keeps its folder rather than losing it.
    if (chosen.Rest.empty()) return;
    s.NewPath[other] = SplitDrive(otherStored, mounts).Drive + chosen.Rest;
}

void SyncNames(SelectState& s, int index) {
    const int other = 1 - index;
    switch (s.PathRule) {
        case 1:
            s.NewPath[other] = s.NewPath[index];
            break;
        case 2:
            if (index == 1) {
                const std::string rest = GetRelativePath(s.SourcePath, s.TargetPath);
                if (!rest.empty()) s.NewPath[0] = s.NewPath[1] + rest;
            }
            break;
        case 3:
            if (index == 0) {
                const std::string rest = GetRelativePath(s.TargetPath, s.SourcePath);
                if (!rest.empty()) s.NewPath[1] = s.NewPath[0] + rest;
            }
            break;
        case 4:
            SetSamePathDifferentDrive(s, index);
            break;
        default:
            break;
    }
    if (s.SyncFileNames) s.NewBaseName[other] = s.NewBaseName[index];
    if (s.SyncFileExtensions) s.NewExtension[other] = s.NewExtension[index];
}

bool BuildOtherFileName(SelectState& s, int index) {
    const int other = 1 - index;
    std::string name = s.NewPath[other] + s.NewBaseName[other];
    if (!s.NewBaseName[other].empty() && !s.NewExtension[other].empty()) {
        name += "." + s.NewExtension[other];
    }
    if (name.size() <= 3) return false;
    s.NewFileName[other] = name;
    return true;
}

bool OKEnabled(const SelectState& s) {
    return Comparable(s.NewFileName);
}

bool OKEnabledWhileTyping(const SelectState& s, int index, const std::string& typed) {
    std::array<std::string, 2> names = s.NewFileName;
    names[static_cast<size_t>(index)] = typed;
    return Comparable(names);
}

std::string NameProblem(const std::string& name) {
    if (name.empty()) return "";
    std::string refusal = FileRefusal(name);
    if (refusal.empty()) return "";
    // Nothing by that name, or a file standing where a folder of the name should be.
    std::error_code error;
    if (std::filesystem::status(name, error).type() == std::filesystem::file_type::not_found) {
        return "No such file";
    }
    // A line under a box, not a sentence of a message.
    if (refusal.back() == '.') refusal.pop_back();
    return refusal;
}

std::array<std::string, 2> PairProblems(const std::array<std::string, 2>& names) {
    std::array<std::string, 2> problems;
    std::array<bool, 2> source{};
    for (size_t f = 0; f < 2; ++f) {
        source[f] = !names[f].empty() && IsSourceName(names[f]);
        if (!source[f]) problems[f] = NameProblem(names[f]);
    }
    const bool ownProblem = !problems[0].empty() || !problems[1].empty();
    if (ownProblem || names[0].empty() || names[1].empty() || (!source[0] && !source[1])) {
        return problems;
    }
    const std::string reason = project::WhyNotComparable(names[0], names[1]);
    const size_t box = !source[0] && source[1] ? 0 : 1;
    if (!reason.empty()) problems[box] = reason.substr(0, reason.find('\n'));
    return problems;
}

ConfirmCheck CheckConfirm(const SelectState& s) {
    const bool projects = project::NamesProjects(s.NewFileName);
    for (int f = 0; f < 2; ++f) {
        const std::string& name = s.NewFileName[static_cast<size_t>(f)];
        const bool usable = (projects && IsSourceName(name)) || FileExists(name);
        if (!usable || name.empty()) {
            return f == 0 ? ConfirmCheck::File1Missing : ConfirmCheck::File2Missing;
        }
    }
    if (projects && !project::WhyNotComparable(s.NewFileName[0], s.NewFileName[1]).empty()) {
        return ConfirmCheck::NotComparable;
    }
    if (s.NewFileName[0] == s.NewFileName[1]) return ConfirmCheck::SameFile;
    return ConfirmCheck::Ready;
}

std::string ConfirmMessage(ConfirmCheck check, const SelectState& s) {
    switch (check) {
        case ConfirmCheck::File1Missing:
            return UnableToOpenMessage(0, s.NewFileName[0]);
        case ConfirmCheck::File2Missing:
            return UnableToOpenMessage(1, s.NewFileName[1]);
        case ConfirmCheck::NotComparable:
            return project::WhyNotComparable(s.NewFileName[0], s.NewFileName[1]);
        case ConfirmCheck::SameFile:
            return "File 1 and File 2 are the same file.";
        case ConfirmCheck::Ready:
            break;
    }
    return "";
}

void ConfirmSelection(const SelectState& s, Settings& settings, ComparisonState& comparison) {
    if (s.PathRule >= 0 && s.PathRule <= 4) settings.SyncFilePaths = s.PathRule;
    settings.SyncFileNames = s.SyncFileNames;
    settings.SyncFileExtensions = s.SyncFileExtensions;
    comparison.FileName = s.NewFileName;
    comparison.BaseName = s.NewBaseName;
    comparison.Extension = s.NewExtension;
    settings.SourcePath = s.NewPath[0];
    settings.TargetPath = s.NewPath[1];
}

}  // namespace dualis
