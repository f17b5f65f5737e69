#include "TestSupport.h"

#include <algorithm>

#include <gtest/gtest.h>

#include <atomic>
#include <fstream>

#include "Pipeline.h"

namespace dualis::test {

TempDir::TempDir() {
    static std::atomic<int> counter{0};
    path_ = std::filesystem::temp_directory_path() /
            ("dualis-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    std::filesystem::create_directories(path_);
}

TempDir::~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::string TempDir::Write(const std::string& name, const std::string& content) const {
    const std::filesystem::path file = path_ / name;
    std::ofstream(file, std::ios::binary) << content;
    return file.string();
}

std::string ReadFile(const std::string& name) {
    std::ifstream in(name, std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return text;
}

std::vector<std::string> FolderEntries(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::string Lines(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    return text;
}

ComparisonState CompareTexts(const std::string& file1, const std::string& file2,
                             const CompareOptions& options, CandidateSearch search,
                             RecordingHost* host) {
    TempDir dir;
    RecordingHost ownHost;
    RecordingHost& h = host ? *host : ownHost;
    ComparisonState state;
    SetFileNames(state, dir.Write("one.bas", file1), dir.Write("two.bas", file2));
    EXPECT_TRUE(CompareAFile(state, options, h, search));
    EXPECT_EQ(h.BusyDepth, 0);
    return state;
}

std::vector<std::pair<int32_t, int32_t>> Matches(const ComparisonState& state, int32_t p) {
    std::vector<std::pair<int32_t, int32_t>> pairs;
    const auto row = state.MatchStack.Row(p);
    for (size_t k = 0; k + 1 < row.size(); ++k) {
        pairs.emplace_back(row[k].MatchLine[0], row[k].MatchLine[1]);
    }
    return pairs;
}

}  // namespace dualis::test
