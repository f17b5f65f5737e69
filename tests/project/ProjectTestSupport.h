// Shared pieces of the project tests: folders of VB files built in the test, and the texts of
// small modules and project files.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "ProjectCompare.h"
#include "Source.h"
#include "TestSupport.h"

namespace dualis::project::test {

// A temporary folder to build trees of files in, in memory (/dev/shm) where the system has it:
// some tests build tens of thousands of files. Removed at the end.
class Tree {
  public:
    Tree();
    ~Tree();
    Tree(const Tree&) = delete;
    Tree& operator=(const Tree&) = delete;
    // Writes the file, creating its folders; returns its full path.
    std::filesystem::path Write(const std::string& relative, const std::string& content) const;
    std::filesystem::path operator/(const std::string& relative) const { return path_ / relative; }
    const std::filesystem::path& Path() const { return path_; }

  private:
    std::filesystem::path path_;
};

// Lines joined with CR LF, each ended.
std::string CrLf(const std::vector<std::string>& lines);

// A standard module: its VB_Name line, then the body lines.
std::string BasText(const std::string& name, const std::vector<std::string>& body = {});
// A class module with its header.
std::string ClsText(const std::string& name, const std::vector<std::string>& body = {});
// A form whose description names `frx` (when not empty) as "frx":0000.
std::string FrmText(const std::string& name, const std::string& frx = "",
                    const std::vector<std::string>& body = {});

// Procedures of distinct lines: "Sub <prefix>k()" ... "End Sub", `count` of them.
std::vector<std::string> Procedures(const std::string& prefix, int count);

// The module of the source with that name (first in order); fails the test when there is none.
const ModuleEntry& ModuleNamed(const Source& source, const std::string& name);

// The names of the source's modules, in order, as "Kind Name relative/path".
std::vector<std::string> Listing(const Source& source);

// Each module pair as "Name status[ moved| renamed][ from OldName][ at OldPath]", with
// File 2's name when it has the module; status is unknown, equal, changed, added or deleted.
std::vector<std::string> DescribePairs(const Source& file1, const Source& file2,
                                       const ProjectComparison& result);

// Each difference as "change[ [Section]] Key[ Item]: File 1 value | File 2 value".
std::vector<std::string> DescribeDifferences(const std::vector<SettingDifference>& differences);

}  // namespace dualis::project::test
