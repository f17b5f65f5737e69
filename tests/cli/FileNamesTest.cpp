// The command line's file names: any name of a readable regular file is compared, whatever its
// characters, every refusal says why, after "--" every argument is a file name, and a value
// given to an option that takes it only after "=" is not mistaken for one.
#include <gtest/gtest.h>
#include <sys/stat.h>
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

TEST(CommandLineNames, DotsWildcardsAndQuestionMarksAreOrdinaryCharacters) {
    test::TempDir dir;
    const std::string text = test::ReadFile(Case1);
    for (const std::string name : {".x.bas", ".bas", "a*b.bas", "q?.bas", "*", "[ab].bas"}) {
        const std::string file = dir.Write(name, text);
        Outcome run = RunDualis({"--report", file, Case1});
        EXPECT_EQ(run.Status, 0) << name << "\n" << run.Err;
        EXPECT_EQ(run.Err, "");
        // And as the second file, named from the current folder.
        Invocation here;
        here.Args = {"--report", Case1, name};
        here.WorkDir = dir.Path().string();
        run = RunDualis(here);
        EXPECT_EQ(run.Status, 0) << name << "\n" << run.Err;
    }
}

TEST(CommandLineNames, EveryRefusedNameSaysWhy) {
    test::TempDir dir;
    const std::string missing = (dir.Path() / "missing.bas").string();
    const std::string underFile = Case1 + "/x.bas";
    const std::string fifo = (dir.Path() / "fifo.bas").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::pair<std::string, std::string> cases[] = {
        {missing, "No such file or directory"}, {"", "No such file or directory"},
        {underFile, "Not a directory"},         {"/dev/null", "It is not a regular file."},
        {fifo, "It is not a regular file."},
    };
    for (const auto& [name, reason] : cases) {
        Outcome run = RunDualis({"--report", name, Case1});
        EXPECT_EQ(run.Status, 2) << name;
        EXPECT_EQ(run.Err, "Unable to open File 1\n" + name + "\n" + reason + "\n");
        run = RunDualis({"--report", Case1, name});
        EXPECT_EQ(run.Status, 2) << name;
        EXPECT_EQ(run.Err, "Unable to open File 2\n" + name + "\n" + reason + "\n");
    }
    // A folder is a source of modules: it is not compared with a module file.
    for (const std::string& folder : {dir.Path().string(), dir.Path().string() + "/"}) {
        for (const auto& [one, two] : {std::pair{folder, Case1}, {Case1, folder}}) {
            const Outcome run = RunDualis({"--report", one, two});
            EXPECT_EQ(run.Status, 2) << one << " " << two;
            EXPECT_EQ(run.Err,
                      "A module file can only be compared with another module file, not "
                      "with a folder, a project, a project group or an Office document.\n");
        }
    }
}

TEST(CommandLineNames, AFileThatMayNotBeReadSaysSo) {
    if (::geteuid() == 0) GTEST_SKIP() << "the superuser may read every file";
    test::TempDir dir;
    const std::string locked = dir.Write("locked.bas", "Sub A()\n");
    ASSERT_EQ(::chmod(locked.c_str(), 0), 0);
    const Outcome run = RunDualis({"--report", locked, Case1});
    EXPECT_EQ(run.Status, 2);
    EXPECT_EQ(run.Err, "Unable to open File 1\n" + locked + "\nPermission denied\n");
}

TEST(CommandLineNames, AfterTwoDashesEveryArgumentIsAFileName) {
    test::TempDir dir;
    const std::string text = test::ReadFile(Case1);
    for (const std::string option :
         {"--color", "--expand-tabs", "--differences-only", "--report", "--ignore-case", "-h"}) {
        dir.Write(option, text);
        Invocation run;
        run.Args = {"--report", "--", option, Case1};
        run.WorkDir = dir.Path().string();
        const Outcome outcome = RunDualis(run);
        EXPECT_EQ(outcome.Status, 0) << option << "\n" << outcome.Err;
        EXPECT_EQ(outcome.Err, "");
        // Colour stays at its default: a file is no terminal.
        EXPECT_EQ(outcome.Out.find('\x1b'), std::string::npos) << option;
    }
}

TEST(CommandLineNames, AValueMeantForAnOptionIsNamedWithTheFormToUse) {
    test::TempDir dir;
    const std::string text = test::ReadFile(Case1);
    const std::string a = dir.Write("a.bas", text), b = dir.Write("b.bas", text);
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"--expand-tabs", "4"}, "--expand-tabs takes its value after \"=\": --expand-tabs=4\n"},
        {{"--differences-only", "1,1"},
         "--differences-only takes its value after \"=\": --differences-only=1,1\n"},
        {{"--color", "never"}, "--color takes its value after \"=\": --color=never\n"}};
    for (const auto& [words, message] : cases) {
        Invocation run;
        run.Args = {"--report", words[0], words[1], a, b};
        run.WorkDir = dir.Path().string();
        const Outcome outcome = RunDualis(run);
        EXPECT_EQ(outcome.Status, 2) << words[0];
        EXPECT_EQ(outcome.Err, message);
        EXPECT_EQ(outcome.Out, "");
    }
    // A file of that name is a file: the bare option takes no value.
    dir.Write("4", text);
    Invocation run;
    run.Args = {"--report", "--expand-tabs", "4", a};
    run.WorkDir = dir.Path().string();
    const Outcome outcome = RunDualis(run);
    EXPECT_EQ(outcome.Status, 0) << outcome.Err;
    EXPECT_NE(outcome.Out.find("Options: expand tabs (4)\n"), std::string::npos) << outcome.Out;
}

}  // namespace
}  // namespace dualis
