// What the command line writes never lands in a file it must not change: a dump is never an
// input or the settings file, and a standard descriptor that was closed takes no file's place.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "RunDualis.h"
#include "TestSupport.h"

namespace dualis {
namespace {

using test::Invocation;
using test::Outcome;
using test::RunDualis;

const std::string Data = DUALIS_TEST_DATA;
const std::string Case1 = Data + "/case1.bas";  // differs from case2 in letter case only
const std::string Case2 = Data + "/case2.bas";

TEST(CommandLineDump, ADumpIntoAnInputOrTheSettingsFileIsRefused) {
    test::TempDir dir;
    const std::string one = dir.Write("one.bas", test::ReadFile(Case1));
    const std::string two = dir.Write("two.bas", test::ReadFile(Case2));
    const std::string ini = dir.Write("s.ini", "[Compare]\nIgnoreCase=Yes\n");
    const std::string linked = (dir.Path() / "linked.txt").string();
    ASSERT_EQ(::link(two.c_str(), linked.c_str()), 0);
    const std::string other = (dir.Path() / "sub" / ".." / "s.ini").string();
    std::filesystem::create_directory(dir.Path() / "sub");
    const std::pair<std::string, std::string> cases[] = {
        {one, "It is one of the files to compare."},
        {two, "It is one of the files to compare."},
        {linked, "It is one of the files to compare."},
        {ini, "It is the settings file."},
        {other, "It is the settings file."},
    };
    for (const auto& [dump, reason] : cases) {
        const Outcome run = RunDualis({"--settings", ini, "--dump", dump, one, two});
        EXPECT_EQ(run.Status, 2) << dump;
        EXPECT_EQ(run.Err, "Unable to write the dump\n" + dump + "\n" + reason + "\n");
    }
    // The same files named from the current folder.
    Invocation here;
    here.Args = {"--dump", "one.bas", "one.bas", "two.bas"};
    here.WorkDir = dir.Path().string();
    const Outcome run = RunDualis(here);
    EXPECT_EQ(run.Status, 2);
    EXPECT_EQ(run.Err, "Unable to write the dump\none.bas\nIt is one of the files to compare.\n");
    EXPECT_EQ(test::ReadFile(one), test::ReadFile(Case1));
    EXPECT_EQ(test::ReadFile(two), test::ReadFile(Case2));
    EXPECT_EQ(test::ReadFile(ini), "[Compare]\nIgnoreCase=Yes\n");
    // Nor does the dump make a settings file that is yet to be made.
    const std::string later = (dir.Path() / "later.ini").string();
    const Outcome refused = RunDualis({"--settings", later, "--dump", later, one, two});
    EXPECT_EQ(refused.Status, 2);
    EXPECT_NE(
        refused.Err.find("Unable to write the dump\n" + later + "\nIt is the settings file.\n"),
        std::string::npos)
        << refused.Err;
    EXPECT_FALSE(std::filesystem::exists(later));
    // Any other file takes the dump.
    const std::string dump = (dir.Path() / "DUMP.TXT").string();
    EXPECT_EQ(RunDualis({"--settings", ini, "--dump", dump, one, two}).Status, 0);
    EXPECT_NE(test::ReadFile(dump).find("Separate_Display"), std::string::npos);
}

// A settings file that starts a trace log in `log`.
std::string LogSettings(const test::TempDir& dir, const std::string& log) {
    return dir.Write("log.ini", "[Debug]\nLogApp=Yes\nLOGFILE=" + log + "\n");
}

TEST(CommandLineClosedOutput, TheReportIsRefusedAndTheLogTakesNoPlaceOfIt) {
    test::TempDir dir;
    const std::string log = (dir.Path() / "trace.log").string();
    for (const bool withLog : {false, true}) {
        Invocation run;
        run.Args = {"--report", Case1, Case2};
        if (withLog) run.Args.insert(run.Args.begin(), {"--settings", LogSettings(dir, log)});
        run.Closed = {1};
        const Outcome outcome = RunDualis(run);
        EXPECT_EQ(outcome.Status, 2) << withLog;
        EXPECT_EQ(outcome.Err,
                  "Unable to write the report\nstandard output\nStandard output is closed.\n");
    }
    const std::string traced = test::ReadFile(log);
    EXPECT_NE(traced.find("mCompare: Main"), std::string::npos) << traced;
    EXPECT_EQ(traced.find("Procs:"), std::string::npos) << traced;
}

TEST(CommandLineClosedOutput, ADumpToTheClosedOutputIsRefused) {
    test::TempDir dir;
    const std::string log = (dir.Path() / "trace.log").string();
    for (const std::string dump : {"/dev/stdout", "/dev/fd/1", "/proc/self/fd/1"}) {
        Invocation run;
        run.Args = {"--settings", LogSettings(dir, log), "--dump", dump, Case1, Case2};
        run.Closed = {1};
        const Outcome outcome = RunDualis(run);
        EXPECT_EQ(outcome.Status, 2) << dump;
        EXPECT_EQ(outcome.Err,
                  "Unable to write the dump\n" + dump + "\nStandard output is closed.\n");
        EXPECT_EQ(test::ReadFile(log).find("Separate_Display"), std::string::npos) << dump;
    }
    // A dump file of its own is written whatever standard output is.
    const std::string file = (dir.Path() / "DUMP.TXT").string();
    Invocation run;
    run.Args = {"--dump", file, Case1, Case2};
    run.Closed = {1};
    EXPECT_EQ(RunDualis(run).Status, 0);
    EXPECT_NE(test::ReadFile(file).find("Separate_Display"), std::string::npos);
}

TEST(CommandLineClosedOutput, MessagesForAClosedStandardErrorStayOutOfTheLog) {
    test::TempDir dir;
    const std::string log = (dir.Path() / "trace.log").string();
    const std::string missing = (dir.Path() / "missing.bas").string();
    Invocation run;
    run.Args = {"--settings", LogSettings(dir, log), "--report", missing, Case2};
    run.Closed = {2};
    const Outcome outcome = RunDualis(run);
    EXPECT_EQ(outcome.Status, 2);
    EXPECT_EQ(outcome.Out, "");
    const std::string traced = test::ReadFile(log);
    EXPECT_NE(traced.find("mCompare: CompareAFile"), std::string::npos) << traced;
    EXPECT_EQ(traced.find("Unable to open File 1"), std::string::npos) << traced;
}

}  // namespace
}  // namespace dualis
