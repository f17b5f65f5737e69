// The window's form of the command line on a display that takes the connection but never
// answers: the program says so and prints the report instead of waiting for ever.
#include <gtest/gtest.h>

#include <string>

#include "RunDualis.h"
#include "TestDisplays.h"
#include "TestSupport.h"

namespace dualis {
namespace {

using test::Invocation;
using test::Outcome;
using test::RunDualis;

const std::string Data = DUALIS_TEST_DATA;

Outcome RunOnDisplay(std::vector<std::string> args,
                     std::vector<std::pair<std::string, std::string>> env,
                     std::vector<std::string> unset) {
    Invocation run;
    run.Args = std::move(args);
    run.Env = std::move(env);
    run.Unset = std::move(unset);
    run.Unset.push_back("QT_QPA_PLATFORM");
    return RunDualis(run);
}

TEST(CommandLineWindow, AStoppedXServerIsNamedAndTheReportPrinted) {
    test::XServer x;
    if (x.Name().empty()) GTEST_SKIP() << "Xvfb could not be started; the X check is not tested";
    x.Stop();
    const Outcome outcome = RunOnDisplay({Data + "/case1.bas", Data + "/case2.bas"},
                                         {{"DISPLAY", x.Name()}}, {"WAYLAND_DISPLAY"});
    EXPECT_EQ(outcome.Status, 1);
    EXPECT_EQ(outcome.Err, "The display does not answer: printing the report instead.\n");
    EXPECT_NE(outcome.Out.find("Procs: 0 equal, 1 changed"), std::string::npos);
}

TEST(CommandLineWindow, AWaylandSocketThatNeverAnswersIsNamedAndTheReportPrinted) {
    test::TempDir dir;
    const test::SilentSocket socket((dir.Path() / "wayland-0").string());
    ASSERT_TRUE(socket.Listening());
    const std::vector<std::pair<std::string, std::string>> env = {
        {"WAYLAND_DISPLAY", "wayland-0"}, {"XDG_RUNTIME_DIR", dir.Path().string()}};
    Outcome outcome = RunOnDisplay({Data + "/case1.bas", Data + "/case2.bas"}, env, {"DISPLAY"});
    EXPECT_EQ(outcome.Status, 1);
    EXPECT_EQ(outcome.Err, "The display does not answer: printing the report instead.\n");
    EXPECT_NE(outcome.Out.find("Procs: 0 equal, 1 changed"), std::string::npos);

    outcome = RunOnDisplay({}, env, {"DISPLAY"});
    EXPECT_EQ(outcome.Status, 2);
    EXPECT_EQ(outcome.Err,
              "The display does not answer: give two files to print their "
              "comparison.\n");
}

}  // namespace
}  // namespace dualis
