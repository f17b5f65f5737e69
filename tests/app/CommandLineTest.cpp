#include <gtest/gtest.h>

#include <filesystem>

#include "CommandLine.h"
#include "OptionText.h"
#include "TestSupport.h"

namespace dualis {
namespace {

CommandLine Parse(const std::vector<std::string>& args, std::string* problem = nullptr) {
    CommandLine cmd;
    std::string help;
    const std::string p = ParseCommandLine(args, cmd, help);
    if (problem) {
        *problem = p;
    } else {
        EXPECT_EQ(p, "");
    }
    return cmd;
}

TEST(CommandLine, ReportWithTwoFilesOrAPair) {
    CommandLine cmd = Parse({"--report", "a.frm", "b.frm"});
    EXPECT_EQ(cmd.RunMode, CommandLine::Mode::Report);
    EXPECT_EQ(cmd.Files, (std::array<std::string, 2>{"a.frm", "b.frm"}));
    cmd = Parse({"--report", "a.frm, b.frm"});
    EXPECT_EQ(cmd.Files, (std::array<std::string, 2>{"a.frm", " b.frm"}));
}

TEST(CommandLine, DumpTakesItsFile) {
    const CommandLine cmd = Parse({"--dump", "out.txt", "a,b"});
    EXPECT_EQ(cmd.RunMode, CommandLine::Mode::Dump);
    EXPECT_EQ(cmd.DumpFile, "out.txt");
}

TEST(CommandLine, FriendlySpellingsAndAssignments) {
    const CommandLine cmd =
        Parse({"--report", "--ignore-case", "--expand-tabs", "--differences-only", "--sync=3",
               "--option", "IgnoreComments=yes", "--option", "linebyline=-1", "a", "b"});
    const CompareOptions o = cmd.OptionsOver({});
    EXPECT_TRUE(o.IgnoreCase && o.ExpandTabs && o.DifferencesOnly && o.IgnoreComments &&
                o.LineByLine);
    EXPECT_EQ(o.TabWidth, 4);
    EXPECT_EQ(o.SyncNumber, 3);
    EXPECT_EQ(o.DifferencesBefore, 3);
    EXPECT_EQ(cmd.Files[0], "a");  // bare optional-value flags leave the files alone
    const CommandLine more =
        Parse({"--report", "--expand-tabs=8", "--differences-only=1,0", "a", "b"});
    EXPECT_EQ(more.OptionsOver({}).TabWidth, 8);
    EXPECT_EQ(more.OptionsOver({}).DifferencesBefore, 1);
    EXPECT_EQ(more.OptionsOver({}).DifferencesAfter, 0);
}

TEST(CommandLine, AssignmentsApplyOverTheSettingsOptions) {
    CompareOptions fromSettings;
    fromSettings.IgnoreCase = true;
    fromSettings.SyncNumber = 5;
    const CommandLine cmd = Parse({"--settings", "my.ini", "--report", "--sync=3", "a", "b"});
    EXPECT_EQ(cmd.SettingsFile, "my.ini");
    const CompareOptions o = cmd.OptionsOver(fromSettings);
    EXPECT_TRUE(o.IgnoreCase);
    EXPECT_EQ(o.SyncNumber, 3);
}

TEST(CommandLine, WithoutAReportTheWindowOpensWithOrWithoutFiles) {
    CommandLine cmd = Parse({});
    EXPECT_EQ(cmd.RunMode, CommandLine::Mode::Window);
    EXPECT_EQ(cmd.Files[0], "");
    cmd = Parse({"a.frm", "b.frm"});  // as a difftool passes them
    EXPECT_EQ(cmd.Files, (std::array<std::string, 2>{"a.frm", "b.frm"}));
    cmd = Parse({" a.frm, b.frm "});
    EXPECT_EQ(cmd.Files, (std::array<std::string, 2>{"a.frm", " b.frm"}));
    // A single name, or one that starts with the comma, is ignored.
    EXPECT_EQ(Parse({"a.frm"}).Files[0], "");
    EXPECT_EQ(Parse({",b.frm"}).Files[1], "");
    EXPECT_EQ(Parse({"--settings", "my.ini"}).SettingsFile, "my.ini");
    std::string problem;
    Parse({"--ignore-case", "a", "b"}, &problem);
    EXPECT_EQ(problem, "The comparison options need --report or --dump");
}

TEST(CommandLine, TheWindowsFilesAreNamedFromTheCurrentFolder) {
    const std::string here = std::filesystem::current_path().string();
    CommandLine cmd = Parse({"files/a.frm", "/abs/b.frm"});
    EXPECT_EQ(cmd.AbsoluteFiles(),
              (std::array<std::string, 2>{here + "/files/a.frm", "/abs/b.frm"}));
    // A leading blank stays part of the name, as it does for the comparison.
    cmd = Parse({"a.frm, b.frm"});
    EXPECT_EQ(cmd.AbsoluteFiles()[1], here + "/ b.frm");
    EXPECT_EQ(Parse({}).AbsoluteFiles()[0], "");
}

TEST(CommandLine, Problems) {
    std::string problem;
    Parse({"--report"}, &problem);
    EXPECT_NE(problem, "");
    Parse({"--report", "onlyone"}, &problem);
    EXPECT_NE(problem, "");
    Parse({"--report", ",b"}, &problem);
    EXPECT_NE(problem, "");
    Parse({"--option", "Colour=Yes", "a", "b"}, &problem);
    EXPECT_NE(problem.find("unknown option key"), std::string::npos);
    Parse({"--option", "IgnoreCase=On", "a", "b"}, &problem);
    EXPECT_NE(problem.find("IgnoreCase"), std::string::npos);
    Parse({"--report", "--dump", "d", "a", "b"}, &problem);
    EXPECT_NE(problem, "");
    Parse({"--bogus", "a", "b"}, &problem);
    EXPECT_NE(problem, "");
}

TEST(OptionText, NumbersAreReadLenientlyAndCorrected) {
    CompareOptions o;
    EXPECT_EQ(ApplyOptionText(o, "SyncNumber=0"), "");
    EXPECT_EQ(o.SyncNumber, 2);
    EXPECT_EQ(ApplyOptionText(o, "SyncNumber=-3"), "");
    EXPECT_EQ(o.SyncNumber, 2);
    EXPECT_EQ(ApplyOptionText(o, "TabWidth=-1"), "");
    EXPECT_EQ(o.TabWidth, 4);
    EXPECT_EQ(ApplyOptionText(o, "TabWidth=0"), "");
    EXPECT_EQ(o.TabWidth, 0);
    EXPECT_EQ(ApplyOptionText(o, "DifferencesAfter=12abc"), "");
    EXPECT_EQ(o.DifferencesAfter, 12);
    EXPECT_EQ(ApplyOptionText(o, "DifferencesBefore=2.5"), "");
    EXPECT_EQ(o.DifferencesBefore, 2);  // halves go to the even neighbour
    EXPECT_EQ(ApplyOptionText(o, "DifferencesBefore=&H10"), "");
    EXPECT_EQ(o.DifferencesBefore, 16);
    EXPECT_NE(ApplyOptionText(o, "DifferencesBefore=40000"), "");
    EXPECT_NE(ApplyOptionText(o, "NoEquals"), "");
}

TEST(OptionText, AValueWithoutANumberIsRefused) {
    CompareOptions o;
    for (const std::string value : {"abc", "", " ", "-", "&H", "x12"}) {
        EXPECT_EQ(ApplyOptionText(o, "TabWidth=" + value),
                  "TabWidth takes a number, not \"" + value + "\"");
    }
    EXPECT_EQ(o, CompareOptions());
    std::string problem;
    Parse({"--report", "--option", "tabwidth=abc", "a", "b"}, &problem);
    EXPECT_EQ(problem, "Bad option: TabWidth takes a number, not \"abc\"");
    Parse({"--report", "--expand-tabs=four", "a", "b"}, &problem);
    EXPECT_EQ(problem, "Bad option: TabWidth takes a number, not \"four\"");
    Parse({"--report", "--sync=x", "a", "b"}, &problem);
    EXPECT_EQ(problem, "Bad option: SyncNumber takes a number, not \"x\"");
    Parse({"--report", "--differences-only=1,", "a", "b"}, &problem);
    EXPECT_EQ(problem, "Bad option: DifferencesAfter takes a number, not \"\"");
}

TEST(OptionText, TheOptionsInEffectAreNamedForAPerson) {
    CompareOptions o;
    EXPECT_EQ(OptionsInEffect(o), "");
    // Values that take no effect under the other options are not named.
    o.TabWidth = 8;
    o.DifferencesBefore = 1;
    EXPECT_EQ(OptionsInEffect(o), "");
    o.IgnoreCase = o.IgnoreLeadingBlanks = o.IgnoreTrailingBlanks = o.IgnoreEmbeddedBlanks = true;
    o.IgnoreBlankLines = o.IgnoreComments = o.IgnoreLineNumbers = o.ExpandTabs = true;
    o.SyncNumber = 3;
    o.DifferencesOnly = true;
    EXPECT_EQ(OptionsInEffect(o),
              "ignore case, ignore leading blanks, ignore trailing blanks, ignore embedded "
              "blanks, ignore blank lines, ignore comments, ignore line numbers, expand tabs "
              "(8), sync (3), differences only (1,3)");
    o.LineByLine = true;
    EXPECT_EQ(OptionsInEffect(o).find("sync"), std::string::npos);
    EXPECT_NE(OptionsInEffect(o).find("line by line, differences only"), std::string::npos);
}

TEST(CommandLine, AValueAfterABareOptionalValueIsNamedWithTheFormToUse) {
    std::string problem;
    Parse({"--expand-tabs", "4", "a", "b"}, &problem);
    EXPECT_EQ(problem, "--expand-tabs takes its value after \"=\": --expand-tabs=4");
    Parse({"--report", "--differences-only", "1,1", "a", "b"}, &problem);
    EXPECT_EQ(problem, "--differences-only takes its value after \"=\": --differences-only=1,1");
    Parse({"--report", "--color", "always", "a", "b"}, &problem);
    EXPECT_EQ(problem, "--color takes its value after \"=\": --color=always");
    // Words that are no such value stay file names, and so does everything after "--".
    EXPECT_EQ(Parse({"--report", "--expand-tabs", "4a", "b"}).Files[0], "4a");
    EXPECT_EQ(Parse({"--report", "--differences-only", "1,b"}).Files[1], "b");
    EXPECT_EQ(Parse({"--report", "--color", "Always", "b"}).Files[0], "Always");
    EXPECT_EQ(Parse({"--report", "--expand-tabs", "--", "4", "b"}).Files[0], "4");
    // So does a word that names a file, or two files joined by a comma.
    test::TempDir dir;
    dir.Write("4", "");
    dir.Write("1", "");
    dir.Write("2", "");
    const auto here = std::filesystem::current_path();
    std::filesystem::current_path(dir.Path());
    const CommandLine named = Parse({"--report", "--expand-tabs", "4", "b"});
    const CommandLine pair = Parse({"--report", "--differences-only", "1,2"});
    Parse({"--report", "--differences-only", "1,3"}, &problem);
    std::filesystem::current_path(here);
    EXPECT_EQ(named.Files, (std::array<std::string, 2>{"4", "b"}));
    EXPECT_EQ(pair.Files, (std::array<std::string, 2>{"1", "2"}));
    EXPECT_EQ(problem, "--differences-only takes its value after \"=\": --differences-only=1,3");
}

TEST(CommandLine, ColourWhenAndItsBareForm) {
    using When = CommandLine::ColourWhen;
    EXPECT_EQ(Parse({"--report", "a", "b"}).Colour, When::Auto);
    EXPECT_EQ(Parse({"--report", "--color=never", "a", "b"}).Colour, When::Never);
    // The bare form never takes the file name after it.
    const CommandLine bare = Parse({"--report", "--color", "a", "b"});
    EXPECT_EQ(bare.Colour, When::Always);
    EXPECT_EQ(bare.Files, (std::array<std::string, 2>{"a", "b"}));
    std::string problem;
    Parse({"--report", "--color=sometimes", "a", "b"}, &problem);
    EXPECT_NE(problem.find("--color"), std::string::npos);
}

TEST(CommandLine, AfterTwoDashesEveryArgumentIsAFileName) {
    using When = CommandLine::ColourWhen;
    for (const std::string name : {"--color", "--expand-tabs", "--differences-only",
                                   "--ignore-case", "--report", "--color=always", "-h"}) {
        const CommandLine cmd = Parse({"--report", "--", name, "b.bas"});
        EXPECT_EQ(cmd.RunMode, CommandLine::Mode::Report) << name;
        EXPECT_EQ(cmd.Files, (std::array<std::string, 2>{name, "b.bas"}));
        EXPECT_EQ(cmd.Colour, When::Auto) << name;
        EXPECT_FALSE(cmd.OptionsOver({}).ExpandTabs) << name;
        EXPECT_FALSE(cmd.OptionsOver({}).DifferencesOnly) << name;
        EXPECT_FALSE(cmd.OptionsOver({}).IgnoreCase) << name;
    }
    // Before the dashes the options still count, and the window takes its files the same way.
    const CommandLine both = Parse({"--report", "--color", "--", "a", "--color"});
    EXPECT_EQ(both.Colour, When::Always);
    EXPECT_EQ(both.Files, (std::array<std::string, 2>{"a", "--color"}));
    const CommandLine window = Parse({"--", "--expand-tabs", "--differences-only"});
    EXPECT_EQ(window.RunMode, CommandLine::Mode::Window);
    EXPECT_EQ(window.Files, (std::array<std::string, 2>{"--expand-tabs", "--differences-only"}));
}

TEST(CommandLine, AutoColoursOnlyATerminalThatAccepts) {
    using When = CommandLine::ColourWhen;
    EXPECT_TRUE(ReportInColour(When::Auto, true, nullptr, "xterm"));
    EXPECT_FALSE(ReportInColour(When::Auto, false, nullptr, "xterm"));
    EXPECT_FALSE(ReportInColour(When::Auto, true, "1", "xterm"));
    EXPECT_TRUE(ReportInColour(When::Auto, true, "", "xterm"));  // set but empty: no refusal
    EXPECT_FALSE(ReportInColour(When::Auto, true, nullptr, "dumb"));
    EXPECT_TRUE(ReportInColour(When::Always, false, "1", "dumb"));
    EXPECT_FALSE(ReportInColour(When::Never, true, nullptr, nullptr));
}

}  // namespace
}  // namespace dualis

namespace dualis {
namespace {

std::string HelpText() {
    CommandLine cmd;
    std::string help;
    EXPECT_EQ(ParseCommandLine({"--help"}, cmd, help), "");
    EXPECT_EQ(cmd.RunMode, CommandLine::Mode::Help);
    return help;
}

TEST(CommandLineHelp, ShowsEveryFormOfTheCommand) {
    const std::string help = HelpText();
    EXPECT_NE(help.find("dualis [--settings FILE] [FILE1 FILE2]"), std::string::npos) << help;
    EXPECT_NE(help.find("dualis --report [OPTIONS] FILE1 FILE2"), std::string::npos) << help;
    EXPECT_NE(help.find("dualis --dump DUMPFILE [OPTIONS] FILE1 FILE2"), std::string::npos) << help;
}

TEST(CommandLineHelp, GroupsWhatRunsApartFromWhatCompares) {
    const std::string help = HelpText();
    const size_t run = help.find("\nRun:");
    const size_t compare = help.find("\nComparison options (with --report or --dump):");
    ASSERT_NE(run, std::string::npos) << help;
    ASSERT_NE(compare, std::string::npos) << help;
    // Each option is listed once, in its own group.
    auto inGroup = [&](const std::string& option, size_t group) {
        const size_t at = help.find("  " + option + " ");
        const size_t next = help.find("\n\n", group + 1);
        return at != std::string::npos && at > group && at < next &&
               help.find("  " + option + " ", at + 1) == std::string::npos;
    };
    for (const char* option : {"--report", "--dump", "--settings", "--version"}) {
        EXPECT_TRUE(inGroup(option, run)) << option << "\n" << help;
    }
    for (const char* option : {"--option", "--ignore-case", "--ignore-leading-blanks",
                               "--ignore-trailing-blanks", "--ignore-embedded-blanks",
                               "--ignore-blank-lines", "--ignore-comments", "--ignore-line-numbers",
                               "--expand-tabs", "--line-by-line", "--sync", "--differences-only"}) {
        EXPECT_TRUE(inGroup(option, compare)) << option << "\n" << help;
    }
}

}  // namespace
}  // namespace dualis

namespace dualis {
namespace {

TEST(CommandLine, OutputChoicesForProjectsAndJson) {
    CommandLine cmd = Parse({"--format=json", "--lines", "a", "b"});
    EXPECT_EQ(cmd.RunMode, CommandLine::Mode::Report);  // a format asks for the report
    EXPECT_EQ(cmd.Format, CommandLine::OutputFormat::Json);
    EXPECT_TRUE(cmd.Lines);
    cmd = Parse({"--report", "--modules", "--module", "frmMain", "a", "b"});
    EXPECT_EQ(cmd.Format, CommandLine::OutputFormat::Text);
    EXPECT_TRUE(cmd.ModuleReports);
    EXPECT_EQ(cmd.Module, "frmMain");
    cmd = Parse({"--dump", "d.txt", "--module=src/modA.bas", "a", "b"});
    EXPECT_EQ(cmd.Module, "src/modA.bas");

    std::string problem;
    Parse({"--modules", "a", "b"}, &problem);
    EXPECT_EQ(problem, "--lines, --modules and --module need --report");
    Parse({"--report", "--lines", "a", "b"}, &problem);
    EXPECT_EQ(problem, "--lines goes with --format=json");
    Parse({"--format=json", "--module", "x", "a", "b"}, &problem);
    EXPECT_NE(problem.find("--format=json holds every module"), std::string::npos) << problem;
    Parse({"--dump", "d.txt", "--modules", "a", "b"}, &problem);
    EXPECT_EQ(problem, "--format, --lines and --modules go with --report, not --dump");
}

TEST(CommandLine, IgnoreSaveNoiseInEachSpelling) {
    project::ProjectOptions fromSettings;
    fromSettings.IgnoreSaveNoise = false;
    EXPECT_FALSE(Parse({"--report", "a", "b"}).ProjectOptionsOver(fromSettings).IgnoreSaveNoise);
    EXPECT_TRUE(Parse({"--report", "--ignore-save-noise", "a", "b"})
                    .ProjectOptionsOver(fromSettings)
                    .IgnoreSaveNoise);
    const CommandLine off =
        Parse({"--report", "--ignore-save-noise=no", "--ignore-case", "a", "b"});
    EXPECT_EQ(off.Files[0], "a");
    EXPECT_FALSE(off.ProjectOptionsOver(project::ProjectOptions{}).IgnoreSaveNoise);
    EXPECT_TRUE(off.ProjectOptionsOver(project::ProjectOptions{}).Compare.IgnoreCase);
    EXPECT_FALSE(Parse({"--report", "--option", "ignoresavenoise=0", "a", "b"})
                     .ProjectOptionsOver(project::ProjectOptions{})
                     .IgnoreSaveNoise);
    std::string problem;
    Parse({"--report", "--ignore-save-noise=maybe", "a", "b"}, &problem);
    EXPECT_EQ(problem,
              "Bad option: IgnoreSaveNoise takes Yes, No, True, False, -1 or 0, not \"maybe\"");
    Parse({"--report", "--ignore-save-noise", "no", "a", "b"}, &problem);
    EXPECT_EQ(problem, "--ignore-save-noise takes its value after \"=\": --ignore-save-noise=no");
    // The file pair's options are the same with or without the key.
    EXPECT_TRUE(off.OptionsOver(CompareOptions{}).IgnoreCase);
}

TEST(OptionText, SaveNoiseComparedIsNamed) {
    project::ProjectOptions options;
    EXPECT_EQ(OptionsInEffect(options), "");
    options.IgnoreSaveNoise = false;
    EXPECT_EQ(OptionsInEffect(options), "save noise compared");
    options.Compare.IgnoreCase = true;
    EXPECT_EQ(OptionsInEffect(options), "ignore case, save noise compared");
}

TEST(CommandLineHelp, NamesWhatTheReportCompares) {
    const std::string help = HelpText();
    EXPECT_NE(help.find("two folders, two projects (.vbp), a folder and a project, two\n"
                        "project groups (.vbg), or Office documents with macros"),
              std::string::npos)
        << help;
    EXPECT_NE(help.find("dualis --extract [--encoding=ENC] DOC DIR"), std::string::npos);
    EXPECT_NE(help.find("dualis --vba-text DOC"), std::string::npos);
    const size_t projects = help.find("\nProjects and folders (with --report or --dump):");
    ASSERT_NE(projects, std::string::npos) << help;
    for (const char* option : {"--modules", "--module", "--ignore-save-noise"}) {
        EXPECT_NE(help.find(std::string("  ") + option + " ", projects), std::string::npos)
            << option;
    }
}

TEST(CommandLine, ExtractAndVbaTextTakeADocument) {
    CommandLine cmd = Parse({"--extract", "Book.xlsm", "vba"});
    EXPECT_EQ(cmd.RunMode, CommandLine::Mode::Extract);
    EXPECT_EQ(cmd.Document, "Book.xlsm");
    EXPECT_EQ(cmd.ExtractFolder, "vba");
    EXPECT_FALSE(cmd.NativeEncoding);
    cmd = Parse({"--extract", "--encoding=native", "Book.xlsm", "vba"});
    EXPECT_TRUE(cmd.NativeEncoding);
    cmd = Parse({"--extract", "--encoding", "utf-8", "Book.xlsm", "vba"});
    EXPECT_FALSE(cmd.NativeEncoding);
    cmd = Parse({"--vba-text", "Book.xlsm"});
    EXPECT_EQ(cmd.RunMode, CommandLine::Mode::VbaText);
    EXPECT_EQ(cmd.Document, "Book.xlsm");
    // The settings file may be named; nothing reads it.
    cmd = Parse({"--settings", "x.ini", "--vba-text", "Book.xlsm"});
    EXPECT_EQ(cmd.RunMode, CommandLine::Mode::VbaText);

    std::string problem;
    Parse({"--extract", "Book.xlsm"}, &problem);
    EXPECT_EQ(problem, "--extract takes a document and a folder: --extract DOC DIR");
    Parse({"--vba-text", "Book.xlsm", "other"}, &problem);
    EXPECT_EQ(problem, "--vba-text takes one document: --vba-text DOC");
    Parse({"--extract", "--vba-text", "a.xlsm", "b.xlsm", "dir"}, &problem);
    EXPECT_EQ(problem, "--extract and --vba-text exclude each other");
    Parse({"--extract", "--report", "a.xlsm", "dir"}, &problem);
    EXPECT_EQ(problem, "--extract takes no comparison or report option");
    Parse({"--vba-text", "a.xlsm", "--ignore-case"}, &problem);
    EXPECT_EQ(problem, "--vba-text takes no comparison or report option");
    Parse({"--vba-text", "a.xlsm", "--encoding=native"}, &problem);
    EXPECT_EQ(problem, "--encoding goes with --extract");
    Parse({"--report", "--encoding=native", "a", "b"}, &problem);
    EXPECT_EQ(problem, "--encoding goes with --extract");
    Parse({"--extract", "--encoding=latin1", "a", "b"}, &problem);
    EXPECT_NE(problem.find("--encoding"), std::string::npos);
}

TEST(CommandLine, CodePageInEachSpelling) {
    CommandLine cmd = Parse({"--report", "--codepage=932", "a", "b"});
    EXPECT_EQ(cmd.ProjectOptionsOver({}).CodePage, 932u);
    cmd = Parse({"--report", "--option", "CodePage=1251", "a", "b"});
    EXPECT_EQ(cmd.ProjectOptionsOver({}).CodePage, 1251u);
    project::ProjectOptions fromSettings;
    fromSettings.CodePage = 936;
    cmd = Parse({"--report", "a", "b"});
    EXPECT_EQ(cmd.ProjectOptionsOver(fromSettings).CodePage, 936u);
    cmd = Parse({"--report", "--codepage=0", "a", "b"});
    EXPECT_EQ(cmd.ProjectOptionsOver(fromSettings).CodePage, 0u);
    std::string problem;
    Parse({"--report", "--codepage=12345", "a", "b"}, &problem);
    EXPECT_EQ(problem, "Bad option: code page 12345 is not known here");
    Parse({"--report", "--codepage=x", "a", "b"}, &problem);
    EXPECT_EQ(problem, "Bad option: CodePage takes the number of a code page, or 0, not \"x\"");
    Parse({"--report", "--codepage=-5", "a", "b"}, &problem);
    EXPECT_NE(problem, "");
}

TEST(OptionText, TheCodePageIsNamed) {
    project::ProjectOptions options;
    options.CodePage = 932;
    EXPECT_EQ(OptionsInEffect(options), "code page 932");
    options.IgnoreSaveNoise = false;
    EXPECT_EQ(OptionsInEffect(options), "save noise compared, code page 932");
}

}  // namespace
}  // namespace dualis
