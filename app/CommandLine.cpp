#include "CommandLine.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <cctype>
#include <filesystem>
#include <memory>
#include <span>
#include <string_view>

#include "OptionText.h"
#include "OsFiles.h"
#include "ValueForms.h"

namespace dualis {

bool SplitFilePair(const std::string& argument, std::array<std::string, 2>& files) {
    const size_t first = argument.find_first_not_of(' ');
    if (first == std::string::npos) return false;
    const std::string trimmed = argument.substr(first, argument.find_last_not_of(' ') - first + 1);
    const size_t comma = trimmed.find(',');
    if (comma == std::string::npos || comma == 0) return false;
    files = {trimmed.substr(0, comma), trimmed.substr(comma + 1)};
    return true;
}

std::array<std::string, 2> CommandLine::AbsoluteFiles() const {
    std::array<std::string, 2> names = Files;
    for (std::string& name : names) {
        std::error_code error;
        // Not canonical: links and the name's own spelling stay as the user gave them.
        const std::filesystem::path absolute =
            std::filesystem::absolute(os::PathFromUtf8(name), error);
        if (!name.empty() && !error) name = absolute.string();
    }
    return names;
}

bool ReportInColour(CommandLine::ColourWhen when, bool toTerminal, const char* noColor,
                    const char* term) {
    if (when != CommandLine::ColourWhen::Auto) return when == CommandLine::ColourWhen::Always;
    const bool refused = (noColor != nullptr && *noColor != '\0') ||
                         (term != nullptr && std::string_view(term) == "dumb");
    return toTerminal && !refused;
}

CompareOptions CommandLine::OptionsOver(CompareOptions options) const {
    project::ProjectOptions all;
    all.Compare = options;
    return ProjectOptionsOver(all).Compare;
}

project::ProjectOptions CommandLine::ProjectOptionsOver(project::ProjectOptions options) const {
    for (const std::string& a : Assignments) ApplyOptionText(options, a);
    return options;
}

namespace {

// CLI11's usage line knows one form; the program has three.
class HelpFormatter : public CLI::Formatter {
  public:
    std::string make_usage(const CLI::App*, std::string) const override {
        return "Usage:\n"
               "  dualis [--settings FILE] [FILE1 FILE2]        open the window\n"
               "  dualis --report [OPTIONS] FILE1 FILE2         print the comparison\n"
               "  dualis --dump DUMPFILE [OPTIONS] FILE1 FILE2  append the diagnostic dump\n"
               "  dualis --extract [--encoding=ENC] DOC DIR     write a document's modules\n"
               "  dualis --vba-text DOC                         print a document's modules\n"
               "FILE1,FILE2 as one argument names the two files too. With --report, FILE1 and\n"
               "FILE2 may be two folders, two projects (.vbp), a folder and a project, two\n"
               "project groups (.vbg), or Office documents with macros (.xlsm, .docm, .xls ...)\n"
               "with each other, a folder or a project, compared module by module.\n\n";
    }
};

// The options whose value is optional, and what a word that was meant as their value looks
// like: a number, two numbers joined by a comma, a colour choice.
bool IsNumber(std::string_view word) {
    return !word.empty() && std::all_of(word.begin(), word.end(), [](char c) {
        return std::isdigit(static_cast<unsigned char>(c)) != 0;
    });
}
bool IsNumberPair(std::string_view word) {
    const size_t comma = word.find(',');
    return comma != std::string_view::npos && IsNumber(word.substr(0, comma)) &&
           IsNumber(word.substr(comma + 1));
}
bool IsColourChoice(std::string_view word) {
    return word == "auto" || word == "always" || word == "never";
}
bool IsYesOrNo(std::string_view word) {
    return BoolFromText(word).has_value();
}
struct OptionalValue {
    const char* Name;
    bool (*LooksLikeValue)(std::string_view);
};
constexpr OptionalValue kOptionalValues[] = {{"--expand-tabs", IsNumber},
                                             {"--differences-only", IsNumberPair},
                                             {"--color", IsColourChoice},
                                             {"--ignore-save-noise", IsYesOrNo}};

// Whether the word names a file, or two files joined by a comma.
bool NamesFiles(const std::string& word) {
    std::error_code error;
    if (std::filesystem::exists(word, error)) return true;
    std::array<std::string, 2> pair;
    return SplitFilePair(word, pair) && std::filesystem::exists(pair[0], error) &&
           std::filesystem::exists(pair[1], error);
}

// A bare optional-value option followed by what reads as its value and names no file: the
// user meant the value, which would otherwise be taken as a file name. Empty when none is.
std::string ValueWithoutEquals(std::span<const std::string> args) {
    for (size_t i = 0; i + 1 < args.size(); ++i) {
        for (const OptionalValue& option : kOptionalValues) {
            if (args[i] == option.Name && option.LooksLikeValue(args[i + 1]) &&
                !NamesFiles(args[i + 1])) {
                return std::string(option.Name) + " takes its value after \"=\": " + option.Name +
                       "=" + args[i + 1];
            }
        }
    }
    return "";
}

const char* const kRunGroup = "Run";
const char* const kOutputGroup = "Output (with --report)";
const char* const kProjectGroup = "Projects and folders (with --report or --dump)";
const char* const kCompareGroup = "Comparison options (with --report or --dump)";
const char* const kDocumentGroup = "Office documents";

// What the output options ask that the run cannot give; empty when they fit together.
std::string OutputConflict(const CommandLine& cmd, bool formatGiven) {
    const bool json = cmd.Format == CommandLine::OutputFormat::Json;
    if (cmd.RunMode == CommandLine::Mode::Window) {
        if (cmd.Lines || cmd.ModuleReports || !cmd.Module.empty()) {
            return "--lines, --modules and --module need --report";
        }
        return "";
    }
    if (cmd.RunMode == CommandLine::Mode::Dump && (formatGiven || cmd.Lines || cmd.ModuleReports)) {
        return "--format, --lines and --modules go with --report, not --dump";
    }
    if (cmd.Lines && !json) return "--lines goes with --format=json";
    if (json && (cmd.ModuleReports || !cmd.Module.empty())) {
        return "--modules and --module choose the reports that follow a project's summary; "
               "--format=json holds every module";
    }
    return "";
}

}  // namespace

std::string ParseCommandLine(const std::vector<std::string>& args, CommandLine& result,
                             std::string& help) {
    CLI::App app{"Dualis compares two Visual Basic source files procedure by procedure.", "dualis"};
    // Options are "--" and "-" alone on every system: on Windows a name such as /src is a file.
    app.allow_windows_style_options(false);
    app.formatter(std::make_shared<HelpFormatter>());
    app.footer("See man dualis for the settings file, the exit status and git difftool.");
    app.set_help_flag("-h,--help", "Print this help and exit")->group(kRunGroup);
    bool report = false;
    bool version = false;
    std::vector<std::string> files;
    std::vector<std::string> assignments;
    app.add_flag("--report", report,
                 "Print the comparison (exit 0 when every procedure is equal, 1 when any "
                 "differs, 2 on trouble)")
        ->group(kRunGroup);
    app.add_option("--dump", result.DumpFile,
                   "Append the diagnostic dump of the comparison to DUMPFILE")
        ->type_name("DUMPFILE")
        ->group(kRunGroup);
    app.add_option("--option", assignments,
                   "Set a comparison option, e.g. IgnoreCase=Yes or SyncNumber=3 (repeatable)")
        ->type_name("KEY=VALUE")
        ->allow_extra_args(false)
        ->group(kCompareGroup);
    app.add_flag("--version", version, "Print the name and version and exit")->group(kRunGroup);
    bool extract = false;
    app.add_flag("--extract", extract,
                 "Write the modules of the Office document DOC to the folder DIR as .bas, .cls "
                 "and .frm files")
        ->group(kDocumentGroup);
    app.add_option("--vba-text", result.Document,
                   "Print the modules of the Office document DOC one after another, each under "
                   "a line naming it (for git's textconv)")
        ->type_name("DOC")
        ->group(kDocumentGroup);
    std::string encoding;
    app.add_option("--encoding", encoding,
                   "With --extract: utf-8 (default) or native (the project's own code page)")
        ->type_name("=ENC")
        ->check(CLI::IsMember({"utf-8", "native"}))
        ->group(kDocumentGroup);
    app.add_option("--settings", result.SettingsFile,
                   "Take the options from this settings file instead of the user's")
        ->type_name("FILE")
        ->group(kRunGroup);

    std::string colour;
    bool bareColour = false;
    app.add_option("--color", colour,
                   "Colour the report: auto (default: only on a terminal, and not when NO_COLOR "
                   "is set), always (the same as a bare --color) or never")
        ->type_name("[=WHEN]")
        ->check(CLI::IsMember({"auto", "always", "never"}))
        ->group(kOutputGroup);
    std::string format;
    app.add_option("--format", format,
                   "text (default): the report; json: the whole comparison as JSON (either "
                   "implies --report)")
        ->type_name("=FORMAT")
        ->check(CLI::IsMember({"text", "json"}))
        ->group(kOutputGroup);
    app.add_flag("--lines", result.Lines, "With --format=json: the rows of every procedure")
        ->group(kOutputGroup);

    app.add_flag("--modules", result.ModuleReports,
                 "After the summary of two projects or folders, the report of every changed "
                 "module")
        ->group(kProjectGroup);
    app.add_option("--module", result.Module,
                   "After the summary, the report of this one module (its name or its path); "
                   "with --dump, the module pair to dump")
        ->type_name("NAME")
        ->group(kProjectGroup);
    std::string saveNoise;
    bool bareSaveNoise = false;
    app.add_option("--ignore-save-noise", saveNoise,
                   "Leave out of the project files' comparison what saving changes by itself: "
                   "yes (default, also a bare --ignore-save-noise) or no "
                   "(--option IgnoreSaveNoise=No)")
        ->type_name("[=YES|NO]")
        ->group(kProjectGroup);

    std::string codePage;
    app.add_option("--codepage", codePage,
                   "Read module files that are not UTF-8 in code page N (932 Japanese, 1251 "
                   "Cyrillic ...) instead of Windows-1252 (--option CodePage=N)")
        ->type_name("=N")
        ->group(kProjectGroup);

    // The friendly spellings are shorthands for --option assignments.
    std::vector<std::string> shorthand;
    auto onFlag = [&](const char* name, const char* key) {
        app.add_flag_callback(
               name, [&shorthand, key] { shorthand.push_back(std::string(key) + "=Yes"); },
               std::string("Same as --option ") + key + "=Yes")
            ->group(kCompareGroup);
    };
    onFlag("--ignore-case", "IgnoreCase");
    onFlag("--ignore-leading-blanks", "IgnoreLeadingBlanks");
    onFlag("--ignore-trailing-blanks", "IgnoreTrailingBlanks");
    onFlag("--ignore-embedded-blanks", "IgnoreEmbeddedBlanks");
    onFlag("--ignore-blank-lines", "IgnoreBlankLines");
    onFlag("--ignore-comments", "IgnoreComments");
    onFlag("--ignore-line-numbers", "IgnoreLineNumbers");
    onFlag("--line-by-line", "LineByLine");
    std::string expandTabs, sync, differencesOnly;
    bool bareExpandTabs = false, bareDifferencesOnly = false;
    app.add_option("--expand-tabs", expandTabs, "Expand each tab to N blanks (default 4)")
        ->type_name("[=N]")
        ->group(kCompareGroup);
    app.add_option("--sync", sync, "Lines that must agree to resynchronise")
        ->type_name("N")
        ->group(kCompareGroup);
    app.add_option("--differences-only", differencesOnly,
                   "Show only differences, with BEFORE and AFTER lines of context (default 3,3)")
        ->type_name("[=BEFORE,AFTER]")
        ->group(kCompareGroup);
    app.add_option("files", files, "FILE1 FILE2, or FILE1,FILE2 as one argument")
        ->expected(0, 2)
        ->type_name("FILE");

    try {
        // The options whose value is optional take it only as "=VALUE"; their bare forms are
        // taken out here, so that they never swallow the file name after them. After "--"
        // every argument is a file name, however it is spelt.
        const auto names = std::find(args.begin(), args.end(), "--");
        const std::string misplaced = ValueWithoutEquals(std::span(args.begin(), names));
        if (!misplaced.empty()) return misplaced;
        std::vector<std::string> reversed(args.rbegin(), std::make_reverse_iterator(names));
        for (auto it = std::make_reverse_iterator(names); it != args.rend(); ++it) {
            if (*it == "--expand-tabs") {
                bareExpandTabs = true;
            } else if (*it == "--differences-only") {
                bareDifferencesOnly = true;
            } else if (*it == "--color") {
                bareColour = true;
            } else if (*it == "--ignore-save-noise") {
                bareSaveNoise = true;
            } else {
                reversed.push_back(*it);
            }
        }
        app.parse(reversed);
    } catch (const CLI::CallForHelp&) {
        help = app.help();
        result.RunMode = CommandLine::Mode::Help;
        return "";
    } catch (const CLI::ParseError& e) {
        return std::string(e.what()) + "\nRun with --help for more information.";
    }
    if (version) {
        result.RunMode = CommandLine::Mode::Version;
        return "";
    }
    using When = CommandLine::ColourWhen;
    result.Colour = bareColour || colour == "always" ? When::Always
                    : colour == "never"              ? When::Never
                                                     : When::Auto;
    if (!result.DumpFile.empty() && report) return "--report and --dump exclude each other";

    // A format asks for the report: --format=json alone prints the JSON.
    const bool formatGiven = app.count("--format") > 0;
    result.RunMode = !result.DumpFile.empty() ? CommandLine::Mode::Dump
                     : report || formatGiven  ? CommandLine::Mode::Report
                                              : CommandLine::Mode::Window;

    if (bareExpandTabs || app.count("--expand-tabs")) {
        shorthand.push_back("ExpandTabs=Yes");
        if (!expandTabs.empty()) shorthand.push_back("TabWidth=" + expandTabs);
    }
    if (app.count("--sync")) shorthand.push_back("SyncNumber=" + sync);
    if (bareSaveNoise) shorthand.push_back("IgnoreSaveNoise=Yes");
    if (app.count("--codepage")) shorthand.push_back("CodePage=" + codePage);
    if (app.count("--ignore-save-noise")) shorthand.push_back("IgnoreSaveNoise=" + saveNoise);
    if (bareDifferencesOnly || app.count("--differences-only")) {
        shorthand.push_back("DifferencesOnly=Yes");
        if (!differencesOnly.empty()) {
            const size_t comma = differencesOnly.find(',');
            if (comma == std::string::npos) return "--differences-only takes BEFORE,AFTER";
            shorthand.push_back("DifferencesBefore=" + differencesOnly.substr(0, comma));
            shorthand.push_back("DifferencesAfter=" + differencesOnly.substr(comma + 1));
        }
    }
    assignments.insert(assignments.end(), shorthand.begin(), shorthand.end());
    const bool vbaText = app.count("--vba-text") > 0;
    if (extract || vbaText) {
        if (extract && vbaText) return "--extract and --vba-text exclude each other";
        if (report || !result.DumpFile.empty() || app.count("--format") > 0 ||
            !assignments.empty() || result.Lines || result.ModuleReports ||
            !result.Module.empty() || bareColour || app.count("--color") > 0) {
            return std::string(extract ? "--extract" : "--vba-text") +
                   " takes no comparison or report option";
        }
        if (app.count("--encoding") && !extract) return "--encoding goes with --extract";
        result.NativeEncoding = encoding == "native";
        if (vbaText) {
            if (!files.empty()) return "--vba-text takes one document: --vba-text DOC";
            result.RunMode = CommandLine::Mode::VbaText;
            return "";
        }
        if (files.size() != 2) return "--extract takes a document and a folder: --extract DOC DIR";
        result.RunMode = CommandLine::Mode::Extract;
        result.Document = files[0];
        result.ExtractFolder = files[1];
        return "";
    }
    if (app.count("--encoding")) return "--encoding goes with --extract";
    result.Format =
        format == "json" ? CommandLine::OutputFormat::Json : CommandLine::OutputFormat::Text;
    const std::string conflict = OutputConflict(result, formatGiven);
    if (!conflict.empty()) return conflict;
    project::ProjectOptions check;
    for (const std::string& a : assignments) {
        const std::string problem = ApplyOptionText(check, a);
        if (!problem.empty()) return "Bad option: " + problem;
    }
    if (result.RunMode == CommandLine::Mode::Window) {
        // The window takes its options from the settings file and keeps them there.
        if (!assignments.empty()) return "The comparison options need --report or --dump";
        // One argument that is not a pair is ignored, and the window opens without files.
        if (files.size() == 2) {
            result.Files = {files[0], files[1]};
        } else if (files.size() == 1) {
            SplitFilePair(files[0], result.Files);
        }
        return "";
    }
    result.Assignments = std::move(assignments);

    if (files.empty()) return "Two files are needed: FILE1 FILE2 or FILE1,FILE2";
    if (files.size() == 2) {
        result.Files = {files[0], files[1]};
    } else if (!SplitFilePair(files[0], result.Files)) {
        return "Two files are needed: FILE1 FILE2 or FILE1,FILE2";
    }
    return "";
}

}  // namespace dualis
