// The report in colour from the program itself: the escapes it writes when asked, none when its
// output is not a terminal, and a usage error for a value it does not know.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "RunDualis.h"

namespace dualis {
namespace {

const std::string Data = DUALIS_TEST_DATA;

// Escapes written as "\e" so that the golden file reads as text.
std::string Readable(std::string text) {
    for (size_t at; (at = text.find('\x1b')) != std::string::npos;) text.replace(at, 1, "\\e");
    return text;
}

std::string ReadFile(const std::string& name) {
    std::ifstream in(name, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

test::Outcome Report(std::vector<std::string> extra) {
    test::Invocation run;
    run.Args = {"--report", "small1.bas", "small2.bas"};
    run.Args.insert(run.Args.begin() + 1, extra.begin(), extra.end());
    run.WorkDir = Data;
    return test::RunDualis(run);
}

TEST(ReportColour, AlwaysWritesTheGoldenReport) {
    const test::Outcome run = Report({"--color=always"});
    EXPECT_EQ(run.Status, 1);
    EXPECT_EQ(Readable(run.Out), ReadFile(Data + "/report-color.txt"));
}

TEST(ReportColour, AutoIntoAPipeWritesThePlainReport) {
    const std::string plain = Report({}).Out;
    EXPECT_EQ(Report({"--color=never"}).Out, plain);
    const std::string command =
        "cd " + Data + " && " + DUALIS_EXE + " --settings " + Data +
        "/settings-first-run.ini --report --color=auto small1.bas small2.bas";
    std::FILE* pipe = ::popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string piped;
    char buffer[4096];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) piped.append(buffer, n);
    EXPECT_EQ(WEXITSTATUS(::pclose(pipe)), 1);
    EXPECT_EQ(piped, plain);
    EXPECT_EQ(piped.find('\x1b'), std::string::npos);
}

TEST(ReportColour, AnUnknownValueIsAUsageError) {
    const test::Outcome run = Report({"--color=sometimes"});
    EXPECT_EQ(run.Status, 2);
    EXPECT_EQ(run.Out, "");
    EXPECT_NE(run.Err.find("--color"), std::string::npos);
}

}  // namespace
}  // namespace dualis
