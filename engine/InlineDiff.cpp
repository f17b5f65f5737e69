#include "InlineDiff.h"

#include <algorithm>
#include <string>

#include "InlineUnits.h"

namespace dualis {
namespace {

// Lines further apart than this many token edits are marked whole: they were rewritten.
constexpr int32_t kMaxEdits = 400;

// The edit search may take this many steps (a diagonal tried or a pair of tokens compared) per
// token of the two lines, and kWorkBase more, before it gives up and the lines are marked
// whole: so the comparison's cost stays in proportion to the lines' length, as printing them
// does, whatever the lines hold. Lines of ordinary code with a few changed words take a small
// part of it.
constexpr int64_t kWorkPerToken = 1;
constexpr int64_t kWorkBase = 800;

bool Same(const LineUnits& a, int32_t x, const LineUnits& b, int32_t y) {
    return a.Ids[static_cast<size_t>(x)] == b.Ids[static_cast<size_t>(y)];
}

// Marks in `changed` the units of a that a shortest edit script deletes and those of b that it
// inserts (Myers's greedy O(ND) search, keeping each round's furthest points to walk back).
// False when more than kMaxEdits edits are needed, or more work than the lines' length allows.
// `trace` is working memory.
bool ShortestEdit(const LineUnits& a, const LineUnits& b, std::array<std::vector<char>, 2>& changed,
                  std::vector<int32_t>& trace) {
    changed[0].assign(a.Units.size(), 0);
    changed[1].assign(b.Units.size(), 0);
    int32_t lo = 0, endA = a.Size(), endB = b.Size();
    while (lo < endA && lo < endB && Same(a, lo, b, lo)) ++lo;
    while (endA > lo && endB > lo && Same(a, endA - 1, b, endB - 1)) --endA, --endB;
    const int32_t n = endA - lo, m = endB - lo;
    if (n == 0 || m == 0) {
        // Only deleted or only inserted units are left: no search needed.
        if (n + m > kMaxEdits) return false;
        std::fill(changed[0].begin() + lo, changed[0].begin() + endA, 1);
        std::fill(changed[1].begin() + lo, changed[1].begin() + endB, 1);
        return true;
    }
    int64_t work = kWorkBase + kWorkPerToken * (a.Size() + b.Size());
    // Round d holds the furthest x reached with d edits on each diagonal k = x - y of its parity
    // from -d to d, at trace[d * (d + 1) / 2 + (k + d) / 2] (the rounds before it hold
    // d * (d + 1) / 2 entries). Every round costs at least one step per diagonal, so the work
    // bounds the rounds. Each entry is written before it is read.
    int32_t rounds = std::min(n + m, kMaxEdits);
    while (int64_t{rounds} * (rounds + 1) / 2 > work) --rounds;
    const auto entries = static_cast<size_t>((rounds + 1) * (rounds + 2) / 2);
    if (trace.size() < entries) trace.resize(entries);
    auto at = [&](int32_t d, int32_t k) -> int32_t& {
        return trace[static_cast<size_t>(d * (d + 1) / 2 + (k + d) / 2)];
    };
    auto down = [&](int32_t d, int32_t k) {
        return k == -d || (k != d && at(d - 1, k - 1) < at(d - 1, k + 1));
    };
    for (int32_t d = 0; d <= rounds; ++d) {
        for (int32_t k = -d; k <= d; k += 2) {
            int32_t x = 0;
            if (d > 0) x = down(d, k) ? at(d - 1, k + 1) : at(d - 1, k - 1) + 1;
            int32_t y = x - k;
            const int32_t from = x;
            while (x < n && y < m && Same(a, lo + x, b, lo + y)) ++x, ++y;
            work -= 1 + (x - from);
            if (work < 0) return false;
            at(d, k) = x;
            if (x < n || y < m) continue;
            // Walk back from the end, one edit per round.
            for (int32_t e = d; e > 0; --e) {
                const int32_t kk = x - y;
                const bool isDown = down(e, kk);
                const int32_t startK = isDown ? kk + 1 : kk - 1;
                const int32_t sx = at(e - 1, startK), sy = sx - startK;
                if (isDown) {
                    changed[1][static_cast<size_t>(lo + sy)] = 1;
                } else {
                    changed[0][static_cast<size_t>(lo + sx)] = 1;
                }
                x = sx;
                y = sy;
            }
            return true;
        }
    }
    return false;
}

// A run of equal units (the same count on both sides) or of changed ones, with the bytes it
// covers on each side: all of them, and those outside blank runs.
struct Segment {
    bool Equal = false;
    std::array<int32_t, 2> From{}, To{};  // unit indexes, half-open
    std::array<int32_t, 2> All{}, Visible{};
};

void CutIntoSegments(const std::array<std::vector<char>, 2>& changed,
                     const std::array<LineUnits, 2>& sides, std::vector<Segment>& segments) {
    segments.clear();
    std::array<int32_t, 2> at{};
    const std::array<int32_t, 2> size = {static_cast<int32_t>(changed[0].size()),
                                         static_cast<int32_t>(changed[1].size())};
    while (at[0] < size[0] || at[1] < size[1]) {
        Segment s{at[0] < size[0] && at[1] < size[1] && !changed[0][at[0]] && !changed[1][at[1]],
                  at, at};
        if (s.Equal) {
            while (at[0] < size[0] && at[1] < size[1] && !changed[0][at[0]] && !changed[1][at[1]]) {
                ++at[0], ++at[1];
            }
        }
        for (int f = 0; f < 2 && !s.Equal; ++f) {
            while (at[f] < size[f] && changed[f][at[f]]) ++at[f];
        }
        s.To = at;
        for (int f = 0; f < 2; ++f) {
            for (int32_t i = s.From[f]; i < s.To[f]; ++i) {
                const Unit& u = sides[f].Units[static_cast<size_t>(i)];
                s.All[f] += u.End - u.Begin;
                if (u.Kind != TokenKind::Blanks) s.Visible[f] += u.End - u.Begin;
            }
        }
        segments.push_back(s);
    }
}

bool Spacing(const Segment& s) {
    return s.Visible[0] == 0 && s.Visible[1] == 0;
}

int32_t ChangeWeight(const Segment& s) {
    return std::max(s.All[0], s.All[1]);
}

// Merges into the changes around it every equality that is only blanks or no longer than the
// changes on either side, so that "a(b)c" against "x(y)z" is one change, not three. Taken from
// the left: a merged change is heavier, so the equality before it is weighed again. `kept` is
// working memory.
void MergeSmallEqualities(std::vector<Segment>& segments, std::vector<Segment>& kept) {
    auto merges = [](const Segment& before, const Segment& s, const Segment& after) {
        // Changes of spacing alone stay apart, or "x = 1" against "x  =  1" would mark the "=".
        if (!s.Equal || Spacing(before) || Spacing(after)) return false;
        return s.Visible[0] == 0 ||
               (s.All[0] <= ChangeWeight(before) && s.All[0] <= ChangeWeight(after));
    };
    kept.clear();
    for (const Segment& next : segments) {
        kept.push_back(next);
        while (kept.size() >= 3 &&
               merges(kept[kept.size() - 3], kept[kept.size() - 2], kept[kept.size() - 1])) {
            const Segment after = kept.back();
            kept.pop_back();
            const Segment s = kept.back();
            kept.pop_back();
            Segment& before = kept.back();
            before.To = after.To;
            for (int f = 0; f < 2; ++f) {
                before.All[f] += s.All[f] + after.All[f];
                before.Visible[f] += s.Visible[f] + after.Visible[f];
            }
        }
    }
    segments.swap(kept);
}

bool Rewritten(const std::vector<Segment>& segments) {
    int32_t equal = 0;
    std::array<int32_t, 2> visible{};
    for (const Segment& s : segments) {
        if (s.Equal) equal += s.Visible[0];
        for (int f = 0; f < 2; ++f) visible[f] += s.Visible[f];
    }
    return equal * 3 < std::min(visible[0], visible[1]);
}

// Byte ranges to code point ranges, in one pass over the line.
std::vector<CharRange> InCharacters(std::string_view line, const std::vector<CharRange>& bytes) {
    std::vector<CharRange> chars;
    int32_t byte = 0, count = 0;
    auto advance = [&](int32_t to) {
        for (; byte < to; ++byte) count += (static_cast<unsigned char>(line[byte]) & 0xC0) != 0x80;
        return count;
    };
    for (const CharRange& r : bytes) {
        const int32_t begin = advance(r.Begin);
        chars.push_back({begin, advance(r.End)});
    }
    return chars;
}

// The byte ranges of the changed units, each from its first to its last non-blank unit unless it
// is all blanks.
std::vector<CharRange> ChangedBytes(const std::vector<Unit>& units,
                                    const std::vector<char>& changed) {
    std::vector<CharRange> ranges;
    const auto n = static_cast<int32_t>(units.size());
    for (int32_t i = 0; i < n;) {
        if (!changed[i]) {
            ++i;
            continue;
        }
        int32_t j = i;
        while (j < n && changed[j]) ++j;
        int32_t first = i, last = j - 1;
        while (first < last && units[first].Kind == TokenKind::Blanks) ++first;
        while (last > first && units[last].Kind == TokenKind::Blanks) --last;
        ranges.push_back({units[first].Begin, units[last].End});
        i = j;
    }
    return ranges;
}

// The working memory of one comparison.
struct Workspace {
    std::vector<Token> Tokens;
    std::array<LineUnits, 2> Sides;
    std::array<std::vector<char>, 2> Changed;
    std::vector<UnitSlot> Table;
    std::vector<int32_t> Trace;
    std::vector<Segment> Segments, Kept;
};

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// The whole line's bytes from its first to its last non-blank unit; none when it has none.
std::vector<CharRange> WholeBytes(std::string_view line, const LineUnits& side,
                                  const CompareOptions& o) {
    const auto first = std::find_if(side.Units.begin(), side.Units.end(),
                                    [](const Unit& u) { return u.Kind != TokenKind::Blanks; });
    if (first == side.Units.end()) {
        // A line cut short whose start is all line number: its units past the cut decide.
        if (side.TooLong) {
            LineUnits all;
            std::vector<Token> tokens;
            CutIntoUnits(line, o, SIZE_MAX - 1, all, tokens);
            return WholeBytes(line, all, o);
        }
        return {};
    }
    // Blank runs are tokens of their own, so the last non-blank unit ends at the last non-blank
    // byte; found from the end, so that a line cut short needs no more units.
    auto end = static_cast<int32_t>(line.size());
    while (end > first->Begin && IsBlank(line[static_cast<size_t>(end - 1)])) --end;
    return {{first->Begin, end}};
}

}  // namespace

LineChanges CompareWithinLines(std::array<std::string_view, 2> lines,
                               const CompareOptions& options) {
    // Kept between calls, as the panes and the report compare line after line: fresh blocks of
    // this size would cost their page faults again on every line.
    thread_local Workspace w;
    for (int f = 0; f < 2; ++f) {
        CutIntoUnits(lines[f], options, MaxInlineTokens, w.Sides[f], w.Tokens);
    }
    const std::array<LineUnits, 2>& sides = w.Sides;
    bool whole = sides[0].TooLong || sides[1].TooLong;
    if (!whole) {
        NumberUnits(w.Sides, w.Table);
        whole = !ShortestEdit(sides[0], sides[1], w.Changed, w.Trace);
    }
    if (!whole) {
        CutIntoSegments(w.Changed, sides, w.Segments);
        MergeSmallEqualities(w.Segments, w.Kept);
        whole = Rewritten(w.Segments);
        for (const Segment& s : w.Segments) {
            for (int f = 0; f < 2; ++f) {
                std::fill(w.Changed[f].begin() + s.From[f], w.Changed[f].begin() + s.To[f],
                          !s.Equal);
            }
        }
    }
    LineChanges result;
    for (int f = 0; f < 2; ++f) {
        const std::vector<CharRange> bytes = whole ? WholeBytes(lines[f], sides[f], options)
                                                   : ChangedBytes(sides[f].Units, w.Changed[f]);
        result.Ranges[f] = InCharacters(lines[f], bytes);
    }
    return result;
}

std::vector<int32_t> PairCombinedRows(std::span<const CombinedRow> rows) {
    std::vector<int32_t> partner(rows.size(), -1);
    std::vector<int32_t>
        deleted;  // the block's Deleted rows in order; the first `paired` have partners
    size_t paired = 0;
    std::array<int32_t, 2> lastLine = {-1, -1};
    int lastSide = -1;
    for (size_t i = 0; i < rows.size(); ++i) {
        const CombinedRow& r = rows[i];
        const bool inBlock = r.Symbol != LineSymbol::Equal && r.Symbol != LineSymbol::HiddenMarker;
        // A block lists File 1's consecutive lines, then File 2's; anything else starts a new one.
        const bool continues = inBlock && !(r.Side == 0 && lastSide == 1) &&
                               (lastLine[r.Side] < 0 || r.RawLine == lastLine[r.Side] + 1);
        if (!continues) {
            deleted.clear();
            paired = 0;
            lastLine = {-1, -1};
            lastSide = -1;
        }
        if (!inBlock) continue;
        lastLine[r.Side] = r.RawLine;
        lastSide = r.Side;
        const auto row = static_cast<int32_t>(i);
        if (r.Symbol == LineSymbol::Deleted) {
            deleted.push_back(row);
        } else if (r.Symbol == LineSymbol::Added && paired < deleted.size()) {
            partner[row] = deleted[paired];
            partner[deleted[paired++]] = row;
        }
    }
    return partner;
}

}  // namespace dualis
