#include "VbTokens.h"

namespace dualis {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
// Bytes of non-ASCII characters count as letters: names may hold accented letters.
bool IsWordChar(char c) {
    return IsDigit(c) || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' ||
           static_cast<unsigned char>(c) >= 0x80;
}
bool IsTypeChar(char c) {
    return c == '%' || c == '&' || c == '!' || c == '#' || c == '@' || c == '$';
}

class Tokenizer {
  public:
    Tokenizer(std::string_view line, std::vector<Token>& tokens, size_t maxTokens)
        : s_(line), max_(maxTokens), tokens_(tokens) {
        tokens_.clear();
    }

    void Run() {
        while (i_ < size() && tokens_.size() < max_) {
            const char c = s_[i_];
            if (IsBlank(c)) {
                Take(TokenKind::Blanks, SpanWhile(IsBlank));
            } else if (c == '"') {
                String();
            } else if (c == '\'') {
                Take(TokenKind::CommentMark, 1);
                Comment();
            } else if (IsDigit(c) || (c == '.' && At(i_ + 1, IsDigit)) ||
                       (c == '&' && i_ + 1 < size() &&
                        (Lower(s_[i_ + 1]) == 'h' || Lower(s_[i_ + 1]) == 'o'))) {
                Number();
            } else if (IsWordChar(c)) {
                int32_t n = SpanWhile(IsWordChar);
                if (IsRem(n)) {
                    Take(TokenKind::CommentMark, n);
                    Comment();
                    continue;
                }
                if (At(i_ + n, IsTypeChar) && !At(i_ + n + 1, IsWordChar)) ++n;
                Take(TokenKind::Word, n);
            } else {
                Take(TokenKind::Operator, OperatorLength());
            }
        }
    }

  private:
    int32_t size() const { return static_cast<int32_t>(s_.size()); }
    static char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }
    bool At(int32_t k, bool (*test)(char)) const { return k < size() && test(s_[k]); }
    int32_t SpanWhile(bool (*test)(char)) const {
        int32_t k = i_;
        while (At(k, test)) ++k;
        return k - i_;
    }
    void Take(TokenKind kind, int32_t n) {
        tokens_.push_back({i_, i_ + n, kind});
        i_ += n;
    }

    // Rem starts a comment only as a whole word.
    bool IsRem(int32_t n) const {
        return n == 3 && Lower(s_[i_]) == 'r' && Lower(s_[i_ + 1]) == 'e' &&
               Lower(s_[i_ + 2]) == 'm';
    }

    // Digits, letters (exponent, hex digits) and points, a signed exponent, a type character.
    void Number() {
        int32_t k = i_ + (s_[i_] == '&' ? 2 : 0);
        while (k < size() && (IsWordChar(s_[k]) || s_[k] == '.')) {
            const bool exponent = Lower(s_[k]) == 'e' && s_[i_] != '&';
            ++k;
            if (exponent && k < size() && (s_[k] == '+' || s_[k] == '-')) ++k;
        }
        if (At(k, IsTypeChar)) ++k;
        Take(TokenKind::Number, k - i_);
    }

    // The literal's words, with "" as one token; an unclosed literal runs to the line's end.
    void String() {
        Take(TokenKind::Quote, 1);
        while (i_ < size() && tokens_.size() < max_) {
            if (s_[i_] == '"') {
                if (i_ + 1 < size() && s_[i_ + 1] == '"') {
                    Take(TokenKind::StringText, 2);
                    continue;
                }
                Take(TokenKind::Quote, 1);
                return;
            }
            TakeText(TokenKind::StringText);
        }
    }

    void Comment() {
        while (i_ < size() && tokens_.size() < max_) TakeText(TokenKind::CommentText);
    }

    // A word, a run of blanks or one other character of free text.
    void TakeText(TokenKind kind) {
        if (IsWordChar(s_[i_])) {
            Take(kind, SpanWhile(IsWordChar));
        } else if (IsBlank(s_[i_])) {
            Take(TokenKind::Blanks, SpanWhile(IsBlank));
        } else {
            Take(kind, 1);
        }
    }

    int32_t OperatorLength() const {
        if (i_ + 1 >= size()) return 1;
        const std::string_view two = s_.substr(i_, 2);
        return two == "<=" || two == ">=" || two == "<>" || two == ":=" ? 2 : 1;
    }

    std::string_view s_;
    size_t max_;
    std::vector<Token>& tokens_;
    int32_t i_ = 0;
};

}  // namespace

std::vector<Token> TokenizeVbLine(std::string_view line, size_t maxTokens) {
    std::vector<Token> tokens;
    TokenizeVbLine(line, tokens, maxTokens);
    return tokens;
}

void TokenizeVbLine(std::string_view line, std::vector<Token>& tokens, size_t maxTokens) {
    Tokenizer(line, tokens, maxTokens).Run();
}

}  // namespace dualis
