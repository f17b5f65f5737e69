#include "InlineDiff.h"

#include <algorithm>
#include <string>

#include "TextCodec.h"
#include "VbTokens.h"

namespace dualis {
namespace {

// Lines further apart than this many token edits are marked whole: they were rewritten, and
// the search's cost stays bounded.
constexpr int32_t kMaxEdits = 400;

// A token that takes part in the comparison, with the text it is compared by: its text under
// the options, as normalisation would leave it.
struct Unit {
    int32_t Begin = 0;  // bytes of the raw line
    int32_t End = 0;
    TokenKind Kind = TokenKind::Operator;
    std::string Key;
};

bool Same(const Unit& x, const Unit& y) {
    return x.Kind == y.Kind && x.Key == y.Key;
}

std::string BlankKey(std::string_view run, const CompareOptions& o, bool embedded) {
    std::string key;
    for (char c : run) {
        if (c == '\t' && o.ExpandTabs) {
            key.append(static_cast<size_t>(o.TabWidth), ' ');
        } else {
            key.push_back(c);
        }
    }
    if (embedded && o.IgnoreEmbeddedBlanks) {
        key.erase(std::unique(key.begin(), key.end(),
                              [](char a, char b) { return a == ' ' && b == ' '; }),
                  key.end());
    }
    return key;
}

bool IsLabelText(std::string_view text) {
    return text.find_first_not_of("0123456789:") == std::string_view::npos;
}

// The line's tokens less those the options leave out of the comparison: ignored leading and
// trailing blanks and an ignored line number.
std::vector<Unit> UnitsOf(std::string_view line, const CompareOptions& o) {
    const std::vector<Token> tokens = TokenizeVbLine(line);
    std::vector<Unit> units;
    units.reserve(tokens.size());
    for (size_t t = 0; t < tokens.size(); ++t) {
        const Token& tok = tokens[t];
        const std::string_view text = line.substr(tok.Begin, tok.End - tok.Begin);
        Unit u{tok.Begin, tok.End, tok.Kind, {}};
        if (tok.Kind == TokenKind::Blanks) {
            const bool first = t == 0, last = t + 1 == tokens.size();
            u.Key = BlankKey(text, o, !first && !last);
            const bool onlyBlanks = u.Key.find('\t') == std::string::npos;
            if (onlyBlanks &&
                ((first && o.IgnoreLeadingBlanks) || (last && o.IgnoreTrailingBlanks))) {
                continue;
            }
        } else {
            u.Key = o.IgnoreCase ? LowerCase(text) : std::string(text);
        }
        units.push_back(std::move(u));
    }
    if (o.IgnoreLineNumbers) {
        size_t k = 0;
        while (k < units.size() && units[k].Kind != TokenKind::Blanks &&
               IsLabelText(units[k].Key)) {
            ++k;
        }
        // Normalisation takes a number off only where the line, less ignored blanks, starts.
        const bool atStart = k > 0 && (o.IgnoreLeadingBlanks || units[0].Begin == 0);
        if (atStart && units[0].Kind == TokenKind::Number) {
            if (o.IgnoreLeadingBlanks && k < units.size() && units[k].Kind == TokenKind::Blanks) {
                ++k;
            }
            units.erase(units.begin(), units.begin() + static_cast<ptrdiff_t>(k));
        }
    }
    return units;
}

// Marks in `changed` the units of a that a shortest edit script deletes and those of b that it
// inserts (Myers's greedy O(ND) search, keeping each round's furthest points to walk back).
// False when more than kMaxEdits edits are needed.
bool ShortestEdit(const std::vector<Unit>& a, const std::vector<Unit>& b,
                  std::array<std::vector<char>, 2>& changed) {
    changed = {std::vector<char>(a.size(), 0), std::vector<char>(b.size(), 0)};
    int32_t lo = 0, endA = static_cast<int32_t>(a.size()), endB = static_cast<int32_t>(b.size());
    while (lo < endA && lo < endB && Same(a[lo], b[lo])) ++lo;
    while (endA > lo && endB > lo && Same(a[endA - 1], b[endB - 1])) --endA, --endB;
    const int32_t n = endA - lo, m = endB - lo;
    // trace[d][k + d]: the furthest x reached on diagonal k = x - y with d edits.
    std::vector<std::vector<int32_t>> trace;
    auto down = [&](int32_t d, int32_t k) {
        const std::vector<int32_t>& p = trace[d - 1];
        return k == -d || (k != d && p[k - 1 + d - 1] < p[k + 1 + d - 1]);
    };
    for (int32_t d = 0; d <= std::min(n + m, kMaxEdits); ++d) {
        std::vector<int32_t> v(2 * d + 1, 0);
        for (int32_t k = -d; k <= d; k += 2) {
            int32_t x = 0;
            if (d > 0) x = down(d, k) ? trace[d - 1][k + d] : trace[d - 1][k - 2 + d] + 1;
            int32_t y = x - k;
            while (x < n && y < m && Same(a[lo + x], b[lo + y])) ++x, ++y;
            v[k + d] = x;
            if (x < n || y < m) continue;
            // Walk back from the end, one edit per round.
            for (int32_t e = d; e > 0; --e) {
                const int32_t kk = x - y;
                const bool isDown = down(e, kk);
                const int32_t startK = isDown ? kk + 1 : kk - 1;
                const int32_t sx = trace[e - 1][startK + e - 1], sy = sx - startK;
                if (isDown) {
                    changed[1][lo + sy] = 1;
                } else {
                    changed[0][lo + sx] = 1;
                }
                x = sx;
                y = sy;
            }
            return true;
        }
        trace.push_back(std::move(v));
    }
    return false;
}

// A run of equal units (the same count on both sides) or of changed ones.
struct Segment {
    bool Equal = false;
    std::array<int32_t, 2> From{}, To{};  // unit indexes, half-open
};

std::vector<Segment> Segments(const std::array<std::vector<char>, 2>& changed) {
    std::vector<Segment> segments;
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
        segments.push_back(s);
    }
    return segments;
}

int32_t Weight(const std::vector<Unit>& units, int32_t from, int32_t to, bool blanksToo) {
    int32_t w = 0;
    for (int32_t i = from; i < to; ++i) {
        if (blanksToo || units[i].Kind != TokenKind::Blanks) w += units[i].End - units[i].Begin;
    }
    return w;
}

bool Spacing(const Segment& s, const std::array<std::vector<Unit>, 2>& u) {
    return Weight(u[0], s.From[0], s.To[0], false) == 0 &&
           Weight(u[1], s.From[1], s.To[1], false) == 0;
}

// Merges into the changes around it every equality that is only blanks or no longer than the
// changes on either side, so that "a(b)c" against "x(y)z" is one change, not three.
void MergeSmallEqualities(std::vector<Segment>& segments,
                          const std::array<std::vector<Unit>, 2>& u) {
    auto changeWeight = [&](const Segment& s) {
        return std::max(Weight(u[0], s.From[0], s.To[0], true),
                        Weight(u[1], s.From[1], s.To[1], true));
    };
    for (size_t i = 1; i + 1 < segments.size();) {
        const Segment& s = segments[i];
        const int32_t all = Weight(u[0], s.From[0], s.To[0], true);
        const bool blanksOnly = Weight(u[0], s.From[0], s.To[0], false) == 0;
        // Changes of spacing alone stay apart, or "x = 1" against "x  =  1" would mark the "=".
        const bool spacing = Spacing(segments[i - 1], u) || Spacing(segments[i + 1], u);
        if (!s.Equal || spacing ||
            (!blanksOnly &&
             (all > changeWeight(segments[i - 1]) || all > changeWeight(segments[i + 1])))) {
            ++i;
            continue;
        }
        segments[i - 1].To = segments[i + 1].To;
        segments.erase(segments.begin() + static_cast<ptrdiff_t>(i),
                       segments.begin() + static_cast<ptrdiff_t>(i) + 2);
        i = 1;  // a merged change is heavier: an earlier equality may now go too
    }
}

bool Rewritten(const std::vector<Segment>& segments, const std::array<std::vector<Unit>, 2>& u) {
    int32_t equal = 0;
    for (const Segment& s : segments) {
        if (s.Equal) equal += Weight(u[0], s.From[0], s.To[0], false);
    }
    const int32_t shorter = std::min(Weight(u[0], 0, static_cast<int32_t>(u[0].size()), false),
                                     Weight(u[1], 0, static_cast<int32_t>(u[1].size()), false));
    return equal * 3 < shorter;
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

}  // namespace

LineChanges CompareWithinLines(std::array<std::string_view, 2> lines,
                               const CompareOptions& options) {
    std::array<std::vector<Unit>, 2> units = {UnitsOf(lines[0], options),
                                              UnitsOf(lines[1], options)};
    std::array<std::vector<char>, 2> changed;
    const bool small = units[0].size() <= MaxInlineTokens && units[1].size() <= MaxInlineTokens;
    bool whole = !small || !ShortestEdit(units[0], units[1], changed);
    if (!whole) {
        std::vector<Segment> segments = Segments(changed);
        MergeSmallEqualities(segments, units);
        whole = Rewritten(segments, units);
        for (const Segment& s : segments) {
            for (int f = 0; f < 2; ++f)
                std::fill(changed[f].begin() + s.From[f], changed[f].begin() + s.To[f], !s.Equal);
        }
    }
    LineChanges result;
    for (int f = 0; f < 2; ++f) {
        std::vector<CharRange> bytes;
        if (!whole) {
            bytes = ChangedBytes(units[f], changed[f]);
        } else {
            // From the first to the last non-blank character.
            std::erase_if(units[f], [](const Unit& u) { return u.Kind == TokenKind::Blanks; });
            if (!units[f].empty()) bytes = {{units[f].front().Begin, units[f].back().End}};
        }
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
