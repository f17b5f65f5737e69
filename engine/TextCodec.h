// How the bytes of an input file become text, and the character-level rules that normalisation
// and hashing share. Text is held as UTF-8 throughout, whatever encoding a file was read in, so
// the same text compares and hashes alike from every encoding.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace dualis {

// A file's bytes are read as UTF-8 when they start with a UTF-8 byte-order mark (dropped; an
// invalid byte after it becomes U+FFFD), as UTF-16 when they start with a UTF-16 byte-order mark
// (dropped) of either byte order, as UTF-8 when they are valid UTF-8, and as Windows-1252
// otherwise.
inline constexpr std::string_view Utf8ByteOrderMark = "\xEF\xBB\xBF";
inline constexpr std::string_view Utf16LeByteOrderMark = "\xFF\xFE";
inline constexpr std::string_view Utf16BeByteOrderMark = "\xFE\xFF";
bool IsValidUtf8(std::string_view bytes);
std::string RepairUtf8(std::string_view bytes);
// Writes Windows-1252 bytes as UTF-8 at `out`, which has room for Cp1252AsUtf8Size of them;
// returns the end of what it wrote.
char* WriteCp1252AsUtf8(char* out, std::string_view bytes);
size_t Cp1252AsUtf8Size(std::string_view bytes);
// Windows-1252 bytes as a UTF-8 text.
std::string Cp1252AsUtf8(std::string_view bytes);
// Appends one code point, encoded as UTF-8; the caller sees to it that it is a character
// (at most U+10FFFF, no surrogate).
void AppendUtf8(std::string& out, char32_t cp);
// UTF-16 code units (without byte-order mark) as UTF-8. A surrogate pair becomes its one
// character; an unpaired surrogate, and an odd byte at the end, become U+FFFD.
std::string Utf16AsUtf8(std::string_view bytes, bool bigEndian);
// True when one of the first `units` code units of UTF-16 bytes is 0 (U+0000).
bool HasNulUnit(std::string_view bytes, size_t units);

// Number of characters (code points) of UTF-8 text.
int64_t CharCount(std::string_view utf8);

// Lower-cases, in place, the ASCII letters and the Latin letters of Windows-1252 (À to Þ except
// ×, and Š, Œ, Ž, Ÿ); every other character keeps its case. The byte length never changes.
void LowerCaseInPlace(std::string& utf8);
std::string LowerCase(std::string_view utf8);

// Equality of two texts when ASCII letters are compared without regard to case.
bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b);

// The sum, wrapping in 32 bits, of the characters' Unicode code points.
int32_t CharCodeSum(std::string_view utf8);

// A line's character count and character code sum, in one pass.
struct LineMetrics {
    int64_t Chars = 0;
    int32_t CodeSum = 0;
};
LineMetrics MeasureLine(std::string_view utf8);

}  // namespace dualis
