// Worked example, resynchronising with SyncNumber 2. File 1: A B C, File 2: A C X.
//   i=A: the line after the last match (none yet) needs one equal line: A-A is a match.
//   i=B: B against C fails (the procedure becomes changed); X then needs B and the line after
//        it to agree, and fails too: B stays unmatched, and File 2 does not move on.
//   i=C: every candidate now needs two lines: C-C would also need the line after C in File 1
//        (past the procedure's end, where File 2 still has X) to agree, so C stays unmatched.
// The row holds A-A and the sentinel; the display shows B C against C X as the difference.
#include "Matching.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <string>

#include "ResyncIndex.h"

namespace dualis {
namespace {

// Procedures whose File 2 side is shorter than this are searched literally: the index would
// cost more than it saves.
constexpr int32_t kIndexFromLines = 128;

// Before the index is built, this many candidates after the first are tried directly: in
// repetitive code (runs of End If, blank lines) the next block that agrees is usually a few
// lines on, and the index of a long procedure costs more than many such short searches.
constexpr int32_t kNearCandidates = 32;

// Gives every entry of the row's last run that has no next difference yet the raw lines at
// which that difference begins.
void FillNextDiff(std::span<MatchRecord> row, int32_t line1, int32_t line2) {
    const int32_t lines[2] = {line1, line2};
    for (int f = 0; f < 2; ++f) {
        for (size_t k = row.size(); k-- > 0 && row[k].NextDiff[f] == 0;) {
            row[k].NextDiff[f] = lines[f];
        }
    }
}

// Matches one procedure record into the open row of MatchStack.
class ProcMatcher {
  public:
    ProcMatcher(ComparisonState& state, ProcRecord& proc, const CompareOptions& options,
                IHost& host, CandidateSearch search)
        : state_(state), proc_(proc), options_(options), host_(host), search_(search) {}

    void Positional();
    void Resynchronising();

  private:
    int32_t Raw(int f, int32_t cooked) const { return state_.CookedStack[f].RawLine(cooked); }
    size_t Entries() { return state_.MatchStack.OpenRow().size(); }
    void AddMatch(int32_t i, int32_t c) {
        MatchRecord m;
        m.MatchLine = {Raw(0, i), Raw(1, c)};
        state_.MatchStack.Add(m);
    }
    // A comparison failed at File 1's line i and File 2's line j.
    void Fail(int32_t i, int32_t j) {
        proc_.Status = ProcChanged;
        if (options_.DifferencesOnly && Entries() > 0) {
            FillNextDiff(state_.MatchStack.OpenRow(), Raw(0, i), Raw(1, j));
        }
    }
    int32_t FindLiteral(int32_t i, int32_t j, int16_t count);
    int32_t FindIndexed(int32_t i, int32_t j, int16_t count);

  private:
    ComparisonState& state_;
    ProcRecord& proc_;
    const CompareOptions& options_;
    IHost& host_;
    CandidateSearch search_;
    std::optional<ResyncIndex> index_;
};

void ProcMatcher::Positional() {
    int32_t j = proc_.FirstCooked[1];
    for (int32_t i = proc_.FirstCooked[0]; i <= proc_.LastCooked[0]; ++i) {
        if (LinesAreEqual(state_, i, j, Tracer(host_))) {
            AddMatch(i, j);
        } else {
            Fail(i, j);
        }
        if (++j > proc_.LastCooked[1]) break;
    }
}

// The candidate loop exactly as it reads: every File 2 line from j on, the first one needing
// `count` lines and every later one SyncNumber lines. Returns the accepted line or 0.
int32_t ProcMatcher::FindLiteral(int32_t i, int32_t j, int16_t count) {
    for (int32_t c = j; c <= proc_.LastCooked[1]; ++c) {
        if (TryCandidate(state_, i, c, count, proc_, host_)) return c;
        Fail(i, j);
        count = options_.SyncNumber;
    }
    return 0;
}

// The same answer and the same side effects through the index: the first candidate is tried
// as the literal loop tries it; when it fails, the failure is recorded once (all the literal
// loop's later failures record the same) and the index finds the first later candidate. Only
// the candidates tried are traced, so that a traced comparison takes as long as an untraced
// one, give or take the writing. Until the index is built, the nearest candidates are
// checked first without tracing, and only the one that agrees is tried (and traced) as the
// index would try it.
int32_t ProcMatcher::FindIndexed(int32_t i, int32_t j, int16_t count) {
    const int32_t last1 = proc_.LastCooked[1];
    if (j > last1) return 0;
    if (TryCandidate(state_, i, j, count, proc_, host_)) return j;
    Fail(i, j);
    if (j == last1) return 0;
    int32_t from = j + 1;
    if (!index_ && search_ == CandidateSearch::Auto) {
        const int32_t nearEnd = std::min(last1, j + kNearCandidates);
        for (int32_t c = from; c <= nearEnd; ++c) {
            if (BlockIsEqual(state_, i, c, options_.SyncNumber, proc_, nullptr) &&
                TryCandidate(state_, i, c, options_.SyncNumber, proc_, host_)) {
                return c;
            }
        }
        if (nearEnd == last1) return 0;
        from = nearEnd + 1;
    }
    // Built on the first search that reaches past the nearest lines, so that procedures
    // without such differences never pay for it.
    if (!index_) index_.emplace(state_, proc_, options_.SyncNumber);
    return index_->Find(i, from, host_);
}

void ProcMatcher::Resynchronising() {
    const bool indexed = search_ == CandidateSearch::Indexed ||
                         (search_ == CandidateSearch::Auto &&
                          proc_.LastCooked[1] - proc_.FirstCooked[1] + 1 >= kIndexFromLines);
    int32_t i = proc_.FirstCooked[0];
    int32_t j = proc_.FirstCooked[1];
    bool found = true;
    do {
        const int16_t count = found ? 1 : options_.SyncNumber;
        const int32_t c = indexed ? FindIndexed(i, j, count) : FindLiteral(i, j, count);
        found = c != 0;
        if (found) {
            AddMatch(i, c);
            j = c + 1;
        }
        ++i;
        if (i % 500 == 0) host_.DoEvents();
    } while (i <= proc_.LastCooked[0]);
}

}  // namespace

bool TryCandidate(const ComparisonState& state, int32_t i, int32_t c, int16_t count,
                  const ProcRecord& p, IHost& host) {
    IHost* trace = Tracer(host);
    if (trace) {
        trace->LogData("Comparing " + std::to_string(i) + " " + std::to_string(c) + " False");
    }
    return BlockIsEqual(state, i, c, count, p, trace);
}

bool LinesAreEqual(const ComparisonState& state, int32_t i, int32_t j, IHost* trace) {
    TraceScope scope(trace, "mCompare: LinesAreEqual");
    const CookedStore& a = state.CookedStack[0];
    const CookedStore& b = state.CookedStack[1];
    if (a.Hash(i) != b.Hash(j)) return false;
    const int16_t length = a.Length(i);
    if (length != b.Length(j)) return false;
    return length == 0 || a.Text(i, state.RawStack[0]) == b.Text(j, state.RawStack[1]);
}

bool BlockIsEqual(const ComparisonState& state, int32_t i, int32_t j, int16_t count,
                  const ProcRecord& p, IHost* trace) {
    TraceScope scope(trace, "mCompare: BlockIsEqual");
    for (int32_t k = 0; k < count; ++k) {
        if (i + k > p.LastCooked[0] && j + k > p.LastCooked[1]) return true;
        if (p.LastCooked[1] == 0) return false;
        if (!LinesAreEqual(state, i + k, j + k, trace)) return false;
    }
    return true;
}

void CompareProcs(ComparisonState& state, const CompareOptions& options, IHost& host,
                  CandidateSearch search) {
    TraceScope trace(host, "mCompare: CompareProcs");
    // A procedure pair matches at most as many lines as its shorter side has, plus the sentinel.
    size_t most = 0;
    for (int32_t p = 1; p <= state.ProcCount(); ++p) {
        const ProcRecord& proc = state.ProcStack[p];
        if (proc.InFile(0) && proc.InFile(1)) {
            most += static_cast<size_t>(std::min(proc.LastCooked[0] - proc.FirstCooked[0],
                                                 proc.LastCooked[1] - proc.FirstCooked[1]) +
                                        1);
        }
        ++most;
    }
    state.MatchStack.Clear(most);
    for (int32_t p = 1; p <= state.ProcCount(); ++p) {
        ProcRecord& proc = state.ProcStack[p];
        if (proc.FirstCooked[0] >= 1 && proc.FirstCooked[1] >= 1) {
            ProcMatcher matcher(state, proc, options, host, search);
            if (options.LineByLine) {
                matcher.Positional();
            } else {
                matcher.Resynchronising();
            }
        }
        if (proc.LastCooked[0] - proc.FirstCooked[0] != proc.LastCooked[1] - proc.FirstCooked[1] &&
            proc.Status == ProcEqual) {
            proc.Status = ProcChanged;
        }
        MatchRecord sentinel;
        sentinel.MatchLine = {proc.LastRaw[0] + 1, proc.LastRaw[1] + 1};
        state.MatchStack.Add(sentinel);
        if (options.DifferencesOnly) {
            FillNextDiff(state.MatchStack.OpenRow(), NoNextDiff, NoNextDiff);
        }
        if (Tracer(host)) {
            host.LogData(std::to_string(p) + ":" + proc.TrueProcName);
            for (const MatchRecord& m : state.MatchStack.OpenRow()) {
                if (!Tracer(host)) break;
                host.LogData(std::to_string(m.MatchLine[0]) + ", " +
                             std::to_string(m.MatchLine[1]));
            }
        }
        state.MatchStack.EndProc();
        host.DoEvents();
    }
}

}  // namespace dualis
