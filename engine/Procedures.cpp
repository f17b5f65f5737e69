#include "Procedures.h"

#include <algorithm>
#include <unordered_map>
#include <vector>

#include "RawLoader.h"
#include "RunTimeError.h"

namespace dualis {
namespace {

constexpr std::string_view kGeneral = "(General)";

std::string CutAtParenthesis(std::string_view name) {
    const size_t paren = name.find('(');
    return std::string(paren != std::string_view::npos && paren >= 1 ? name.substr(0, paren)
                                                                     : name);
}

// Builds the records while walking the two files, keeping the ranges' invariants.
class ProcBuilder {
  public:
    explicit ProcBuilder(ComparisonState& state) : state_(state) {}

    void WalkFile1();
    void WalkFile2();
    void Finish();

  private:
    int32_t NewRecord(std::string trueName, std::string lcaseName, int16_t status, int file) {
        if (state_.ProcCount() >= MaxProcRecords) {
            throw InputFileError("The two files hold more than 32,767 procedures.", file);
        }
        ProcRecord rec;
        rec.TrueProcName = std::move(trueName);
        rec.LCaseProcName = std::move(lcaseName);
        rec.Status = status;
        state_.ProcStack.push_back(std::move(rec));
        return state_.ProcCount();
    }
    void Open(int32_t p, int f, int32_t cooked) {
        state_.ProcStack[p].FirstCooked[f] = cooked;
        state_.ProcStack[p].FirstRaw[f] = state_.Cooked(f, cooked).RawLine;
    }
    void Close(int32_t p, int f, int32_t cooked, int32_t raw) {
        ProcRecord& rec = state_.ProcStack[p];
        rec.LastCooked[f] = cooked;
        rec.LastRaw[f] = raw;
        state_.MaxProcLines = std::max(state_.MaxProcLines, raw - rec.FirstRaw[f] + 1);
    }

    // File 1's records of each lower-case name, in record order, and how many of them have
    // already been paired with a File 2 header.
    struct NameEntry {
        std::vector<int32_t> Records;
        size_t Paired = 0;
    };
    ComparisonState& state_;
    std::unordered_map<std::string, NameEntry> byName_;
};

void ProcBuilder::WalkFile1() {
    const int32_t count = state_.CookedCount(0);
    if (count < 1) return;
    const auto& headers = state_.Headers[0];
    int32_t p = 0;
    if (headers.empty() || headers.front().Cooked != 1) {  // the file starts with declarations
        p = NewRecord(std::string(kGeneral), "", ProcDeleted, 0);
        Open(p, 0, 1);
    }
    for (const ProcHeader& header : headers) {
        if (p > 0) Close(p, 0, header.Cooked - 1, state_.Cooked(0, header.Cooked).RawLine - 1);
        std::string lcase = LowerCase(header.Name);
        p = NewRecord(header.Name, lcase, ProcDeleted, 0);
        Open(p, 0, header.Cooked);
        byName_[std::move(lcase)].Records.push_back(p);
    }
    Close(p, 0, count, state_.RawCount(0));
}

void ProcBuilder::WalkFile2() {
    const int32_t count = state_.CookedCount(1);
    if (count < 1) return;
    const auto& headers = state_.Headers[1];
    int32_t q = -1;
    if (headers.empty() || headers.front().Cooked != 1) {  // the file starts with declarations
        if (state_.ProcCount() >= 1 && state_.ProcStack[1].TrueProcName == kGeneral) {
            q = 1;
            state_.ProcStack[1].Status = ProcEqual;
        } else {
            q = NewRecord(std::string(kGeneral), "", ProcAdded, 1);
        }
        Open(q, 1, 1);
    }
    for (const ProcHeader& header : headers) {
        const int32_t j = header.Cooked;
        if (q > 0) Close(q, 1, j - 1, state_.Cooked(1, j).RawLine - 1);
        std::string lcase = LowerCase(header.Name);
        // A name already paired pairs with the next File 1 record of that name that has no
        // File 2 lines yet; when there is none it starts a record of its own.
        q = -1;
        if (auto it = byName_.find(lcase); it != byName_.end()) {
            NameEntry& entry = it->second;
            while (entry.Paired < entry.Records.size() &&
                   state_.ProcStack[entry.Records[entry.Paired]].FirstCooked[1] != 0) {
                ++entry.Paired;
            }
            if (entry.Paired < entry.Records.size()) q = entry.Records[entry.Paired++];
        }
        if (q > 0) {
            state_.ProcStack[q].Status = ProcEqual;
        } else {
            q = NewRecord(header.Name, std::move(lcase), ProcAdded, 1);
        }
        Open(q, 1, j);
    }
    Close(q, 1, count, state_.RawCount(1));
}

void ProcBuilder::Finish() {
    if (state_.ProcCount() == 0) NewRecord(std::string(kGeneral), "", ProcEqual, 0);
    for (int32_t p = 1; p <= state_.ProcCount(); ++p) {
        const ProcRecord& rec = state_.ProcStack[p];
        for (int f = 0; f < 2; ++f) {
            auto check = [](int32_t last, int32_t first) {
                if (last < first) {
                    throw AssertFailure("mCompare: LoadProcStack assert failure " +
                                        std::to_string(last) + "<" + std::to_string(first));
                }
            };
            check(rec.LastCooked[f], rec.FirstCooked[f]);
            check(rec.LastRaw[f], rec.FirstRaw[f]);
        }
    }
}

}  // namespace

std::string GetProcName(std::string_view line, IHost* trace) {
    TraceScope scope(trace, "mCompare: GetProcName");
    const size_t first = line.find_first_not_of(' ');
    if (first == std::string_view::npos) return "";
    line = line.substr(first, line.find_last_not_of(' ') - first + 1);

    // Every header starts with one of the keywords; most lines are rejected here.
    switch (line[0]) {
        case 'P':
        case 'p':
        case 'F':
        case 'f':
        case 'S':
        case 's':
        case 'G':
        case 'g':
        case 'L':
        case 'l':
            break;
        default:
            return "";
    }
    // The first six words are all that can matter: five examined and the name after them.
    std::string_view words[6];
    size_t wordCount = 0;
    size_t start = 0;
    while (wordCount < 6) {
        const size_t blank = line.find(' ', start);
        words[wordCount++] =
            line.substr(start, blank == std::string_view::npos ? line.npos : blank - start);
        if (blank == std::string_view::npos) break;
        start = blank + 1;
    }
    for (size_t k = 0; k < wordCount && k < 5; ++k) {
        const std::string_view w = words[k];
        const bool hasNext = k + 1 < wordCount;
        if (EqualsIgnoringAsciiCase(w, "PRIVATE") || EqualsIgnoringAsciiCase(w, "PUBLIC") ||
            EqualsIgnoringAsciiCase(w, "FRIEND") || EqualsIgnoringAsciiCase(w, "STATIC") ||
            EqualsIgnoringAsciiCase(w, "PROPERTY")) {
            continue;
        }
        if (EqualsIgnoringAsciiCase(w, "SUB") || EqualsIgnoringAsciiCase(w, "FUNCTION")) {
            if (hasNext) return CutAtParenthesis(words[k + 1]);
            continue;
        }
        const char* suffix = EqualsIgnoringAsciiCase(w, "GET")   ? " [PropertyGet]"
                             : EqualsIgnoringAsciiCase(w, "LET") ? " [PropertyLet]"
                             : EqualsIgnoringAsciiCase(w, "SET") ? " [PropertySet]"
                                                                 : nullptr;
        if (!suffix) return "";
        if (k > 0 && hasNext) return CutAtParenthesis(words[k + 1]) + suffix;
    }
    return "";
}

void FindProcHeaders(ComparisonState& state, int f, IHost* trace) {
    auto& headers = state.Headers[f];
    headers.clear();
    for (int32_t j = 1; j <= state.CookedCount(f); ++j) {
        std::string name =
            GetProcName(state.RawStack[f].Text(state.CookedStack[f].RawLine(j)), trace);
        if (!name.empty()) headers.push_back({j, std::move(name)});
    }
}

void LoadProcStack(ComparisonState& state) {
    state.ProcStack.assign(1, ProcRecord{});
    state.MaxProcLines = 0;
    ProcBuilder builder(state);
    builder.WalkFile1();
    builder.WalkFile2();
    builder.Finish();
}

}  // namespace dualis
