#include "ProjectReport.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "OptionText.h"
#include "PathResolve.h"
#include "TerminalText.h"
#include "TextCodec.h"

namespace dualis {
namespace {

using namespace project;

constexpr const char* kBold = "\x1b[1m";
constexpr const char* kRed = "\x1b[31m";
constexpr const char* kGreen = "\x1b[32m";
constexpr const char* kYellow = "\x1b[33m";
constexpr const char* kCyan = "\x1b[36m";
constexpr const char* kReset = "\x1b[m";

// The numeric columns of the module table, right-aligned under their headings.
constexpr const char* kNumberHeadings[] = {"Changed", "Added", "Deleted", "Lines"};
constexpr size_t kNumberWidths[] = {7, 5, 7, 7};

std::string Visible(std::string_view text) {
    std::string out;
    AppendVisible(out, text);
    return out;
}

size_t Width(std::string_view text) {
    return static_cast<size_t>(CharCount(text));
}

std::string PadRight(const std::string& text, size_t width) {
    const size_t have = Width(text);
    return text + std::string(width > have ? width - have : 0, ' ');
}

std::string PadLeft(const std::string& text, size_t width) {
    return std::string(width > text.size() ? width - text.size() : 0, ' ') + text;
}

const char* StatusColour(ContentStatus status, const std::string& text) {
    if (text == "unreadable") return kRed;
    if (text.starts_with("moved") || text.starts_with("renamed")) return kCyan;
    switch (status) {
        case ContentStatus::Changed:
            return kYellow;
        case ContentStatus::Added:
            return kGreen;
        case ContentStatus::Deleted:
            return kRed;
        default:
            return "";
    }
}

// The widest status text a pair can show, whatever its comparison gives.
size_t StatusWidth(const ModulePair& pair) {
    const bool bothSides = pair.Module[0] >= 0 && pair.Module[1] >= 0;
    if (!bothSides || pair.From == Origin::Same) return std::string_view("unreadable").size();
    return OriginWord(pair.From).size() + std::string_view(", changed").size();
}

// The name a module's line shows: File 2's, and File 1's before it when it was renamed.
std::string ShownName(const std::array<const ModuleEntry*, 2>& side) {
    if (!side[0] || !side[1]) return Visible((side[1] ? side[1] : side[0])->Name);
    if (FoldName(side[0]->Name) == FoldName(side[1]->Name)) return Visible(side[1]->Name);
    return Visible(side[0]->Name) + " -> " + Visible(side[1]->Name);
}

std::string DifferenceText(const SettingDifference& d) {
    std::string text(SettingChangeWord(d.Change));
    text += " ";
    if (!d.Section.empty()) text += "[" + Visible(d.Section) + "] ";
    text += Visible(d.Key);
    if (!d.Item.empty()) text += " " + Visible(d.Item);
    text += ": ";
    if (d.Change == SettingChange::Added) return text + Visible(d.Value[1]);
    if (d.Change == SettingChange::Removed) return text + Visible(d.Value[0]);
    return text + Visible(d.Value[0]) + " -> " + Visible(d.Value[1]);
}

// Each line of a problem, indented under what it belongs to.
std::string IndentedLines(const std::string& text, size_t indent) {
    std::string out;
    size_t start = 0;
    while (start <= text.size()) {
        const size_t end = std::min(text.find('\n', start), text.size());
        out += std::string(indent, ' ') + Visible(text.substr(start, end - start)) + "\n";
        start = end + 1;
    }
    return out;
}

std::string CompanionPath(const std::vector<Companion>& list, int index) {
    return index >= 0 ? Visible(list[static_cast<size_t>(index)].RelativePath) : "";
}

}  // namespace

ProjectReport::ProjectReport(const Source& file1, const Source& file2,
                             const ProjectComparison& comparison, const ProjectOptions& options,
                             std::FILE* out, bool colour)
    : file1_(file1),
      file2_(file2),
      comparison_(comparison),
      options_(options),
      out_(out),
      colour_(colour),
      widths_{4, 4, 6, 6} {
    for (const ModulePair& pair : comparison.Modules) {
        const auto side = PairModules(file1, file2, pair);
        const ModuleEntry& any = *(side[1] ? side[1] : side[0]);
        widths_[0] = std::max(widths_[0], ModuleKindKey(any.Kind).size());
        widths_[1] = std::max(widths_[1], Width(ShownName(side)));
        widths_[2] = std::max(widths_[2], StatusWidth(pair));
        if (side[0]) widths_[3] = std::max(widths_[3], Width(Visible(ModulePath(file1, *side[0]))));
    }
}

void ProjectReport::Write(const std::string& text) {
    if (!failure_.empty()) return;
    if (std::fwrite(text.data(), 1, text.size(), out_) != text.size()) {
        failure_ = std::strerror(errno);
    }
}

std::string ProjectReport::Coloured(const std::string& text, const char* colour) const {
    if (!colour_ || *colour == '\0') return text;
    return colour + text + kReset;
}

std::string ProjectReport::Heading(const std::string& text) const {
    return Coloured(text, kBold) + "\n";
}

void ProjectReport::Begin() {
    std::string text;
    text += "File 1: " + Visible(file1_.Path.string()) + "\n";
    text += "File 2: " + Visible(file2_.Path.string()) + "\n";
    const std::string inEffect = OptionsInEffect(options_);
    if (!inEffect.empty()) text += "Options: " + inEffect + "\n";
    Write(text);
    ProjectFiles();
    text = "\n" + Heading("Modules (procedures changed, added and deleted; lines that differ):");
    text += "  " + PadRight("Kind", widths_[0]) + "  " + PadRight("Name", widths_[1]) + "  " +
            PadRight("Status", widths_[2]);
    for (size_t c = 0; c < 4; ++c) text += "  " + PadLeft(kNumberHeadings[c], kNumberWidths[c]);
    text += "  " + PadRight("File 1", widths_[3]) + "  File 2\n";
    Write(text);
    std::fflush(out_);
}

void ProjectReport::ProjectFiles() {
    std::string text;
    for (const ProjectFilePair& pair : comparison_.ProjectFiles) {
        if (options_.Compare.DifferencesOnly && pair.Status == ContentStatus::Equal) continue;
        const std::array<const ProjectFile*, 2> side = ProjectFileSides(file1_, file2_, pair);
        const std::string problem = ProjectFileProblem(side);
        const std::string status =
            !problem.empty() ? "unreadable" : std::string(ContentStatusWord(pair.Status));
        std::string path = Visible((side[1] ? side[1] : side[0])->RelativePath);
        if (side[0] && side[1] && side[0]->RelativePath != side[1]->RelativePath) {
            path = Visible(side[0]->RelativePath) + " -> " + path;
        }
        text += "  " + Coloured(PadRight(status, 10), StatusColour(pair.Status, status)) + "  " +
                path + "\n";
        if (!problem.empty()) text += IndentedLines(problem, 6);
        for (const SettingDifference& d : pair.Differences) {
            text += "      " + DifferenceText(d) + "\n";
        }
    }
    if (!text.empty()) Write("\n" + Heading("Project files:") + text);
}

void ProjectReport::Module(const ModuleResult& result) {
    const ModulePair& pair = comparison_.Modules[result.Pair];
    if (options_.Compare.DifferencesOnly && ModuleUnchanged(pair, result)) return;
    const auto side = PairModules(file1_, file2_, pair);
    const ModuleEntry& any = *(side[1] ? side[1] : side[0]);
    const std::string status = ModuleStatusText(pair, result);
    std::string text = "  " + PadRight(std::string(ModuleKindKey(any.Kind)), widths_[0]) + "  " +
                       PadRight(ShownName(side), widths_[1]) + "  " +
                       Coloured(PadRight(status, widths_[2]), StatusColour(result.Status, status));
    const bool counted = result.Problem.empty();
    const int64_t numbers[] = {result.Procedures.Changed, result.Procedures.Added,
                               result.Procedures.Deleted, result.Lines[0] + result.Lines[1]};
    for (size_t c = 0; c < 4; ++c) {
        text += "  " + PadLeft(counted ? std::to_string(numbers[c]) : "", kNumberWidths[c]);
    }
    const std::string path1 = side[0] ? Visible(ModulePath(file1_, *side[0])) : "-";
    const std::string path2 = side[1] ? Visible(ModulePath(file2_, *side[1])) : "-";
    text += "  " + PadRight(path1, widths_[3]) + "  " + path2 + "\n";
    if (!result.Problem.empty()) text += IndentedLines(result.Problem, 6);
    for (const std::string& note : ModuleNotes(side)) text += IndentedLines(note, 6);
    for (const CompanionPair& companion : pair.Companions) {
        if (companion.Status == CompanionStatus::Equal) continue;
        std::string path = CompanionPath(side[1] ? side[1]->Companions : side[0]->Companions,
                                         side[1] ? companion.Index[1] : companion.Index[0]);
        if (path.empty() && side[0]) path = CompanionPath(side[0]->Companions, companion.Index[0]);
        text += "      " + path + ": " + std::string(CompanionStatusWord(companion.Status)) + "\n";
        if (!companion.Problem.empty()) text += IndentedLines(companion.Problem, 8);
    }
    Write(text);
    std::fflush(out_);
}

void ProjectReport::End(const ComparisonTally& tally) {
    std::string text;
    std::string others;
    for (const CompanionPair& pair : comparison_.OtherFiles) {
        if (options_.Compare.DifferencesOnly && pair.Status == CompanionStatus::Equal) continue;
        const std::string path = pair.Index[1] >= 0
                                     ? CompanionPath(file2_.OtherFiles, pair.Index[1])
                                     : CompanionPath(file1_.OtherFiles, pair.Index[0]);
        others +=
            "  " + PadRight(std::string(CompanionStatusWord(pair.Status)), 10) + "  " + path + "\n";
        if (!pair.Problem.empty()) others += IndentedLines(pair.Problem, 6);
    }
    if (!others.empty()) text += "\n" + Heading("Other files:") + others;
    std::string notes;
    for (const std::string& note : SourceNotes(file1_, file2_)) notes += IndentedLines(note, 2);
    for (const std::string& note : comparison_.Notes) notes += IndentedLines(note, 2);
    if (!notes.empty()) text += "\n" + Heading("Notes:") + notes;
    const auto& m = tally.Modules();
    text += "\nModules: " + std::to_string(m.Equal) + " equal, " + std::to_string(m.Changed) +
            " changed, " + std::to_string(m.Added) + " added, " + std::to_string(m.Deleted) +
            " deleted, " + std::to_string(m.Moved) + " moved, " + std::to_string(m.Renamed) +
            " renamed, " + std::to_string(m.Unreadable) + " unreadable\n";
    Write(text);
    if (failure_.empty() && std::fflush(out_) != 0) failure_ = std::strerror(errno);
}

}  // namespace dualis
