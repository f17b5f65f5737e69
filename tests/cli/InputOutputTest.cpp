// The command line against files in another encoding, and against files it cannot compare or
// write: a plain message on standard error, every control character in it visible, and exit
// status 2.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "PseudoTerminal.h"
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

TEST(CommandLineInput, AUtf16FileIsComparedAsAnyOther) {
    test::TempDir dir;
    // The same procedure in Windows-1252 (curly quotes, euro sign) and in UTF-16, which adds one.
    const std::string one = dir.Write("one.bas", "Sub A()\r\nx = \x93\xE9\x94 \x80\r\nEnd Sub\r\n");
    const std::u16string text =
        u"Sub A()\r\nx = \u201C\u00E9\u201D \u20AC\nEnd Sub\r\n"
        u"Sub B()\r\ny = \U0001F600\r\nEnd Sub\r\n";
    std::string utf16 = "\xFF\xFE";
    for (const char16_t unit : text) {
        utf16 += static_cast<char>(unit & 0xFF);
        utf16 += static_cast<char>(unit >> 8);
    }
    const Outcome run = RunDualis({"--report", one, dir.Write("two.bas", utf16)});
    EXPECT_EQ(run.Status, 1);
    EXPECT_NE(run.Out.find("Procs: 1 equal, 0 changed, 1 added"), std::string::npos) << run.Out;
    EXPECT_NE(run.Out.find("y = \xF0\x9F\x98\x80"), std::string::npos) << run.Out;
    EXPECT_EQ(run.Err, "");
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
    const std::string two = dir.Write("two.bas", "Sub A()\r\n");
    run = RunDualis({"--report", one, two});
    EXPECT_EQ(run.Status, 1);
    EXPECT_FALSE(HasRawControl(run.Out)) << run.Out;
    EXPECT_NE(run.Out.find("one<0x9B>.bas"), std::string::npos) << run.Out;
    EXPECT_NE(run.Out.find("x = <U+0081><U+008D><U+008F><U+0090><U+009D>"), std::string::npos)
        << run.Out;

    // Characters that change the text direction, in a name and in a line.
    const std::string turned = dir.Write("a\xE2\x80\xAEsab.bas", "Sub A()\r\nx = \xE2\x81\xA6\r\n");
    run = RunDualis({"--report", turned, two});
    EXPECT_EQ(run.Status, 1);
    EXPECT_FALSE(HasRawControl(run.Out)) << run.Out;
    EXPECT_NE(run.Out.find("a<U+202E>sab.bas"), std::string::npos) << run.Out;
    EXPECT_NE(run.Out.find("x = <U+2066>"), std::string::npos) << run.Out;
    run = RunDualis({"--report", turned + "\xE2\x80\x8F", two});
    EXPECT_EQ(run.Status, 2);
    EXPECT_FALSE(HasRawControl(run.Err)) << run.Err;
    EXPECT_NE(run.Err.find("a<U+202E>sab.bas<U+200F>\n"), std::string::npos) << run.Err;
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

TEST(CommandLineOutput, ADumpToATerminalShowsControlsVisiblyAndToAFileEveryByte) {
    test::TempDir dir;
    const std::string line =
        "x = \"\x1b]2;owned\x07\" ' \xE2\x80\xAE"
        "cba \xC2\x9B";
    const std::string one = dir.Write("one.bas", "Sub A()\r\n" + line + "\r\nEnd Sub\r\n");
    const std::string two = dir.Write("two.bas", "Sub A()\r\nEnd Sub\r\n");
    test::PseudoTerminal terminal;
    ASSERT_FALSE(terminal.Name().empty());
    // Named by the terminal's own name, and as standard output when that is the terminal.
    Outcome run = RunDualis({"--dump", terminal.Name(), one, two});
    EXPECT_EQ(run.Status, 0) << run.Err;
    Invocation onStdout;
    onStdout.Args = {"--dump", "/dev/stdout", one, two};
    onStdout.StdoutFile = terminal.Name();
    run = RunDualis(onStdout);
    EXPECT_EQ(run.Status, 0) << run.Err;
    const std::string shown = terminal.Written();
    EXPECT_FALSE(HasRawControl(shown)) << shown;
    const std::string visible = "x = \"\xE2\x90\x9B]2;owned\xE2\x90\x87\" ' <U+202E>cba <U+009B>\n";
    const size_t first = shown.find(visible);
    ASSERT_NE(first, std::string::npos) << shown;
    EXPECT_NE(shown.find(visible, first + 1), std::string::npos) << shown;

    const std::string file = (dir.Path() / "DUMP.TXT").string();
    run = RunDualis({"--dump", file, one, two});
    EXPECT_EQ(run.Status, 0) << run.Err;
    EXPECT_NE(test::ReadFile(file).find(line + "\r\n"), std::string::npos);
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
