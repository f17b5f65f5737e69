// Files that another program shortens while they are compared, or once their comparison is
// held: the comparison goes on, and what it holds stays readable as it was read.
#include <gtest/gtest.h>

#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <thread>

#include "LargeArray.h"
#include "Pipeline.h"
#include "TestSupport.h"

namespace dualis {
namespace {

// A module large enough to be read on two threads, and to be cut while it is read.
std::string BigModule(int procs, const std::string& extra) {
    std::vector<std::string> lines;
    for (int p = 0; p < procs; ++p) {
        lines.push_back("Sub P" + std::to_string(p) + "()");
        for (int k = 0; k < 20; ++k)
            lines.push_back("    x = x + " + std::to_string(p * k) + extra);
        lines.push_back("End Sub");
    }
    return test::Lines(lines);
}

ComparisonState NamedState(const std::string& file1, const std::string& file2) {
    ComparisonState state;
    SetFileNames(state, file1, file2);
    return state;
}

TEST(ChangingFile, ShortenedWhileComparedTheComparisonGoesOn) {
    test::TempDir dir;
    const std::string one = BigModule(2000, "");
    const std::string two = BigModule(2000, " ' 2");
    const std::string name1 = dir.Write("one.bas", one);
    const std::string name2 = dir.Write("two.bas", two);
    std::atomic<bool> stop = false;
    std::thread cutter([&] {
        for (size_t size = two.size(); !stop; size = size > 4096 ? size / 2 : two.size()) {
            ASSERT_EQ(::truncate(name2.c_str(), static_cast<off_t>(size)), 0);
            std::this_thread::yield();
        }
    });
    for (int round = 0; round < 20; ++round) {
        ComparisonState state = NamedState(name1, name2);
        test::RecordingHost host;
        if (!CompareAFile(state, {}, host)) continue;
        // Whatever length was read, every line of it can be read back.
        ASSERT_LE(state.RawCount(1), 2000 * 23);
        for (int32_t j = 1; j <= state.RawCount(1); ++j) {
            ASSERT_LE(state.RawStack[1].Text(j).size(), 40u);
        }
    }
    stop = true;
    cutter.join();
}

TEST(ChangingFile, ShortenedOnceComparedItsTextIsKeptAsRead) {
    test::TempDir dir;
    const std::string one = BigModule(500, "");
    const std::string two = BigModule(500, " ' 2");
    const std::string name1 = dir.Write("one.bas", one);
    const std::string name2 = dir.Write("two.bas", two);
    ComparisonState state = NamedState(name1, name2);
    test::RecordingHost host;
    ASSERT_TRUE(CompareAFile(state, {}, host));
    ASSERT_EQ(::truncate(name1.c_str(), 0), 0);
    std::filesystem::remove(name2);
    std::string text;
    for (int32_t j = 1; j <= state.RawCount(1); ++j) {
        text.append(state.RawStack[1].Text(j)).append(LineEndText(state.RawStack[1].End(j)));
    }
    EXPECT_EQ(text, two);
    EXPECT_EQ(state.RawStack[0].Lines(1, state.RawCount(0)), one.substr(0, one.size() - 2));
}

TEST(LargeVector, BlocksOfEverySizeKeepTheirContentsAsTheyGrow) {
    LargeVector<uint32_t> values;
    // Past the size from which blocks come from the system, and back.
    const size_t count = 3 * LargeBlockBytes / sizeof(uint32_t);
    for (size_t k = 0; k < count; ++k) values.push_back(static_cast<uint32_t>(k * 7));
    for (size_t k = 0; k < count; k += 4099) ASSERT_EQ(values[k], k * 7);
    values.resize(10);
    values.shrink_to_fit();
    EXPECT_EQ(values.back(), 63u);
    LargeVector<char> bytes;
    bytes.resize(LargeBlockBytes + 1);
    bytes.back() = 'x';
    EXPECT_EQ(bytes.size(), LargeBlockBytes + 1);
    EXPECT_EQ(bytes.back(), 'x');
}

}  // namespace
}  // namespace dualis
