// The window's form of the command line when the window module cannot be used: the program
// says why, in the loader's words, and prints the report as it does without a display. The
// program is copied into a tree of the test's own, where it looks for its module beside
// itself, then in the installed private folder.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "RunDualis.h"
#include "TestSupport.h"

namespace dualis {
namespace {

namespace fs = std::filesystem;
using test::Invocation;
using test::Outcome;

const std::string Data = DUALIS_TEST_DATA;
constexpr const char* ModuleName = DUALIS_WINDOW_MODULE;
constexpr const char* Report = "The window is not available: printing the report instead.\n";

// A copy of the program in `dir`/bin, with nothing beside it.
struct ProgramTree {
    test::TempDir Dir;
    fs::path Bin = Dir.Path() / "bin";
    fs::path Installed = (Bin / DUALIS_MODULE_FROM_PROGRAM).lexically_normal();

    ProgramTree() {
        fs::create_directories(Bin);
        fs::copy_file(DUALIS_EXE, Bin / "dualis");
    }
    void Put(const fs::path& folder, const fs::path& module) const {
        fs::create_directories(folder);
        fs::copy_file(module, folder / ModuleName);
    }
    // The window's form of the command line, on a platform that needs no display.
    Outcome Run(std::vector<std::string> args) const {
        Invocation run;
        run.Program = (Bin / "dualis").string();
        run.Args = std::move(args);
        run.Env = {{"QT_QPA_PLATFORM", "offscreen"}};
        return test::RunDualis(run);
    }
};

bool StartsWith(const std::string& text, const std::string& start) {
    return text.compare(0, start.size(), start) == 0;
}
bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
}

TEST(WindowModule, WithoutItTheLoadersReasonIsSaidAndTheReportPrinted) {
    const ProgramTree tree;
    Outcome outcome = tree.Run({Data + "/case1.bas", Data + "/case2.bas"});
    EXPECT_EQ(outcome.Status, 1);
    // When no place holds a module, the loader names the installed one.
    const std::string missing = (tree.Installed / ModuleName).string();
    EXPECT_TRUE(StartsWith(outcome.Err, "Unable to load the window\n" + missing + ": "))
        << outcome.Err;
    EXPECT_TRUE(EndsWith(outcome.Err, std::string("\n") + Report)) << outcome.Err;
    EXPECT_NE(outcome.Out.find("Procs: 0 equal, 1 changed"), std::string::npos);

    outcome = tree.Run({});
    EXPECT_EQ(outcome.Status, 2);
    EXPECT_TRUE(EndsWith(outcome.Err,
                         "\nThe window is not available: give two files to print their "
                         "comparison.\n"))
        << outcome.Err;
    EXPECT_EQ(outcome.Out, "");
}

TEST(WindowModule, TheInstalledFolderIsFoundFromTheProgramAndAModuleWithoutTheEntryIsRefused) {
    const ProgramTree tree;
    tree.Put(tree.Installed, MODULE_WITHOUT_ENTRY);
    const Outcome outcome = tree.Run({Data + "/case1.bas", Data + "/case2.bas"});
    EXPECT_EQ(outcome.Status, 1);
    const std::string loaded = (tree.Installed / ModuleName).string();
    EXPECT_TRUE(StartsWith(outcome.Err, "Unable to load the window\n" + loaded + ": "))
        << outcome.Err;
    EXPECT_NE(outcome.Err.find("DualisRunWindow"), std::string::npos) << outcome.Err;
    EXPECT_TRUE(EndsWith(outcome.Err, std::string("\n") + Report)) << outcome.Err;
    EXPECT_NE(outcome.Out.find("Procs: 0 equal, 1 changed"), std::string::npos);
}

TEST(WindowModule, AModuleBesideTheProgramComesFirstAndIsNotPassedOverWhenBroken) {
    const ProgramTree tree;
    tree.Put(tree.Installed, MODULE_WITHOUT_ENTRY);
    const test::TempDir scratch;
    tree.Put(tree.Bin, scratch.Write("text", "not a module\n"));
    const Outcome outcome = tree.Run({Data + "/case1.bas", Data + "/case2.bas"});
    EXPECT_EQ(outcome.Status, 1);
    const std::string beside = (tree.Bin / ModuleName).string();
    EXPECT_TRUE(StartsWith(outcome.Err, "Unable to load the window\n" + beside + ": "))
        << outcome.Err;
    EXPECT_TRUE(EndsWith(outcome.Err, std::string("\n") + Report)) << outcome.Err;
}

}  // namespace
}  // namespace dualis
