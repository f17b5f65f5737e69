// Cutting one line of VB source into the tokens that the within-line comparison matches.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace dualis {

enum class TokenKind : uint8_t {
    Word,         // an identifier or keyword, with its type character (Left$, n%)
    Number,       // 12, 1.5E+3, &HFF, 10& ; also a line label's digits
    Blanks,       // a run of blanks and tabs
    Quote,        // the quote that opens or closes a string literal
    StringText,   // a word, a doubled quote or one other character inside a string literal
    CommentMark,  // ' or Rem, which make the rest of the line a comment
    CommentText,  // a word or one other character of a comment
    Operator,     // <=, >=, <>, := or one punctuation character
};

// Byte offsets into the line, 0-based and half-open; tokens cover the line in order, without
// gaps. Words, strings and comments are cut into words so that one changed word in a long
// comment or message is found as that word.
struct Token {
    int32_t Begin = 0;
    int32_t End = 0;
    TokenKind Kind = TokenKind::Operator;
};

// At most maxTokens tokens from the line's start: the caller that gives up on longer lines pays
// only for the part it looks at.
std::vector<Token> TokenizeVbLine(std::string_view line, size_t maxTokens = SIZE_MAX);
// The same into `tokens`, which is emptied first, so that a caller can keep its memory.
void TokenizeVbLine(std::string_view line, std::vector<Token>& tokens, size_t maxTokens);

}  // namespace dualis
