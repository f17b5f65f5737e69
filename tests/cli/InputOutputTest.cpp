// The command line against files it cannot compare or write: a plain message on standard
// error, every control character in it visible, and exit status 2.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "RawControl.h"
#include "RunDualis.h"
#include "TestSupport.h"

namespace dualis {
namespace {

using test::HasRawControl;
using test::Invocation;
using test::Outcome;
using test::RunDualis;

const std::string Data = DUALIS_TEST_DATA;

TEST(CommandLineInput, AFileThatIsNotTextIsRefused) {
    const Outcome run = RunDualis({"--report", DUALIS_EXE, Data + "/case1.bas"});
    EXPECT_EQ(run.Status, 2);
    EXPECT_EQ(run.Err, "Unable to compare File 1\n" DUALIS_EXE "\nIt is not a text file.\n");
    EXPECT_EQ(run.Out, "");
}

TEST(CommandLineInput, AFileTooLargeForTheMemoryLeftIsRefused) {
#ifdef DUALIS_SANITIZE
    GTEST_SKIP() << "the sanitizers need more address space than the limit leaves";
#endif
    test::TempDir dir;
    const std::string big = (dir.Path() / "big.bas").string();
    ASSERT_EQ(::truncate(dir.Write("big.bas", "").c_str(), int64_t{1536} << 20), 0);
    Invocation limited;
    limited.Args = {"--report", big, Data + "/case1.bas"};
    limited.AddressSpaceBytes = long{1} << 30;
    const Outcome run = RunDualis(limited);
    EXPECT_EQ(run.Status, 2);
    EXPECT_EQ(run.Err,
              "Unable to compare File 1\n" + big + "\nThere is not enough memory for it.\n");
}

TEST(CommandLineInput, ControlCharactersInNamesAndTextsAreShownVisibly) {
    test::TempDir dir;
    // An escape that retitles the terminal, and a C1 control (U+009D, operating system command).
    const std::string name = (dir.Path() / "\x1b]2;owned\x07\xC2\x9D.bas").string();
    Outcome run = RunDualis({"--report", name, Data + "/case1.bas"});
    EXPECT_EQ(run.Status, 2);
    EXPECT_FALSE(HasRawControl(run.Err)) << run.Err;
    EXPECT_EQ(run.Err, "Unable to open File 1\n" + dir.Path().string() +
                           "/\xE2\x90\x9B]2;owned\xE2\x90\x87<U+009D>.bas\n"
                           "No such file or directory\n");

    run = RunDualis({"--report", "--\x1b[2J", "a", "b"});
    EXPECT_EQ(run.Status, 2);
    EXPECT_FALSE(HasRawControl(run.Err)) << run.Err;
    EXPECT_NE(run.Err.find("--\xE2\x90\x9B[2J"), std::string::npos) << run.Err;

    // Windows-1252 bytes that are no characters there become C1 controls; and a stray byte of
    // that range in a name.
    const std::string one = dir.Write("one\x9B.bas", "Sub A()\r\nx = \x81\x8D\x8F\x90\x9D\r\n");
    run = RunDualis({"--report", one, dir.Write("two.bas", "Sub A()\r\n")});
    EXPECT_EQ(run.Status, 1);
    EXPECT_FALSE(HasRawControl(run.Out)) << run.Out;
    EXPECT_NE(run.Out.find("one<0x9B>.bas"), std::string::npos) << run.Out;
    EXPECT_NE(run.Out.find("x = <U+0081><U+008D><U+008F><U+0090><U+009D>"), std::string::npos)
        << run.Out;
}

TEST(CommandLineOutput, AReportThatCannotBeWrittenIsTrouble) {
    Invocation full;
    full.Args = {"--report", Data + "/case1.bas", Data + "/case2.bas"};
    full.StdoutFile = "/dev/full";
    const Outcome run = RunDualis(full);
    EXPECT_EQ(run.Status, 2);
    EXPECT_EQ(run.Err, "Unable to write the report\nstandard output\nNo space left on device\n");
}

TEST(CommandLineOutput, ADumpThatCannotBeWrittenIsAPlainMessage) {
    test::TempDir dir;
    const std::string fifo = (dir.Path() / "fifo").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::pair<std::string, std::string> cases[] = {
        {(dir.Path() / "none/DUMP.TXT").string(), "No such file or directory"},
        {dir.Path().string(), "Is a directory"},
        {"/dev/full", "No space left on device"},
        {fifo, "Nothing reads from it."},
    };
    for (const auto& [file, reason] : cases) {
        const Outcome run = RunDualis({"--dump", file, Data + "/case1.bas", Data + "/case2.bas"});
        EXPECT_EQ(run.Status, 2) << file;
        EXPECT_EQ(run.Err, "Unable to write the dump\n" + file + "\n" + reason + "\n");
    }
}

TEST(CommandLineWindow, ADisplayThatIsGoneFallsBackToTheReport) {
    Invocation run;
    run.Args = {Data + "/case1.bas", Data + "/case2.bas"};
    run.Env = {{"DISPLAY", ":987"}};  // no X server answers there
    run.Unset = {"WAYLAND_DISPLAY", "QT_QPA_PLATFORM"};
    const Outcome outcome = RunDualis(run);
    EXPECT_EQ(outcome.Status, 1);
    EXPECT_EQ(outcome.Err, "No display found: printing the report instead.\n");
    EXPECT_NE(outcome.Out.find("Procs: 0 equal, 1 changed"), std::string::npos);
}

}  // namespace
}  // namespace dualis
