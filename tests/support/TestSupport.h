// Shared pieces of the engine tests: a recording host and comparisons of texts in files.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "ComparisonState.h"
#include "Host.h"
#include "Matching.h"
#include "Options.h"

namespace dualis::test {

class RecordingHost : public IHost {
  public:
    void ShowMessage(std::string_view text) override { Messages.emplace_back(text); }
    void BeginBusy() override { ++BusyDepth; }
    void EndBusy() override { --BusyDepth; }
    void DoEvents() override { ++Yields; }
    bool TraceApp() const override { return Trace; }
    // The log is full once it holds LogLimit lines.
    bool TraceTakesLines() const override { return Log.size() < LogLimit; }
    void TraceEnter(std::string_view text) override { Log.push_back("->" + std::string(text)); }
    void TraceExit(std::string_view text) override { Log.push_back("<-" + std::string(text)); }
    void LogData(std::string_view text) override { Log.emplace_back(text); }

    bool Trace = false;
    size_t LogLimit = SIZE_MAX;
    int BusyDepth = 0;
    int Yields = 0;
    std::vector<std::string> Messages;
    std::vector<std::string> Log;
};

// A folder of its own per test, removed at the end.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    std::string Write(const std::string& name, const std::string& content) const;
    const std::filesystem::path& Path() const { return path_; }

  private:
    std::filesystem::path path_;
};

// The whole content of a file, empty when it cannot be read.
std::string ReadFile(const std::string& name);

// The names in a folder, sorted.
std::vector<std::string> FolderEntries(const std::filesystem::path& folder);

// Lines joined with CR LF, each line ended.
std::string Lines(const std::vector<std::string>& lines);

// Compares two file contents; fails the test when the comparison is not made.
ComparisonState CompareTexts(const std::string& file1, const std::string& file2,
                             const CompareOptions& options = {},
                             CandidateSearch search = CandidateSearch::Auto,
                             RecordingHost* host = nullptr);

// The matched raw line pairs of record p, without the sentinel.
std::vector<std::pair<int32_t, int32_t>> Matches(const ComparisonState& state, int32_t p);

}  // namespace dualis::test
