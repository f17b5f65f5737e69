#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>

#include "Pipeline.h"
#include "RawLoader.h"
#include "TestSupport.h"

namespace dualis {
namespace {

std::vector<std::string> RawLinesOf(const std::string& content) {
    test::TempDir dir;
    ComparisonState state;
    LoadRawStack(state, 0, dir.Write("f.bas", content));
    std::vector<std::string> lines;
    for (int32_t j = 1; j <= state.RawCount(0); ++j) lines.emplace_back(state.RawStack[0].Text(j));
    return lines;
}

using Lines = std::vector<std::string>;

TEST(LoadRawStack, EveryKindOfLineEndEndsALine) {
    EXPECT_EQ(RawLinesOf("a\r\nb\rc\nd"), (Lines{"a", "b", "c", "d"}));
    EXPECT_EQ(RawLinesOf("a\n\rb"), (Lines{"a", "", "b"}));
    EXPECT_EQ(RawLinesOf("a\r\r\nb"), (Lines{"a", "", "b"}));
}

TEST(LoadRawStack, EndOfFileCases) {
    EXPECT_EQ(RawLinesOf(""), Lines{});
    EXPECT_EQ(RawLinesOf("last"), Lines{"last"});
    EXPECT_EQ(RawLinesOf("a\r\n"), Lines{"a"});
    EXPECT_EQ(RawLinesOf("a\r\n\r\n"), (Lines{"a", ""}));
    EXPECT_EQ(RawLinesOf("\n"), Lines{""});
    EXPECT_EQ(RawLinesOf("a\r"), Lines{"a"});
}

// Each line's end as "crlf", "lf", "cr" or "none", in file order.
std::vector<std::string> LineEndsOf(const std::string& content, bool windows1252 = false) {
    RawStore raw;
    if (windows1252) {
        raw.LoadWindows1252(content);
    } else {
        raw.LoadUtf8(content);
    }
    std::vector<std::string> ends;
    for (int32_t j = 1; j <= raw.Count(); ++j) {
        const std::string_view end = LineEndText(raw.End(j));
        ends.emplace_back(end == "\r\n" ? "crlf"
                          : end == "\n" ? "lf"
                          : end == "\r" ? "cr"
                                        : "none");
    }
    return ends;
}

TEST(LoadRawStack, KeepsHowEachLineEnded) {
    for (bool windows1252 : {false, true}) {
        EXPECT_EQ(LineEndsOf("a\r\nb\nc\rd", windows1252), (Lines{"crlf", "lf", "cr", "none"}));
        // LF CR is two ends, CR CR LF a CR and a CR LF.
        EXPECT_EQ(LineEndsOf("a\n\rb\r\r\n", windows1252), (Lines{"lf", "cr", "cr", "crlf"}));
        EXPECT_EQ(LineEndsOf("", windows1252), Lines{});
        EXPECT_EQ(LineEndsOf("\r", windows1252), Lines{"cr"});
    }
    // Across the eight-byte scan, and after a line whose UTF-8 text moved down over a BOM.
    const std::string longLine(21, 'x');
    EXPECT_EQ(LineEndsOf(longLine + "\n" + longLine + "\r\n" + longLine),
              (Lines{"lf", "crlf", "none"}));
    test::TempDir dir;
    ComparisonState state;
    LoadRawStack(state, 0, dir.Write("bom.bas", "\xEF\xBB\xBFx\r\ny\nz"));
    EXPECT_EQ(state.RawStack[0].End(1), LineEnd::CrLf);
    EXPECT_EQ(state.RawStack[0].End(2), LineEnd::Lf);
    EXPECT_EQ(state.RawStack[0].End(3), LineEnd::None);
}

TEST(LoadRawStack, ARangeOfLinesHoldsEachLineWhereItsTextIs) {
    for (bool windows1252 : {false, true}) {
        RawStore raw;
        const std::string text = "a\r\nbb\ncaf\xE9\r\r\nlast";
        if (windows1252) {
            raw.LoadWindows1252(text);
        } else {
            raw.LoadUtf8(RepairUtf8(text));
        }
        ASSERT_EQ(raw.Count(), 5);
        for (int32_t first = 1; first <= raw.Count(); ++first) {
            for (int32_t last = first; last <= raw.Count(); ++last) {
                const std::string_view range = raw.Lines(first, last);
                // Each line's text lies inside the range, the last one ending it.
                for (int32_t j = first; j <= last; ++j) {
                    const std::string_view line = raw.Text(j);
                    ASSERT_GE(line.data(), range.data());
                    ASSERT_LE(line.data() + line.size(), range.data() + range.size());
                }
                EXPECT_EQ(raw.Text(last).data() + raw.Text(last).size(),
                          range.data() + range.size());
                EXPECT_EQ(range.data(), raw.Text(first).data());
            }
        }
        EXPECT_EQ(raw.Lines(1, 2), "a\r\nbb");
        EXPECT_EQ(raw.Lines(4, 4), "");
        EXPECT_EQ(raw.Text(5), "last");
    }
}

TEST(LoadRawStack, KeepsTabsBlanksAndNulsPastTheTextProbeAsRead) {
    const std::string first(TextProbeBytes, 'a');
    EXPECT_EQ(RawLinesOf(first + "\r\n" + std::string("\t x  \0y ", 8)),
              (Lines{first, std::string("\t x  \0y ", 8)}));
}

TEST(LoadRawStack, LongLinesAcrossTheWordScan) {
    const std::string longLine(1000, 'x');
    EXPECT_EQ(RawLinesOf(longLine + "\r\n" + longLine), (Lines{longLine, longLine}));
}

TEST(LoadRawStack, EncodingIsChosenPerFile) {
    test::TempDir dir;
    ComparisonState state;
    LoadRawStack(state, 0, dir.Write("bom.bas", "\xEF\xBB\xBFx\r\ny\xE9"));
    EXPECT_EQ(state.RawStack[0].Text(1), "x");
    EXPECT_EQ(state.RawStack[0].Text(2), "y\xEF\xBF\xBD");
    LoadRawStack(state, 1, dir.Write("ansi.bas", "caf\xE9\r\n\x80\rend"));
    EXPECT_EQ(state.RawCount(1), 3);
    EXPECT_EQ(state.RawStack[1].Text(1), "caf\xC3\xA9");
    EXPECT_EQ(state.RawStack[1].Text(2), "\xE2\x82\xAC");
    EXPECT_EQ(state.RawStack[1].MaxLineLength(), 4);
    LoadRawStack(state, 0, dir.Write("utf8.bas", "caf\xC3\xA9"));
    EXPECT_EQ(state.RawStack[0].Text(1), "caf\xC3\xA9");
}

TEST(LoadRawStack, MaxLineLengthCountsCharacters) {
    test::TempDir dir;
    ComparisonState state;
    LoadRawStack(state, 1, dir.Write("f.bas", "ab\r\n\xC3\xA9\xC3\xA9\xC3\xA9\r\nc"));
    EXPECT_EQ(state.MaxLineLength(1), 3);
}

TEST(LoadRawStack, LineOfMoreThan32767CharactersIsRefused) {
    test::TempDir dir;
    ComparisonState state;
    const std::string fits(32767, 'a');
    EXPECT_NO_THROW(LoadRawStack(state, 0, dir.Write("ok.bas", fits)));
    EXPECT_EQ(state.MaxLineLength(0), 32767);
    try {
        LoadRawStack(state, 0, dir.Write("long.bas", "x\r\n" + fits + "a"));
        FAIL() << "expected a refusal";
    } catch (const InputFileError& e) {
        EXPECT_STREQ(e.what(), "Line 2 is longer than 32,767 characters.");
    }
}

// Bytes this process has read so far, by the kernel's count; -1 when it does not tell.
int64_t BytesReadSoFar() {
    std::ifstream io("/proc/self/io");
    std::string key;
    int64_t value = 0;
    while (io >> key >> value) {
        if (key == "rchar:") return value;
    }
    return -1;
}

std::string RefusalOf(const std::string& fileName, int64_t maxBytes = MaxInputBytes) {
    try {
        ReadInputFile(fileName, maxBytes);
    } catch (const InputFileError& e) {
        return e.what();
    }
    return "";
}

TEST(ReadInputFile, OnlyRegularFilesAreReadAndAFifoDoesNotBlock) {
    test::TempDir dir;
    const std::string fifo = (dir.Path() / "pipe.bas").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(RefusalOf(fifo), "It is not a regular file.");
    EXPECT_EQ(RefusalOf(dir.Path().string()), "It is not a regular file.");
    EXPECT_EQ(RefusalOf((dir.Path() / "none.bas").string()), "No such file or directory");
}

TEST(ReadInputFile, AFileBeyondItsToldSizeIsReadToItsEndOrToTheLimit) {
    // Files of /proc tell a size of 0 and have content, as a file that grows while read does.
    const std::string maps = "/proc/self/maps";
    struct stat st {};
    if (::stat(maps.c_str(), &st) != 0 || st.st_size != 0) GTEST_SKIP() << "no /proc here";
    EXPECT_NE(ReadInputFile(maps).find('\n'), std::string::npos);
    EXPECT_EQ(RefusalOf(maps, 100), "The file is larger than 100 bytes.");
}

TEST(ReadInputFile, OnlyTheHeadWhenNoMoreIsWanted) {
    test::TempDir dir;
    const std::string text(100000, 'x');
    const std::string name = dir.Write("big.bas", text);
    const int64_t before = BytesReadSoFar();
    EXPECT_EQ(ReadInputFile(name, MaxInputBytes, 8192), text.substr(0, 8192));
    if (before >= 0) {
        EXPECT_LT(BytesReadSoFar() - before, 20000);
    }
    EXPECT_EQ(ReadInputFile(dir.Write("small.bas", "abc"), MaxInputBytes, 8192), "abc");
    // The size is checked first, head or not.
    try {
        ReadInputFile(name, 1000, 10);
        ADD_FAILURE() << "a file over the limit was read";
    } catch (const InputFileError& e) {
        EXPECT_STREQ(e.what(), "The file is larger than 1,000 bytes.");
    }
}

class CompareFailure : public ::testing::Test {
  protected:
    // A comparison on screen that a failing one must leave alone.
    void SetUp() override {
        SetFileNames(state, dir.Write("a.bas", "Sub A()\r\n"), dir.Write("b.bas", "Sub A()\r\n"));
        ASSERT_TRUE(CompareAFile(state, {}, host));
        host.Messages.clear();
    }
    void ExpectPreviousKept() {
        EXPECT_TRUE(state.FilesCompared);
        EXPECT_EQ(state.ProcCount(), 1);
        EXPECT_EQ(state.ProcStack[1].TrueProcName, "A");
        EXPECT_EQ(host.BusyDepth, 0);
    }
    test::TempDir dir;
    test::RecordingHost host;
    ComparisonState state;
};

TEST_F(CompareFailure, MissingFileIsReportedByNumberAndName) {
    const std::string missing = (dir.Path() / "none.bas").string();
    SetFileNames(state, dir.Write("c.bas", "x"), missing);
    EXPECT_FALSE(CompareAFile(state, {}, host));
    ASSERT_EQ(host.Messages.size(), 1u);
    EXPECT_EQ(host.Messages[0],
              "Unable to open File 2\n" + missing + "\nNo such file or directory");
    ExpectPreviousKept();
}

TEST_F(CompareFailure, UnreadableFileKeepsThePreviousComparison) {
    if (::geteuid() == 0) GTEST_SKIP() << "root reads every file";
    const std::string locked = dir.Write("locked.bas", "x");
    ::chmod(locked.c_str(), 0);
    SetFileNames(state, locked, dir.Write("d.bas", "x"));
    EXPECT_FALSE(CompareAFile(state, {}, host));
    ASSERT_EQ(host.Messages.size(), 1u);
    EXPECT_EQ(host.Messages[0], "Unable to open File 1\n" + locked + "\nPermission denied");
    ExpectPreviousKept();
}

TEST_F(CompareFailure, AFileLargerThanTheLimitIsRefusedWithoutReadingIt) {
    const std::string sparse = (dir.Path() / "sparse.bas").string();
    const int fd = ::open(sparse.c_str(), O_WRONLY | O_CREAT, 0600);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::ftruncate(fd, int64_t{3} << 30), 0);  // 3 GiB, none of it on disk
    ::close(fd);
    SetFileNames(state, dir.Write("k.bas", "x"), sparse);
    const int64_t before = BytesReadSoFar();
    EXPECT_FALSE(CompareAFile(state, {}, host));
    if (before >= 0) {
        EXPECT_LT(BytesReadSoFar() - before, 1 << 20);
    }
    ASSERT_EQ(host.Messages.size(), 1u);
    EXPECT_EQ(host.Messages[0], "Unable to compare File 2\n" + sparse +
                                    "\nThe file is larger than 2,147,483,647 bytes.");
    ExpectPreviousKept();
}

TEST_F(CompareFailure, AFileThatIsNotTextIsRefused) {
    // A NUL byte among the first 8 KiB, as in any executable.
    const std::string binary = dir.Write("ls.bas",
                                         "\x7F"
                                         "ELF\x02\x01\x01" +
                                             std::string(1, '\0'));
    SetFileNames(state, binary, dir.Write("l.bas", "x"));
    EXPECT_FALSE(CompareAFile(state, {}, host));
    ASSERT_EQ(host.Messages.size(), 1u);
    EXPECT_EQ(host.Messages[0], "Unable to compare File 1\n" + binary + "\nIt is not a text file.");
    ExpectPreviousKept();
}

TEST_F(CompareFailure, OverlongLineNamesFileAndLine) {
    SetFileNames(state, dir.Write("e.bas", "x"),
                 dir.Write("f.bas", "a\r\nb\r\n" + std::string(40000, 'z')));
    EXPECT_FALSE(CompareAFile(state, {}, host));
    ASSERT_EQ(host.Messages.size(), 1u);
    EXPECT_EQ(host.Messages[0], "Unable to compare File 2\n" + state.FileName[1] +
                                    "\nLine 3 is longer than 32,767 characters.");
    ExpectPreviousKept();
}

TEST_F(CompareFailure, TabsExpandingPastTheLimitAreRefused) {
    CompareOptions o;
    o.ExpandTabs = true;
    o.TabWidth = 8;
    SetFileNames(state, dir.Write("g.bas", std::string(5000, '\t')), dir.Write("h.bas", "x"));
    EXPECT_FALSE(CompareAFile(state, o, host));
    ASSERT_EQ(host.Messages.size(), 1u);
    EXPECT_NE(host.Messages[0].find("once its tabs are expanded"), std::string::npos);
    ExpectPreviousKept();
}

TEST_F(CompareFailure, MoreThan32767ProceduresAreRefused) {
    std::string many;
    for (int i = 0; i < 20000; ++i) many += "Sub P" + std::to_string(i) + "()\r\n";
    std::string others;
    for (int i = 0; i < 13000; ++i) others += "Sub Q" + std::to_string(i) + "()\r\n";
    SetFileNames(state, dir.Write("i.bas", many), dir.Write("j.bas", others));
    EXPECT_FALSE(CompareAFile(state, {}, host));
    ASSERT_EQ(host.Messages.size(), 1u);
    EXPECT_EQ(host.Messages[0], "Unable to compare File 2\n" + state.FileName[1] +
                                    "\nThe two files hold more than 32,767 procedures.");
    ExpectPreviousKept();
}

}  // namespace
}  // namespace dualis
