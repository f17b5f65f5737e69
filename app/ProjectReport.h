// The summary of a comparison of two projects or folders, for a person reading it in a
// terminal, written as the module results arrive:
//
//   File 1: /src/v1
//   File 2: /src/v2
//
//   Project files:
//     changed  App.vbp
//         added Form frmAbout: frmAbout.frm
//
//   Modules (procedures changed, added and deleted; lines that differ):
//     Kind    Name      Status   Changed  Added  Deleted  Lines  File 1        File 2
//     Form    frmMain   changed        2      1        0     14  frmMain.frm   frmMain.frm
//     Module  modNew    renamed        0      0        0      0  modOld.bas    modNew.bas
//
//   Modules: 1 equal, 1 changed, 0 added, 0 deleted, 0 moved, 1 renamed, 0 unreadable
//
// Names, paths and values show their control characters visibly. Under DifferencesOnly the
// equal project files and the unchanged modules are left out.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "ModuleCompare.h"
#include "ProjectCompare.h"
#include "ProjectFacts.h"
#include "Source.h"

namespace dualis {

class ProjectReport {
  public:
    ProjectReport(const project::Source& file1, const project::Source& file2,
                  const project::ProjectComparison& comparison,
                  const project::ProjectOptions& options, std::FILE* out, bool colour);

    // The file names, the options in effect, the project files and the modules' heading.
    void Begin();
    // The line of one module (and its problem or its companions that differ), in pair order.
    void Module(const project::ModuleResult& result);
    // The other files, the notes and the counts.
    void End(const ComparisonTally& tally);

    // Why the text could not be written whole; empty when it was.
    const std::string& Failure() const { return failure_; }

  private:
    void Write(const std::string& text);
    std::string Coloured(const std::string& text, const char* colour) const;
    std::string Heading(const std::string& text) const;
    void ProjectFiles();

    const project::Source& file1_;
    const project::Source& file2_;
    const project::ProjectComparison& comparison_;
    const project::ProjectOptions& options_;
    std::FILE* out_;
    bool colour_;
    // The widths of the module table's text columns: kind, name, status, File 1's path.
    std::vector<size_t> widths_;
    std::string failure_;
};

}  // namespace dualis
