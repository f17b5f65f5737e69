#include "Normalise.h"

#include <algorithm>
#include <string>

#include "Formats.h"
#include "RawLoader.h"

namespace dualis {
namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

size_t LeadingBlanks(std::string_view s) {
    const size_t k = s.find_first_not_of(' ');
    return k == std::string_view::npos ? s.size() : k;
}

size_t TrailingBlanks(std::string_view s) {
    const size_t k = s.find_last_not_of(' ');
    return k == std::string_view::npos ? s.size() : s.size() - 1 - k;
}

// Shrinks every run of blanks between the first and the last non-blank character to one
// blank; a line of blanks only shrinks to one blank.
void CollapseEmbeddedBlanks(std::string& s, IHost* trace) {
    const size_t lead = GetLeadingBlanks(s, trace);
    const size_t trail = GetTrailingBlanks(s, trace);
    const size_t innerEnd = s.size() - trail;
    size_t write = lead;
    for (size_t read = lead; read < innerEnd; ++read) {
        if (s[read] == ' ' && write > lead && s[write - 1] == ' ') continue;
        s[write++] = s[read];
    }
    s.erase(write, innerEnd - write);
}

// True when one of the options can make the cooked text differ from the raw text.
bool OptionsChangeText(const CompareOptions& o) {
    return o.ExpandTabs || o.IgnoreCase || o.IgnoreLeadingBlanks || o.IgnoreTrailingBlanks ||
           o.IgnoreEmbeddedBlanks || o.IgnoreLineNumbers;
}

std::string TooLongAfterTabs(int32_t line) {
    return "Line " + GroupedThousands(line) + " is longer than " + GroupedThousands(MaxLineChars) +
           " characters once its tabs are expanded.";
}

}  // namespace

std::string_view UnComment(std::string_view s, IHost* trace) {
    TraceScope scope(trace, "mCompare: UnComment");
    const std::string_view t = s.substr(std::min(LeadingBlanks(s), s.size()));
    auto upper = [](char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c; };
    // Rem is a word: it ends the text or a blank follows it.
    const bool isComment = t.starts_with('\'') || t.starts_with("//") ||
                           (t.size() >= 3 && upper(t[0]) == 'R' && upper(t[1]) == 'E' &&
                            upper(t[2]) == 'M' && (t.size() == 3 || t[3] == ' '));
    return isComment ? std::string_view() : s;
}

int16_t GetLeadingBlanks(std::string_view s, IHost* trace) {
    TraceScope scope(trace, "mCompare: GetLeadingBlanks");
    const size_t n = LeadingBlanks(s);
    return static_cast<int16_t>(n == s.size() ? 0 : n);
}

int16_t GetTrailingBlanks(std::string_view s, IHost* trace) {
    TraceScope scope(trace, "mCompare: GetTrailingBlanks");
    const size_t n = TrailingBlanks(s);
    return static_cast<int16_t>(n == s.size() ? 0 : n);
}

int32_t HashLine(std::string_view s, IHost* trace) {
    TraceScope scope(trace, "mCompare: HashLine");
    return CharCodeSum(s);
}

void LoadCookedStack(ComparisonState& state, int fileIndex, const CompareOptions& o, IHost* trace,
                     std::span<const int32_t> leftOut) {
    RawStore& raw = state.RawStack[fileIndex];
    CookedStore& cooked = state.CookedStack[fileIndex];
    // While tracing, every line goes the way that calls each traced helper.
    const bool changesText = OptionsChangeText(o) || trace;
    // Normalising never lengthens a line but by expanding its tabs.
    cooked.Clear(static_cast<size_t>(raw.Count()), changesText ? raw.Bytes() : 0);
    std::string s;
    auto nextLeftOut = leftOut.begin();
    for (int32_t j = 1; j <= raw.Count(); ++j) {
        while (nextLeftOut != leftOut.end() && *nextLeftOut < j) ++nextLeftOut;
        if (nextLeftOut != leftOut.end() && *nextLeftOut == j) {
            raw.SetIgnored(j);
            continue;
        }
        const std::string_view rawText = raw.Text(j);
        if (!changesText) {
            // Only the two leave-out rules can apply; the text stays as read.
            const bool comment = o.IgnoreComments && !rawText.empty() && UnComment(rawText).empty();
            if (comment || (rawText.empty() && o.IgnoreBlankLines)) {
                raw.SetIgnored(j);
            } else {
                const LineMetrics m = MeasureLine(rawText);
                cooked.AddUnchanged(j, static_cast<int16_t>(m.Chars), m.CodeSum);
            }
            continue;
        }

        s.assign(rawText);
        bool isComment = false;
        // Every step below changes only blanks, tabs, digits and colons, all one byte long,
        // so the character count moves with the byte count.
        if (o.ExpandTabs && !s.empty()) {
            const auto tabs = std::count(s.begin(), s.end(), '\t');
            if (tabs > 0) {
                int64_t length = CharCount(s);
                length += tabs * (static_cast<int64_t>(o.TabWidth) - 1);
                if (length > MaxLineChars) throw InputFileError(TooLongAfterTabs(j));
                std::string expanded;
                expanded.reserve(s.size() + tabs * o.TabWidth);
                for (char c : s) {
                    if (c == '\t') {
                        expanded.append(static_cast<size_t>(o.TabWidth), ' ');
                    } else {
                        expanded.push_back(c);
                    }
                }
                s.swap(expanded);
            }
        }
        if (o.IgnoreCase) LowerCaseInPlace(s);
        if (o.IgnoreTrailingBlanks) s.erase(s.size() - TrailingBlanks(s));
        if (o.IgnoreLeadingBlanks) s.erase(0, LeadingBlanks(s));
        if (o.IgnoreComments && !s.empty() && UnComment(s, trace).empty()) {
            s.clear();
            isComment = true;
        }
        if (o.IgnoreEmbeddedBlanks && !s.empty()) CollapseEmbeddedBlanks(s, trace);
        if (o.IgnoreLineNumbers && !s.empty() && IsDigit(s[0])) {
            size_t k = 1;
            while (k < s.size() && (IsDigit(s[k]) || s[k] == ':')) ++k;
            if (k < s.size()) {
                s.erase(0, k);
                if (o.IgnoreLeadingBlanks) s.erase(0, LeadingBlanks(s));
            } else {
                s.clear();
            }
        }
        if ((s.empty() && o.IgnoreBlankLines) || isComment) {
            raw.SetIgnored(j);
            continue;
        }
        // Characters and hash in one pass; a traced comparison hashes through the traced helper.
        const LineMetrics m = MeasureLine(s);
        const int32_t hash = trace ? HashLine(s, trace) : m.CodeSum;
        if (s == rawText) {
            cooked.AddUnchanged(j, static_cast<int16_t>(m.Chars), hash);
        } else {
            cooked.AddChanged(j, static_cast<int16_t>(m.Chars), hash, s);
        }
    }
}

}  // namespace dualis
