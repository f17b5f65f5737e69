// The trace log: line formats, depth and call chain, the ring of queued lines, and the file.
#include "Log.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "RunTimeError.h"
#include "TestSupport.h"

namespace dualis {
namespace {

using Lines = std::vector<std::string>;

class FixedClock : public LogClock {
  public:
    int64_t TickMs() override { return Tick; }
    LogDateTime Now() override { return Time; }

    int64_t Tick = 50000;
    LogDateTime Time{2024, 3, 7, 9, 5, 2};
};

Lines ReadLines(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    const std::string text(std::istreambuf_iterator<char>(in), {});
    Lines lines;
    size_t start = 0;
    for (size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
        lines.push_back(text.substr(start, end - start));
    }
    EXPECT_EQ(start, text.size()) << "the last line is not ended";
    return lines;
}

// The lines between the queue markers; empty when there are none.
Lines QueuedPart(const Lines& lines) {
    const auto begin = std::find(lines.begin(), lines.end(), "-----Emitting Queued Messages-----");
    const auto end = std::find(begin, lines.end(), "-----End Emitting Queued Messages-----");
    if (begin == lines.end()) return {};
    EXPECT_NE(end, lines.end()) << "no end marker";
    return {begin + 1, end};
}

class LogTest : public ::testing::Test {
  protected:
    ProgramFacts Facts() const {
        return {"Dualis", "1.0.0 (2024-01-02 03:04:05)", dir.Path() / "bin" / "dualis"};
    }
    std::string LogPath() const { return (dir.Path() / "trace.log").string(); }
    // Opens the log and returns how many lines the banner and the queued part took.
    size_t Open(cLog& log) {
        log.LogOpen(LogPath(), LogModeNew);
        return ReadLines(LogPath()).size();
    }
    // Read while the file is still open, once what the log keeps in memory is written.
    Lines LinesAfter(cLog& log, size_t skipped) const {
        log.Flush();
        const Lines lines = ReadLines(LogPath());
        return {lines.begin() + static_cast<std::ptrdiff_t>(skipped), lines.end()};
    }

    test::TempDir dir;
    FixedClock clock;
};

TEST_F(LogTest, TraceLinesCarryElapsedMillisecondsAndDepth) {
    cLog log(Facts(), clock);
    const size_t skipped = Open(log);
    clock.Tick += 1234;
    log.LogTraceEnter("mCompare: INIGetInfo");
    clock.Tick += 68;
    log.LogTraceExit("mCompare: INIGetInfo");
    clock.Tick += 12345678 - 1302;
    log.LogTraceEnter("Big");
    log.LogData("plain text");
    log.LogData("");

    EXPECT_EQ(LinesAfter(log, skipped),
              (Lines{"0001234, 001, ->mCompare: INIGetInfo", "0001302, 000, <-mCompare: INIGetInfo",
                     "12345678, 001, ->Big", " plain text", " "}));
}

TEST_F(LogTest, TraceTextRulesAndADepthThatNeverGoesBelowZero) {
    cLog log(Facts(), clock);
    const size_t skipped = Open(log);
    log.LogTraceExit("Stray");
    log.LogTraceEnter("Proc", "Module", "info");
    log.LogTraceEnter("Proc", "", "info");
    log.LogTraceEnter("->Already");
    log.LogTraceEnter("-");
    log.LogTraceExit("<-Already");
    log.LogTraceExit("->Other");

    EXPECT_EQ(LinesAfter(log, skipped), (Lines{
                                            "0000000, 000, <-Stray",
                                            "0000000, 001, ->Proc: Module: info",
                                            "0000000, 002, ->Proc: info",
                                            "0000000, 003, ->Already",
                                            "0000000, 004, ->-",
                                            "0000000, 003, <-Already",
                                            "0000000, 002, <-->Other",
                                        }));
}

TEST_F(LogTest, CallChainGrowsPastAHundredAndListingItKeepsTheDepth) {
    cLog log(Facts(), clock);
    EXPECT_EQ(log.LogGetProcs(), "");
    constexpr int nesting = 230;
    std::string expected = "\r\nProcedure Call-list...";
    for (int i = 1; i <= nesting; ++i) {
        const std::string name = std::string("P").append(std::to_string(i));
        log.LogTraceEnter(name);
        expected.append("\r\n->").append(name);
    }
    const size_t skipped = Open(log);
    EXPECT_EQ(log.LogGetProcs(), expected);
    log.LogTraceExit("P230");

    const Lines lines = LinesAfter(log, skipped);
    ASSERT_EQ(lines.size(), nesting + 2u);
    EXPECT_EQ(lines[0], " Procedure Call-list...");
    EXPECT_EQ(lines[nesting], " ->P230");
    EXPECT_EQ(lines.back(), "0000000, 229, <-P230");
}

TEST_F(LogTest, CreationLineAndBannerOpenTheFile) {
    clock.Tick = 7000;
    cLog log(Facts(), clock);
    clock.Tick = 7250;
    clock.Time = {2024, 11, 23, 18, 0, 9};
    Open(log);

    EXPECT_EQ(ReadLines(LogPath()), (Lines{
                                        " =====> ",
                                        "Dualis 1.0.0 (2024-01-02 03:04:05)",
                                        (dir.Path() / "bin" / "dualis").string(),
                                        "<=====",
                                        " Logfile " + LogPath() + " Created 2024/11/23 18:00:09",
                                        "-----Emitting Queued Messages-----",
                                        " cLog Version 1 Dated 8/27/98",
                                        " Date =2024-03-07 Time =09:05:02",
                                        " Timer =0",
                                        "-----End Emitting Queued Messages-----",
                                    }));
}

TEST_F(LogTest, LogEndWritesTheClosingLineAndClosesTheFile) {
    cLog log(Facts(), clock);
    Open(log);
    clock.Tick += 4321;
    clock.Time = {2025, 1, 31, 23, 59, 58};
    log.LogEnd();
    const Lines lines = ReadLines(LogPath());
    EXPECT_EQ(lines.back(), " Date=2025-01-31 Time=23:59:58 Timer=4321");

    log.LogData("after the end");
    EXPECT_EQ(ReadLines(LogPath()), lines);
    EXPECT_EQ(log.LogFileName(), LogPath());
}

TEST_F(LogTest, ModeOneEmptiesTheFileAndOtherModesAppend) {
    dir.Write("trace.log", "earlier run\r\n");
    cLog log(Facts(), clock);
    log.LogFileName(LogPath());
    log.LogOpen("", LogModeAppend);
    log.LogClose();
    log.LogOpen(LogPath(), 7);
    const Lines appended = ReadLines(LogPath());
    EXPECT_EQ(appended.front(), "earlier run");
    EXPECT_EQ(appended.back(), " Logfile " + LogPath() + " Created 2024/03/07 09:05:02");

    log.LogOpen("", LogModeNew);
    EXPECT_EQ(ReadLines(LogPath()).front(), " =====> ");
}

TEST_F(LogTest, AFileThatCannotBeOpenedRaisesAPathFileAccessError) {
    cLog log(Facts(), clock);
    try {
        log.LogOpen((dir.Path() / "no such folder" / "x.log").string(), LogModeNew);
        FAIL() << "no error raised";
    } catch (const RunTimeError& e) {
        EXPECT_EQ(e.Number, ErrPathFileAccess);
        EXPECT_EQ(e.Place, "cLog: LogOpen");
    }
}

TEST_F(LogTest, AFileThatMustNotBeTheLogIsRefusedAndLeftAsItWas) {
    cLog log(Facts(), clock);
    const std::string input = dir.Write("one.bas", "Sub A()\r\n");
    const std::string settings = dir.Write("s.ini", "[Debug]\r\nLogApp=Yes\r\n");
    log.ProtectFiles(GuardedFiles({dir.Write("none.bas", ""), input}, settings));
    const std::string fifo = (dir.Path() / "fifo").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    // The same file under another name is the same file.
    const std::string linked = (dir.Path() / "linked.log").string();
    ASSERT_EQ(::link(settings.c_str(), linked.c_str()), 0);
    std::filesystem::create_directory(dir.Path() / "sub");
    const std::string aliased = (dir.Path() / "sub" / ".." / "one.bas").string();
    for (const int16_t mode : {LogModeNew, LogModeAppend}) {
        for (const auto& [file, reason] : {std::pair{input, "It is one of the files to compare."},
                                           std::pair{aliased, "It is one of the files to compare."},
                                           std::pair{settings, "It is the settings file."},
                                           std::pair{linked, "It is the settings file."},
                                           std::pair{fifo, "It is not a regular file."}}) {
            try {
                log.LogOpen(file, mode);
                FAIL() << "opened " << file;
            } catch (const OutputFileError& e) {
                EXPECT_EQ(e.FileName, file);
                EXPECT_EQ(e.Reason, reason);
            }
        }
    }
    EXPECT_EQ(test::ReadFile(input), "Sub A()\r\n");
    EXPECT_EQ(test::ReadFile(settings), "[Debug]\r\nLogApp=Yes\r\n");
    // A settings file yet to be written is not made by the log either.
    const std::string later = (dir.Path() / "later.ini").string();
    log.ProtectFiles(GuardedFiles({input, ""}, later));
    EXPECT_THROW(log.LogOpen((dir.Path() / "sub" / ".." / "later.ini").string(), LogModeNew),
                 OutputFileError);
    EXPECT_FALSE(std::filesystem::exists(later));
}

TEST_F(LogTest, LinesAreGatheredAndTheLogStopsAtItsLimit) {
    cLog log(Facts(), clock);
    log.SizeLimit(4096);
    Open(log);
    const auto before = std::filesystem::file_size(LogPath());
    log.LogData("kept in memory");
    EXPECT_EQ(std::filesystem::file_size(LogPath()), before);
    log.Flush();
    EXPECT_EQ(ReadLines(LogPath()).back(), " kept in memory");

    for (int i = 0; i < 1000; ++i) log.LogData("candidate " + std::to_string(i));
    log.LogEnd();
    const Lines lines = ReadLines(LogPath());
    EXPECT_LE(std::filesystem::file_size(LogPath()), 4096u);
    EXPECT_GT(std::filesystem::file_size(LogPath()), 4000u);
    EXPECT_EQ(lines.back(),
              "-----The log is cut here: it has reached its limit of 4096 bytes-----");
    EXPECT_EQ(lines[lines.size() - 2].rfind(" candidate ", 0), 0u);
}

// A full log says so, so that its writers can stop formatting lines it would drop; it still
// follows the call chain for the error report.
TEST_F(LogTest, AFullLogTakesNoMoreLinesButKeepsTheCallChain) {
    cLog log(Facts(), clock);
    EXPECT_TRUE(log.TakesLines());  // queued while no file is open
    log.Queueing(false);
    EXPECT_FALSE(log.TakesLines());
    log.Queueing(true);
    log.SizeLimit(4096);
    Open(log);
    EXPECT_TRUE(log.TakesLines());
    for (int i = 0; log.TakesLines(); ++i) {
        ASSERT_LT(i, 1000);
        log.LogData("candidate " + std::to_string(i));
    }
    log.LogTraceEnter("mCompare: CompareProcs");
    log.LogData("dropped");
    log.Flush();
    EXPECT_EQ(ReadLines(LogPath()).back(),
              "-----The log is cut here: it has reached its limit of 4096 bytes-----");
    EXPECT_NE(log.LogGetProcs().find("->mCompare: CompareProcs"), std::string::npos);
    log.LogClose();
    EXPECT_TRUE(log.TakesLines());  // the ring again, until a file is opened
}

TEST_F(LogTest, DefaultNameIsBesideTheExecutableOrInTheUserDataFolder) {
    const char* old = std::getenv("XDG_DATA_HOME");
    const std::string saved = old ? old : "";
    setenv("XDG_DATA_HOME", (dir.Path() / "data").c_str(), 1);

    // The executable's folder does not exist yet, so nothing can be written there.
    cLog log(Facts(), clock);
    log.LogOpen("", LogModeNew);
    EXPECT_EQ(log.LogFileName(), (dir.Path() / "data" / "Dualis" / "dualis.LOG").string());
    EXPECT_TRUE(std::filesystem::exists(log.LogFileName()));

    std::filesystem::create_directories(dir.Path() / "bin");
    EXPECT_EQ(DefaultLogFileName(Facts()), dir.Path() / "bin" / "dualis.LOG");

    if (old) {
        setenv("XDG_DATA_HOME", saved.c_str(), 1);
    } else {
        unsetenv("XDG_DATA_HOME");
    }
}

// The creation line takes slot 1, so n lines written make n + 1 queued.
TEST_F(LogTest, FewerThanAHundredQueuedLinesComeOutInOrderAsQueued) {
    cLog log(Facts(), clock);
    clock.Tick += 15;
    log.LogTraceEnter("Early");
    log.LogData("second");
    clock.Tick += 1000;
    Open(log);

    const Lines queued = QueuedPart(ReadLines(LogPath()));
    ASSERT_EQ(queued.size(), 5u);
    EXPECT_EQ(queued[0], " cLog Version 1 Dated 8/27/98");
    EXPECT_EQ(queued[3], "0000015, 001, ->Early");
    EXPECT_EQ(queued[4], " second");
}

TEST_F(LogTest, TheHundredAndFirstQueuedLineReplacesTheOldest) {
    cLog log(Facts(), clock);
    Lines expected;
    for (int i = 2; i <= 101; ++i) {
        const std::string text = std::string("line ").append(std::to_string(i));
        log.LogData(text);
        expected.push_back(" " + text);
    }
    Open(log);
    EXPECT_EQ(QueuedPart(ReadLines(LogPath())), expected);
}

TEST_F(LogTest, ReopeningEmitsOnlyWhatWasQueuedWhileClosed) {
    cLog log(Facts(), clock);
    const size_t firstOpen = Open(log);
    log.LogClose();
    log.LogOpen(LogPath(), LogModeAppend);
    EXPECT_EQ(QueuedPart(LinesAfter(log, firstOpen)), Lines{});

    log.LogClose();
    log.LogData("while closed");
    log.Queueing(false);
    log.LogData("dropped");
    Open(log);
    EXPECT_EQ(QueuedPart(ReadLines(LogPath())), Lines{" while closed"});
}

}  // namespace
}  // namespace dualis
