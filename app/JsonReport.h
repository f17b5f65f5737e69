// The whole comparison as JSON, for programs: two files, or two projects or folders module by
// module, in one schema (docs/manual.md describes it with an example). Each top-level member
// stands on a line of its own and each module on one line, written as its result arrives, so
// that nothing but the module at hand is held. Every text is UTF-8: names and paths that are
// not are read as Windows-1252; the library escapes what JSON must.
#pragma once

#include <cstdio>
#include <memory>
#include <string>

#include "ComparisonState.h"
#include "ModuleCompare.h"
#include "ProjectCompare.h"
#include "ProjectFacts.h"
#include "Source.h"

namespace dualis {

// The schema's name and version, the first two members of every document.
inline constexpr const char* JsonFormatName = "dualis-comparison";
inline constexpr int JsonFormatVersion = 1;

// Writes the comparison of two files in `state`, one module with its procedures and, with
// `lines`, their rows. Returns the reason when it could not be written whole, else "".
[[nodiscard]] std::string WriteFilePairJson(const ComparisonState& state,
                                            const project::ProjectOptions& options, bool lines,
                                            std::FILE* out);

class JsonStream;

class ProjectJson {
  public:
    ProjectJson(const project::Source& file1, const project::Source& file2,
                const project::ProjectComparison& comparison,
                const project::ProjectOptions& options, bool lines, std::FILE* out);
    ~ProjectJson();

    // The files, the options, the project files, and the opening of the modules.
    void Begin();
    // One module, in pair order; its procedures when it was parsed and its state came back.
    void Module(const project::ModuleResult& result);
    // The other files, the notes and the summary.
    void End(const ComparisonTally& tally);

    const std::string& Failure() const;

  private:
    const project::Source& file1_;
    const project::Source& file2_;
    const project::ProjectComparison& comparison_;
    const project::ProjectOptions& options_;
    bool lines_;
    std::unique_ptr<JsonStream> stream_;
};

}  // namespace dualis
