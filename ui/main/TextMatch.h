// Whether a line holds the text the find bar asks for: with or without regard to letter case,
// anywhere or as a whole word. A range of a file's lines is scanned in one pass, so that a
// search through a million lines that finds nothing costs one sweep over their bytes.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "ComparisonState.h"

namespace dualis {

struct TextQuery {
    std::string Text;  // UTF-8, as typed
    bool MatchCase = false;
    // The text found may not be part of a longer VB identifier: where the text itself starts
    // (ends) with an identifier character, the character before (after) it may not be one.
    bool WholeWord = false;
};

// Without match case, the letters the program lowers everywhere else match their capitals:
// the ASCII letters and the Latin letters of Windows-1252 (LowerCase). A text of ASCII
// characters alone compares byte by byte through a folding table; any other text lowers the
// lines before it compares them, and only the lines that hold its longest run of ASCII
// characters. Identifier characters are the ASCII letters, digits and the underscore, and every
// non-ASCII character (VB accepts the local alphabet's letters in names).
class TextMatcher {
  public:
    explicit TextMatcher(const TextQuery& query);

    bool Empty() const { return needle_.empty(); }
    bool InLine(std::string_view line) const { return Find(line).has_value(); }
    // The byte offset in `line` of the first place that holds the text; none when none does.
    std::optional<size_t> Find(std::string_view line) const;
    // Whether any of the lines first to last of `raw` holds the text; false for an empty range.
    bool InLines(const RawStore& raw, int32_t first, int32_t last) const;

  private:
    // Where `text`, folded as the needle is, holds the needle as the query allows it.
    std::optional<size_t> Holds(std::string_view text) const;
    // The first place at or after `from` where the needle stands, ignoring word limits; `to`
    // when there is none. Horspool's search over the folded bytes, or for a short needle, whose
    // skips are too short to pay, memchr for its first byte.
    const char* Next(const char* from, const char* to) const;
    const char* NextShort(const char* from, const char* to) const;
    bool WordLimitsHold(std::string_view text, size_t at) const;

    std::string needle_;                   // folded
    std::array<unsigned char, 256> fold_;  // byte -> the byte it compares as
    std::array<uint32_t, 256> skip_;       // Horspool's shift for the window's last byte
    unsigned char firstOther_ = 0;         // the other byte that folds to the needle's first one
    bool lowerLines_ = false;  // a non-ASCII text without match case: lines are lowered first
    // For such a text, the matcher of its longest ASCII run, which finds the lines worth
    // lowering; none when the text has no ASCII character.
    std::shared_ptr<const TextMatcher> asciiRun_;
    bool wordBefore_ = false;  // check the character before a match
    bool wordAfter_ = false;   // and the one after it
};

}  // namespace dualis
