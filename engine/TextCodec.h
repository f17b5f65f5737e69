// How the bytes of an input file become text, and the character-level rules that normalisation
// and hashing share. Text is held as UTF-8 throughout; each file remembers the encoding it was
// read in, because a line's hash is the sum of its characters' codes in that encoding.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace dualis {

enum class Encoding : uint8_t { Utf8, Windows1252 };

// Turns a file's bytes into UTF-8 text, in place where possible: a UTF-8 byte-order mark is
// dropped and the rest is read as UTF-8 (an invalid byte becomes U+FFFD); otherwise valid UTF-8
// stays as it is; anything else is read as Windows-1252.
Encoding DecodeFileText(std::string& bytes);

// Number of characters (code points) of UTF-8 text.
int64_t CharCount(std::string_view utf8);

// Lower-cases, in place, the ASCII letters and the Latin letters of Windows-1252 (À to Þ except
// ×, and Š, Œ, Ž, Ÿ); every other character keeps its case. The byte length never changes.
void LowerCaseInPlace(std::string& utf8);
std::string LowerCase(std::string_view utf8);

// The sum, wrapping in 32 bits, of the characters' codes in the given encoding.
int32_t CharCodeSum(std::string_view utf8, Encoding encoding);

// A line's character count and character code sum, in one pass.
struct LineMetrics {
    int64_t Chars = 0;
    int32_t CodeSum = 0;
};
LineMetrics MeasureLine(std::string_view utf8, Encoding encoding);

}  // namespace dualis
