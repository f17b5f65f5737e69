#include "JsonReport.h"

#include <cerrno>
#include <cstring>
#include <nlohmann/json.hpp>
#include <string_view>

#include "PathResolve.h"
#include "ReportRows.h"

namespace dualis {
namespace {

using namespace project;
// Members keep the order they are written in, so that a person can read the document too.
using Json = nlohmann::ordered_json;

// Every text the document takes from a file or a name: UTF-8, or Windows-1252 made UTF-8.
Json Text(std::string_view bytes) {
    return DecodeName(bytes);
}

Json TextOrNull(const std::string* text) {
    return text ? Text(*text) : Json(nullptr);
}

Json ProblemOrNull(const std::string& problem) {
    return problem.empty() ? Json(nullptr) : Text(problem);
}

Json OptionsJson(const ProjectOptions& options) {
    const CompareOptions& o = options.Compare;
    return {{"IgnoreCase", o.IgnoreCase},
            {"IgnoreLeadingBlanks", o.IgnoreLeadingBlanks},
            {"IgnoreTrailingBlanks", o.IgnoreTrailingBlanks},
            {"IgnoreEmbeddedBlanks", o.IgnoreEmbeddedBlanks},
            {"IgnoreBlankLines", o.IgnoreBlankLines},
            {"IgnoreComments", o.IgnoreComments},
            {"IgnoreLineNumbers", o.IgnoreLineNumbers},
            {"ExpandTabs", o.ExpandTabs},
            {"TabWidth", o.TabWidth},
            {"LineByLine", o.LineByLine},
            {"SyncNumber", o.SyncNumber},
            {"DifferencesOnly", o.DifferencesOnly},
            {"DifferencesBefore", o.DifferencesBefore},
            {"DifferencesAfter", o.DifferencesAfter},
            {"IgnoreSaveNoise", options.IgnoreSaveNoise},
            {"CodePage", options.CodePage}};
}

std::string_view RowSymbolWord(LineSymbol symbol) {
    switch (symbol) {
        case LineSymbol::Equal:
            return "equal";
        case LineSymbol::Added:
            return "added";
        case LineSymbol::Deleted:
            return "deleted";
        default:
            return "ignored";
    }
}

Json LineNumber(int32_t line) {
    return line > 0 ? Json(line) : Json(nullptr);
}

Json LinesJson(const LineCounts& lines) {
    return {{"deleted", lines[0]}, {"added", lines[1]}};
}

Json ProceduresJson(const ComparisonState& state, bool withRows) {
    Json procedures = Json::array();
    for (int32_t p = 1; p <= state.ProcCount(); ++p) {
        const ProcRecord& proc = state.ProcStack[p];
        Json entry = {{"name", Text(proc.TrueProcName)},
                      {"status", ProcStatusWord(proc)},
                      {"lines", LinesJson(DifferingLines(state, p))}};
        if (withRows) {
            Json rows = Json::array();
            for (const CombinedRow& row : ListedRows(state, p)) {
                const std::array<int32_t, 2> lines = RowLineNumbers(state, p, row);
                rows.push_back({{"lines", {LineNumber(lines[0]), LineNumber(lines[1])}},
                                {"symbol", RowSymbolWord(row.Symbol)},
                                {"text", Text(state.RawStack[row.Side].Text(row.RawLine))}});
            }
            entry["rows"] = std::move(rows);
        }
        procedures.push_back(std::move(entry));
    }
    return procedures;
}

// What every module entry holds after its names and paths: status, counts, problem.
void AddOutcome(Json& entry, const std::string& status, const ModuleResult& result, bool withRows) {
    entry["status"] = status;
    entry["parsed"] = result.Parsed;
    entry["problem"] = ProblemOrNull(result.Problem);
    if (result.Parsed) {
        const ProcCounts& c = result.Procedures;
        entry["procedureCounts"] = {
            {"equal", c.Equal}, {"changed", c.Changed}, {"added", c.Added}, {"deleted", c.Deleted}};
    }
    entry["lines"] = LinesJson(result.Lines);
    if (result.State) entry["procedures"] = ProceduresJson(*result.State, withRows);
}

Json SummaryJson(const ComparisonTally& tally) {
    const auto& m = tally.Modules();
    return {{"modules",
             {{"equal", m.Equal},
              {"changed", m.Changed},
              {"added", m.Added},
              {"deleted", m.Deleted},
              {"moved", m.Moved},
              {"renamed", m.Renamed},
              {"unreadable", m.Unreadable}}},
            {"differs", tally.Differs()},
            {"trouble", tally.Trouble()},
            {"exitStatus", tally.ExitStatus()}};
}

std::string_view ProjectFileKindWord(ProjectFileKind kind) {
    switch (kind) {
        case ProjectFileKind::Group:
            return "group";
        case ProjectFileKind::Workspace:
            return "workspace";
        case ProjectFileKind::Document:
            return "document";
        case ProjectFileKind::Project:
            break;
    }
    return "project";
}

Json CompanionJson(const std::vector<Companion>& list1, const std::vector<Companion>& list2,
                   const CompanionPair& pair) {
    const auto path = [](const std::vector<Companion>& list, int index) {
        return index >= 0 ? Text(list[static_cast<size_t>(index)].RelativePath) : Json(nullptr);
    };
    return {{"paths", {path(list1, pair.Index[0]), path(list2, pair.Index[1])}},
            {"status", CompanionStatusWord(pair.Status)},
            {"problem", ProblemOrNull(pair.Problem)}};
}

}  // namespace

// Writes the document's members one after the other, the members of an array one to a line.
class JsonStream {
  public:
    explicit JsonStream(std::FILE* out) : out_(out) {}

    void Member(std::string_view name, const Json& value) { Write(Next(name) + Dump(value)); }
    void OpenArray(std::string_view name) {
        Write(Next(name) + "[");
        firstElement_ = true;
    }
    void Element(const Json& value) {
        Write((firstElement_ ? "\n" : ",\n") + Dump(value));
        firstElement_ = false;
        std::fflush(out_);
    }
    void CloseArray() { Write(firstElement_ ? "]" : "\n]"); }
    void Close() {
        Write("}\n");
        if (failure_.empty() && std::fflush(out_) != 0) failure_ = std::strerror(errno);
    }
    const std::string& Failure() const { return failure_; }

  private:
    static std::string Dump(const Json& value) {
        // A text that is not UTF-8 after all would make the library throw; it never should.
        return value.dump(-1, ' ', false, Json::error_handler_t::replace);
    }
    std::string Next(std::string_view name) {
        const std::string separator = firstMember_ ? "{" : ",\n";
        firstMember_ = false;
        return separator + Dump(Json(std::string(name))) + ":";
    }
    void Write(const std::string& text) {
        if (!failure_.empty()) return;
        if (std::fwrite(text.data(), 1, text.size(), out_) != text.size()) {
            failure_ = std::strerror(errno);
        }
    }

    std::FILE* out_;
    bool firstMember_ = true;
    bool firstElement_ = true;
    std::string failure_;
};

std::string WriteFilePairJson(const ComparisonState& state, const ProjectOptions& options,
                              bool lines, std::FILE* out) {
    JsonStream stream(out);
    stream.Member("format", JsonFormatName);
    stream.Member("version", JsonFormatVersion);
    Json files = Json::array();
    for (int f = 0; f < 2; ++f) {
        files.push_back({{"path", Text(state.FileName[f])}, {"kind", "file"}});
    }
    stream.Member("files", files);
    stream.Member("options", OptionsJson(options));
    stream.Member("projectFiles", Json::array());
    const ModuleResult result = ResultOfComparison(state, true, true);
    const auto kind = ModuleKindOfExtension(state.Extension[1]);
    Json module = {{"kind", kind ? Json(ModuleKindKey(*kind)) : Json(nullptr)},
                   {"names", {Text(state.BaseName[0]), Text(state.BaseName[1])}},
                   {"paths", {Text(state.FileName[0]), Text(state.FileName[1])}},
                   {"origin", "same"},
                   {"pairedBy", "given"},
                   {"companions", Json::array()}};
    AddOutcome(module, std::string(ContentStatusWord(result.Status)), result, lines);
    module["procedures"] = ProceduresJson(state, lines);
    stream.OpenArray("modules");
    stream.Element(module);
    stream.CloseArray();
    stream.Member("otherFiles", Json::array());
    stream.Member("notes", Json::array());
    ComparisonTally tally;
    ModulePair both;
    both.Module = {0, 0};
    tally.AddModule(both, result);
    stream.Member("summary", SummaryJson(tally));
    stream.Close();
    return stream.Failure();
}

ProjectJson::ProjectJson(const Source& file1, const Source& file2,
                         const ProjectComparison& comparison, const ProjectOptions& options,
                         bool lines, std::FILE* out)
    : file1_(file1),
      file2_(file2),
      comparison_(comparison),
      options_(options),
      lines_(lines),
      stream_(std::make_unique<JsonStream>(out)) {}

ProjectJson::~ProjectJson() = default;

const std::string& ProjectJson::Failure() const {
    return stream_->Failure();
}

void ProjectJson::Begin() {
    stream_->Member("format", JsonFormatName);
    stream_->Member("version", JsonFormatVersion);
    Json files = Json::array();
    for (const Source* source : {&file1_, &file2_}) {
        files.push_back({{"path", Text(source->Path.string())},
                         {"kind", SourceKindWord(source->Kind)},
                         {"name", Text(source->Name)}});
    }
    stream_->Member("files", files);
    stream_->Member("options", OptionsJson(options_));
    Json projectFiles = Json::array();
    for (const ProjectFilePair& pair : comparison_.ProjectFiles) {
        const std::array<const ProjectFile*, 2> side = ProjectFileSides(file1_, file2_, pair);
        const std::string problem = ProjectFileProblem(side);
        Json differences = Json::array();
        for (const SettingDifference& d : pair.Differences) {
            differences.push_back({{"change", SettingChangeWord(d.Change)},
                                   {"section", Text(d.Section)},
                                   {"key", Text(d.Key)},
                                   {"item", Text(d.Item)},
                                   {"values", {Text(d.Value[0]), Text(d.Value[1])}}});
        }
        projectFiles.push_back(
            {{"kind", ProjectFileKindWord((side[1] ? side[1] : side[0])->Kind)},
             {"paths",
              {TextOrNull(side[0] ? &side[0]->RelativePath : nullptr),
               TextOrNull(side[1] ? &side[1]->RelativePath : nullptr)}},
             {"names",
              {TextOrNull(side[0] ? &side[0]->Name : nullptr),
               TextOrNull(side[1] ? &side[1]->Name : nullptr)}},
             {"status", problem.empty() ? ContentStatusWord(pair.Status) : "unreadable"},
             {"problem", ProblemOrNull(problem)},
             {"differences", std::move(differences)}});
    }
    stream_->Member("projectFiles", projectFiles);
    stream_->OpenArray("modules");
}

void ProjectJson::Module(const ModuleResult& result) {
    const ModulePair& pair = comparison_.Modules[result.Pair];
    const auto side = PairModules(file1_, file2_, pair);
    const ModuleEntry& any = *(side[1] ? side[1] : side[0]);
    std::array<std::string, 2> paths;
    for (int f = 0; f < 2; ++f) {
        if (side[f]) paths[f] = ModulePath(f == 0 ? file1_ : file2_, *side[f]);
    }
    Json companions = Json::array();
    const std::vector<Companion> none;
    for (const CompanionPair& companion : pair.Companions) {
        companions.push_back(CompanionJson(side[0] ? side[0]->Companions : none,
                                           side[1] ? side[1]->Companions : none, companion));
    }
    Json moduleNotes = Json::array();
    for (const std::string& note : ModuleNotes(side)) moduleNotes.push_back(Text(note));
    Json entry = {
        {"kind", ModuleKindKey(any.Kind)},
        {"names",
         {TextOrNull(side[0] ? &side[0]->Name : nullptr),
          TextOrNull(side[1] ? &side[1]->Name : nullptr)}},
        {"paths",
         {TextOrNull(side[0] ? &paths[0] : nullptr), TextOrNull(side[1] ? &paths[1] : nullptr)}},
        {"origin", OriginWord(pair.From)},
        {"pairedBy", PairedByWord(pair.By)},
        {"companions", std::move(companions)},
        {"notes", moduleNotes}};
    AddOutcome(
        entry,
        result.Problem.empty() ? std::string(ContentStatusWord(result.Status)) : "unreadable",
        result, lines_);
    stream_->Element(entry);
}

void ProjectJson::End(const ComparisonTally& tally) {
    stream_->CloseArray();
    Json others = Json::array();
    for (const CompanionPair& pair : comparison_.OtherFiles) {
        others.push_back(CompanionJson(file1_.OtherFiles, file2_.OtherFiles, pair));
    }
    stream_->Member("otherFiles", others);
    Json notes = Json::array();
    for (const std::string& note : SourceNotes(file1_, file2_)) notes.push_back(Text(note));
    for (const std::string& note : comparison_.Notes) notes.push_back(Text(note));
    stream_->Member("notes", notes);
    stream_->Member("summary", SummaryJson(tally));
    stream_->Close();
}

}  // namespace dualis
