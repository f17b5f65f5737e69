// Text matching for the find bar.
#include "TextMatch.h"

#include <algorithm>
#include <ranges>

#include "TextCodec.h"

namespace dualis {

namespace {

bool IsIdentifierByte(unsigned char b) {
    return (b >= 'a' && b <= 'z') || (b >= 'A' && b <= 'Z') || (b >= '0' && b <= '9') || b == '_' ||
           b >= 0x80;
}

}  // namespace

TextMatcher::TextMatcher(const TextQuery& query) {
    for (int b = 0; b < 256; ++b) {
        const bool fold = !query.MatchCase && b >= 'A' && b <= 'Z';
        fold_[static_cast<size_t>(b)] = static_cast<unsigned char>(fold ? b + 32 : b);
    }
    const bool ascii = std::ranges::all_of(
        query.Text, [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    lowerLines_ = !query.MatchCase && !ascii;
    needle_ = lowerLines_ ? LowerCase(query.Text) : query.Text;
    for (char& c : needle_) c = static_cast<char>(fold_[static_cast<unsigned char>(c)]);
    const size_t m = needle_.size();
    skip_.fill(static_cast<uint32_t>(std::max<size_t>(m, 1)));
    for (size_t i = 0; i + 1 < m; ++i) {
        skip_[static_cast<unsigned char>(needle_[i])] = static_cast<uint32_t>(m - 1 - i);
    }
    if (query.WholeWord && m > 0) {
        wordBefore_ = IsIdentifierByte(static_cast<unsigned char>(needle_.front()));
        wordAfter_ = IsIdentifierByte(static_cast<unsigned char>(needle_.back()));
    }
}

const char* TextMatcher::Next(const char* from, const char* to) const {
    const size_t m = needle_.size();
    const auto n = static_cast<size_t>(to - from);
    if (m == 0 || n < m) return to;
    const auto* text = reinterpret_cast<const unsigned char*>(from);
    const auto* needle = reinterpret_cast<const unsigned char*>(needle_.data());
    const unsigned char last = needle[m - 1];
    for (size_t i = 0; i + m <= n;) {
        const unsigned char c = fold_[text[i + m - 1]];
        if (c == last) {
            size_t j = m - 1;
            while (j > 0 && fold_[text[i + j - 1]] == needle[j - 1]) --j;
            if (j == 0) return from + i;
        }
        i += skip_[c];
    }
    return to;
}

bool TextMatcher::WordLimitsHold(std::string_view text, size_t at) const {
    const size_t end = at + needle_.size();
    if (wordBefore_ && at > 0 && IsIdentifierByte(static_cast<unsigned char>(text[at - 1])))
        return false;
    return !(wordAfter_ && end < text.size() &&
             IsIdentifierByte(static_cast<unsigned char>(text[end])));
}

bool TextMatcher::Holds(std::string_view text) const {
    const char* end = text.data() + text.size();
    for (const char* at = Next(text.data(), end); at != end; at = Next(at + 1, end)) {
        if (WordLimitsHold(text, static_cast<size_t>(at - text.data()))) return true;
    }
    return false;
}

bool TextMatcher::InLine(std::string_view line) const {
    if (lowerLines_) return Holds(LowerCase(line));
    return Holds(line);
}

bool TextMatcher::InLines(const RawStore& raw, int32_t first, int32_t last) const {
    if (Empty() || first < 1 || last < first || last > raw.Count()) return false;
    const std::string_view block = raw.Lines(first, last);
    // Lowering keeps every byte where it was, so the offsets of the lines hold in either text.
    const std::string lowered = lowerLines_ ? LowerCase(block) : std::string();
    const std::string_view text = lowerLines_ ? std::string_view(lowered) : block;
    auto startOf = [&](int32_t line) {
        return static_cast<size_t>(raw.Text(line).data() - block.data());
    };
    const char* end = text.data() + text.size();
    for (const char* at = Next(text.data(), end); at != end;) {
        // The line holding the candidate: the last one starting at or before it. The candidate
        // may run on into the next line or break a word limit; the line as a whole decides.
        const auto offset = static_cast<size_t>(at - text.data());
        const auto lines = std::views::iota(first, last + 1);
        const auto after =
            std::ranges::partition_point(lines, [&](int32_t j) { return startOf(j) <= offset; });
        const int32_t line = first + static_cast<int32_t>(after - lines.begin()) - 1;
        if (Holds(text.substr(startOf(line), raw.Text(line).size()))) return true;
        if (line == last) return false;
        at = Next(text.data() + startOf(line + 1), end);
    }
    return false;
}

}  // namespace dualis
