// Text matching for the find bar.
#include "TextMatch.h"

#include <algorithm>
#include <cstring>

#include "TextCodec.h"

namespace dualis {

namespace {

bool IsIdentifierByte(unsigned char b) {
    return (b >= 'a' && b <= 'z') || (b >= 'A' && b <= 'Z') || (b >= '0' && b <= '9') || b == '_' ||
           b >= 0x80;
}

// Needles shorter than this are found through memchr.
constexpr size_t kShortNeedle = 4;

// The first byte in [from, to) that is `a` or `b`; `to` when there is none. Two memchr calls
// over blocks of 4 KiB keep the cost linear however the two bytes are spread.
const char* FindEither(const char* from, const char* to, unsigned char a, unsigned char b) {
    while (from < to) {
        const char* end = from + std::min<ptrdiff_t>(to - from, 4096);
        const auto* atA = static_cast<const char*>(std::memchr(from, a, end - from));
        const char* limit = atA ? atA : end;
        const auto* atB =
            a == b ? nullptr : static_cast<const char*>(std::memchr(from, b, limit - from));
        if (atB) return atB;
        if (atA) return atA;
        from = end;
    }
    return to;
}

// The longest run of ASCII characters in `text`.
std::string LongestAsciiRun(std::string_view text) {
    std::string_view best;
    size_t start = 0;
    for (size_t i = 0; i <= text.size(); ++i) {
        if (i < text.size() && static_cast<unsigned char>(text[i]) < 0x80) continue;
        if (i - start > best.size()) best = text.substr(start, i - start);
        start = i + 1;
    }
    return std::string(best);
}

}  // namespace

TextMatcher::TextMatcher(const TextQuery& query) {
    for (int b = 0; b < 256; ++b) {
        const bool fold = !query.MatchCase && b >= 'A' && b <= 'Z';
        fold_[static_cast<size_t>(b)] = static_cast<unsigned char>(fold ? b + 32 : b);
    }
    const bool ascii = std::all_of(query.Text.begin(), query.Text.end(),
                                   [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    lowerLines_ = !query.MatchCase && !ascii;
    needle_ = lowerLines_ ? LowerCase(query.Text) : query.Text;
    for (char& c : needle_) c = static_cast<char>(fold_[static_cast<unsigned char>(c)]);
    const size_t m = needle_.size();
    skip_.fill(static_cast<uint32_t>(std::max<size_t>(m, 1)));
    for (size_t i = 0; i + 1 < m; ++i) {
        skip_[static_cast<unsigned char>(needle_[i])] = static_cast<uint32_t>(m - 1 - i);
    }
    if (m == 0) return;
    const auto first = static_cast<unsigned char>(needle_.front());
    firstOther_ = first;
    for (int b = 0; b < 256; ++b) {
        if (b != first && fold_[static_cast<size_t>(b)] == first)
            firstOther_ = static_cast<unsigned char>(b);
    }
    if (query.WholeWord) {
        wordBefore_ = IsIdentifierByte(first);
        wordAfter_ = IsIdentifierByte(static_cast<unsigned char>(needle_.back()));
    }
    if (lowerLines_) {
        std::string run = LongestAsciiRun(needle_);
        if (!run.empty())
            asciiRun_ = std::make_shared<const TextMatcher>(TextQuery{std::move(run)});
    }
}

const char* TextMatcher::Next(const char* from, const char* to) const {
    const size_t m = needle_.size();
    const auto n = static_cast<size_t>(to - from);
    if (m == 0 || n < m) return to;
    if (m < kShortNeedle) return NextShort(from, to);
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

const char* TextMatcher::NextShort(const char* from, const char* to) const {
    const size_t m = needle_.size();
    const char* lastStart = to - m + 1;  // one past the last place a match can start
    const auto* needle = reinterpret_cast<const unsigned char*>(needle_.data());
    for (const char* at = FindEither(from, lastStart, needle[0], firstOther_); at != lastStart;
         at = FindEither(at + 1, lastStart, needle[0], firstOther_)) {
        const auto* text = reinterpret_cast<const unsigned char*>(at);
        size_t j = 1;
        while (j < m && fold_[text[j]] == needle[j]) ++j;
        if (j == m) return at;
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

std::optional<size_t> TextMatcher::Holds(std::string_view text) const {
    const char* end = text.data() + text.size();
    for (const char* at = Next(text.data(), end); at != end; at = Next(at + 1, end)) {
        const auto offset = static_cast<size_t>(at - text.data());
        if (WordLimitsHold(text, offset)) return offset;
    }
    return std::nullopt;
}

std::optional<size_t> TextMatcher::Find(std::string_view line) const {
    // Lowering keeps every byte where it was, so an offset in the lowered line holds in the line.
    if (lowerLines_) return Holds(LowerCase(line));
    return Holds(line);
}

bool TextMatcher::InLines(const RawStore& raw, int32_t first, int32_t last) const {
    if (Empty() || first < 1 || last < first || last > raw.Count()) return false;
    const std::string_view block = raw.Lines(first, last);
    // The candidates come from the ASCII run where there is one, else from the lowered lines;
    // lowering keeps every byte where it was, so the offsets of the lines hold in either text.
    const bool lowerBlock = lowerLines_ && !asciiRun_;
    const TextMatcher& scanner = asciiRun_ ? *asciiRun_ : *this;
    const std::string lowered = lowerBlock ? LowerCase(block) : std::string();
    const std::string_view text = lowerBlock ? std::string_view(lowered) : block;
    auto startOf = [&](int32_t line) {
        return static_cast<size_t>(raw.Text(line).data() - block.data());
    };
    const char* end = text.data() + text.size();
    for (const char* at = scanner.Next(text.data(), end); at != end;) {
        // The line holding the candidate: the last one starting at or before it. The candidate
        // may run on into the next line or break a word limit; the line as a whole decides.
        const auto offset = static_cast<size_t>(at - text.data());
        int32_t low = first;  // starts at or before the candidate
        int32_t high = last + 1;
        while (high - low > 1) {
            const int32_t middle = low + (high - low) / 2;
            (startOf(middle) <= offset ? low : high) = middle;
        }
        const int32_t line = low;
        if (InLine(raw.Text(line))) return true;
        if (line == last) return false;
        at = scanner.Next(text.data() + startOf(line + 1), end);
    }
    return false;
}

}  // namespace dualis
