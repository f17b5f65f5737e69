// The command line with settings files and trace logs that are not what they should be: each
// is named on standard error and the run goes on with the defaults or without a log.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

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

TEST(CommandLineSettings, ANameWithoutAFolderIsInTheCurrentFolder) {
    test::TempDir dir;
    dir.Write("mine.ini", "[Compare]\nIgnoreCase=Yes\n");
    Invocation run;
    run.Args = {"--settings", "mine.ini", "--report", Case1, Case2};
    run.WorkDir = dir.Path().string();
    const Outcome outcome = RunDualis(run);
    EXPECT_EQ(outcome.Status, 0) << outcome.Err;
    EXPECT_EQ(outcome.Err, "");
}

TEST(CommandLineSettings, TheReportNamesTheOptionsInEffectWhereverTheyCameFrom) {
    Outcome outcome = RunDualis({"--settings", Data + "/ignore-case.ini", "--report",
                                 "--expand-tabs=8", "--option", "SyncNumber=3", Case1, Case2});
    EXPECT_EQ(outcome.Status, 0) << outcome.Err;
    EXPECT_NE(outcome.Out.find("\nOptions: ignore case, expand tabs (8), sync (3)\n\n"),
              std::string::npos)
        << outcome.Out;
    // Options at their defaults, from the file or the command line, are not named.
    outcome = RunDualis({"--settings", Data + "/ignore-case.ini", "--option", "IgnoreCase=No",
                         "--option", "TabWidth=8", "--report", Case1, Case2});
    EXPECT_EQ(outcome.Status, 1) << outcome.Err;
    EXPECT_EQ(outcome.Out.find("Options:"), std::string::npos) << outcome.Out;
    EXPECT_NE(outcome.Out.find("case2.bas\n\n"), std::string::npos) << outcome.Out;
}

TEST(CommandLineSettings, AFileThatIsNoSettingsFileIsNamedAndTheDefaultsAreUsed) {
    test::TempDir dir;
    const std::pair<std::string, std::string> cases[] = {
        {(dir.Path() / "none.ini").string(), "No such file or directory"},
        {dir.Path().string(), "It is a folder."},
        {DUALIS_EXE, "It is not a text file."},
    };
    for (const auto& [file, reason] : cases) {
        const Outcome run = RunDualis({"--settings", file, "--report", Case1, Case2});
        EXPECT_EQ(run.Status, 1) << file;  // IgnoreCase is off by default
        EXPECT_EQ(run.Err, "Unable to read the settings file\n" + file + "\n" + reason +
                               "\nThe defaults are used.\n");
    }
}

TEST(CommandLineSettings, EveryValueThatCannotBeReadIsNamedOnce) {
    test::TempDir dir;
    const std::string ini =
        dir.Write("s.ini", "[Compare]\nIgnoreCase=perhaps\nTabWidth=abc\n[Display]\nViewMode=Q\n");
    const Outcome run = RunDualis({"--settings", ini, "--report", Case1, Case2});
    EXPECT_EQ(run.Status, 1);  // IgnoreCase takes its default, off
    EXPECT_EQ(run.Err,
              "IgnoreCase: \"perhaps\" is not Yes, No, True, False, -1 or 0; the default No is "
              "used.\nTabWidth: \"abc\" is not a number; 0 is used.\nViewMode: \"Q\" is not V, H "
              "or C; V is used.\n");
}

TEST(CommandLineLog, ALogThatCannotBeOpenedIsNamedAndTheComparisonGoesOn) {
    test::TempDir dir;
    const std::string missing = (dir.Path() / "none" / "trace.log").string();
    const std::string ini = dir.Write("s.ini", "[Debug]\nLogApp=Yes\nLOGFILE=" + missing + "\n");
    const Outcome run = RunDualis({"--settings", ini, "--report", Case1, Case2});
    EXPECT_EQ(run.Status, 1);
    EXPECT_EQ(run.Err, "Unable to open the trace log that LOGFILE names\n" + missing +
                           "\nNo such file or directory\nThe program goes on without a log.\n");
    EXPECT_NE(run.Out.find("Procs: 0 equal, 1 changed"), std::string::npos);
}

TEST(CommandLineLog, ALogThatIsAnInputFileLeavesItAsItWas) {
    test::TempDir dir;
    const std::string one = dir.Write("one.bas", test::ReadFile(Case1));
    const std::string ini = dir.Write("s.ini", "[Debug]\nLogApp=Yes\nLOGFILE=" + one + "\n");
    const Outcome run = RunDualis({"--settings", ini, "--report", one, Case2});
    EXPECT_EQ(run.Status, 1);
    EXPECT_NE(run.Err.find("\nIt is one of the files to compare.\n"), std::string::npos);
    EXPECT_EQ(test::ReadFile(one), test::ReadFile(Case1));
}

TEST(CommandLineLog, ALogThatIsTheSettingsFileLeavesItAsItWas) {
    test::TempDir dir;
    std::filesystem::create_directory(dir.Path() / "sub");
    // The settings file under another name.
    const std::string same = (dir.Path() / "sub" / ".." / "s.ini").string();
    const std::string text =
        "[Compare]\nIgnoreCase=Yes\n[Debug]\nLogApp=Yes\nLOGFILE=" + same + "\n";
    const std::string ini = dir.Write("s.ini", text);
    for (const std::string mode : {"--report", "--dump"}) {
        std::vector<std::string> args = {"--settings", ini, mode, Case1, Case2};
        if (mode == "--dump") args.insert(args.begin() + 3, (dir.Path() / "DUMP.TXT").string());
        // Twice: the next run still has the settings.
        for (int run = 0; run < 2; ++run) {
            const Outcome outcome = RunDualis(args);
            EXPECT_EQ(outcome.Status, 0) << mode;  // IgnoreCase=Yes was read
            EXPECT_EQ(outcome.Err, "Unable to open the trace log that LOGFILE names\n" + same +
                                       "\nIt is the settings file.\nThe program goes on "
                                       "without a log.\n");
            EXPECT_EQ(test::ReadFile(ini), text);
        }
    }
}

}  // namespace
}  // namespace dualis
