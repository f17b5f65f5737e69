#include <gtest/gtest.h>

#include "TextCodec.h"

namespace dualis {
namespace {

TEST(Utf8, StrictValidity) {
    EXPECT_TRUE(IsValidUtf8("caf\xC3\xA9 \xF0\x9F\x98\x80"));
    EXPECT_FALSE(IsValidUtf8("caf\xE9"));
    EXPECT_FALSE(IsValidUtf8("\xC0\xAF"));          // overlong
    EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));      // surrogate
    EXPECT_FALSE(IsValidUtf8("\xF4\x90\x80\x80"));  // above U+10FFFF
    EXPECT_FALSE(IsValidUtf8("abcdefgh\xC3"));      // cut short after the fast path
}

// The ASCII runs are checked in blocks of 32 and 8 bytes: a view that ends exactly on a block's
// end is valid whatever follows it in memory, and a bad byte anywhere after a run is seen.
TEST(Utf8, BlocksEndWithTheView) {
    for (size_t run : {8u, 32u, 64u, 40u, 31u}) {
        const std::string text = std::string(run, 'a') + "\xFF";
        EXPECT_TRUE(IsValidUtf8(std::string_view(text).substr(0, run))) << run;
        EXPECT_FALSE(IsValidUtf8(text)) << run;
        EXPECT_TRUE(IsValidUtf8(std::string(run, 'a') + "\xC3\xA9" + std::string(run, 'b')));
    }
}

TEST(Utf8, InvalidBytesAreRepairedOneByOne) {
    EXPECT_EQ(RepairUtf8("a\xE9z\xC3"), "a\xEF\xBF\xBDz\xEF\xBF\xBD");
}

TEST(Windows1252, DecodesToUtf8IncludingTheUndefinedBytes) {
    const std::string bytes = "caf\xE9 \x80 \x8A \x81 plain ascii run";
    std::string out(Cp1252AsUtf8Size(bytes), '\0');
    out.resize(static_cast<size_t>(WriteCp1252AsUtf8(out.data(), bytes) - out.data()));
    EXPECT_EQ(out, "caf\xC3\xA9 \xE2\x82\xAC \xC5\xA0 \xC2\x81 plain ascii run");
    EXPECT_EQ(Cp1252AsUtf8Size(bytes), out.size());
}

TEST(CharCodeSum, CountsUnicodeCodePoints) {
    // The euro sign is byte 128 in Windows-1252 and code point 8364 in Unicode: text read from
    // either encoding is held the same way, so it sums the same way.
    EXPECT_EQ(CharCodeSum("\xE2\x82\xAC"), 8364);
    EXPECT_EQ(CharCodeSum("\xC3\xA9"), 233);
    EXPECT_EQ(CharCodeSum("\xC2\x81"), 0x81);  // an undefined Windows-1252 byte: its own value
    EXPECT_EQ(CharCodeSum("ab"), 97 + 98);
    EXPECT_EQ(CharCodeSum(""), 0);
}

TEST(CharCodeSum, WrapsInThirtyTwoBits) {
    std::string big;
    for (int i = 0; i < 3000; ++i) big += "\xF4\x8F\xBF\xBF";  // U+10FFFF
    const int64_t exact = 3000LL * 0x10FFFF;
    EXPECT_EQ(CharCodeSum(big), static_cast<int32_t>(static_cast<uint32_t>(exact)));
}

TEST(MeasureLine, CountsCharactersNotBytesAcrossTheFastPath) {
    const std::string line = "0123456789abcdef\xC3\xA9\xC3\xA9xyz0123456789";
    const LineMetrics m = MeasureLine(line);
    EXPECT_EQ(m.Chars, 31);
    int32_t sum = 0;
    for (char c : std::string("0123456789abcdefxyz0123456789")) sum += c;
    EXPECT_EQ(m.CodeSum, sum + 2 * 0xE9);
}

TEST(LowerCase, CoversAsciiAndTheLatinLettersOfWindows1252Only) {
    EXPECT_EQ(LowerCase("ABC xyz"), "abc xyz");
    EXPECT_EQ(LowerCase("\xC3\x80\xC3\x9E"), "\xC3\xA0\xC3\xBE");                  // À Þ
    EXPECT_EQ(LowerCase("\xC3\x97"), "\xC3\x97");                                  // × keeps
    EXPECT_EQ(LowerCase("\xC5\xA0\xC5\x92\xC5\xBD"), "\xC5\xA1\xC5\x93\xC5\xBE");  // Š Œ Ž
    EXPECT_EQ(LowerCase("\xC5\xB8"), "\xC3\xBF");                                  // Ÿ -> ÿ
    EXPECT_EQ(LowerCase("\xCE\x91"), "\xCE\x91");  // Greek Alpha keeps
    EXPECT_EQ(LowerCase("\xC3\x9F"), "\xC3\x9F");  // ß is no capital
}

}  // namespace
}  // namespace dualis
