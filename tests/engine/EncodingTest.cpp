// The same text saved in two encodings compares as the same text, through the whole comparison:
// Windows-1252, UTF-8 and UTF-16 of either byte order, with each kind of line end.
#include <gtest/gtest.h>

#include <array>

#include "Pipeline.h"
#include "RawLoader.h"
#include "TestSupport.h"

namespace dualis {
namespace {

using Pairs = std::vector<std::pair<int32_t, int32_t>>;

// The characters of the Windows-1252 bytes 0x80 to 0x9F, from the code page's own table; the
// five bytes it leaves undefined stand for the C1 control of their own value.
constexpr std::array<char32_t, 32> kWindows1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char32_t Windows1252Char(unsigned byte) {
    return byte >= 0x80 && byte < 0xA0 ? kWindows1252High[byte - 0x80] : byte;
}

std::string Utf8(std::u32string_view text) {
    std::string out;
    for (const char32_t c : text) {
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

// UTF-16 code units with their byte-order mark.
std::string Utf16(std::u32string_view text, bool bigEndian) {
    std::string out;
    auto unit = [&](char32_t u) {
        const char high = static_cast<char>(u >> 8), low = static_cast<char>(u & 0xFF);
        out += bigEndian ? high : low;
        out += bigEndian ? low : high;
    };
    unit(0xFEFF);
    for (const char32_t c : text) {
        if (c < 0x10000) {
            unit(c);
        } else {
            unit(0xD800 + ((c - 0x10000) >> 10));
            unit(0xDC00 + ((c - 0x10000) & 0x3FF));
        }
    }
    return out;
}

// One line per non-ASCII byte of Windows-1252, as the byte and as its character.
struct EveryWindows1252Character {
    EveryWindows1252Character() {
        for (unsigned byte = 0x80; byte <= 0xFF; ++byte) {
            bytes += "c = \"" + std::string(1, static_cast<char>(byte)) + "\"\r\n";
            text += U"c = \"" + std::u32string(1, Windows1252Char(byte)) + U"\"\r\n";
        }
    }
    std::string bytes;
    std::u32string text;
};

// Both files hold one equal line after another: every line pairs with its twin.
void ExpectEqualLineForLine(const ComparisonState& st) {
    ASSERT_EQ(st.ProcCount(), 1);
    EXPECT_EQ(st.ProcStack[1].Status, ProcEqual);
    ASSERT_EQ(st.CookedCount(0), st.CookedCount(1));
    Pairs everyLine;
    for (int32_t j = 1; j <= st.CookedCount(0); ++j) {
        EXPECT_EQ(st.Cooked(0, j).Text, st.Cooked(1, j).Text) << "line " << j;
        EXPECT_EQ(st.Cooked(0, j).Hash, st.Cooked(1, j).Hash) << "line " << j;
        EXPECT_EQ(st.Cooked(0, j).Length, st.Cooked(1, j).Length) << "line " << j;
        everyLine.emplace_back(st.Cooked(0, j).RawLine, st.Cooked(1, j).RawLine);
    }
    EXPECT_EQ(test::Matches(st, 1), everyLine);
}

TEST(SameTextInTwoEncodings, EveryWindows1252CharacterEqualsItsUtf8Form) {
    const EveryWindows1252Character every;
    const auto st = test::CompareTexts(every.bytes, Utf8(every.text));
    EXPECT_EQ(st.RawCount(0), 128);
    ExpectEqualLineForLine(st);
    // The euro sign, byte 0x80, hashes as U+20AC in both files.
    EXPECT_EQ(st.Cooked(0, 1).Hash, CharCodeSum("c = \"\"") + 0x20AC);
}

TEST(SameTextInTwoEncodings, CaseIsIgnoredAcrossEncodingsToo) {
    // Š Œ Ž Ÿ in Windows-1252 against their lower-case forms in UTF-8.
    CompareOptions o;
    o.IgnoreCase = true;
    const auto st = test::CompareTexts("\x8A\x8C\x8E\x9F\r\nA\xC0\r\n",
                                       Utf8(U"\u0161\u0153\u017E\u00FF\r\na\u00E0\r\n"), o);
    ExpectEqualLineForLine(st);
}

TEST(SameTextInTwoEncodings, EveryWindows1252CharacterEqualsItsUtf16Form) {
    const EveryWindows1252Character every;
    for (const bool bigEndian : {false, true}) {
        SCOPED_TRACE(bigEndian ? "big-endian" : "little-endian");
        const auto st = test::CompareTexts(every.bytes, Utf16(every.text, bigEndian));
        EXPECT_EQ(st.RawCount(1), 128);
        ExpectEqualLineForLine(st);
    }
}

TEST(SameTextInTwoEncodings, Utf16AgainstUtf8BeyondTheBasicPlane) {
    const std::u32string text =
        U"Option Explicit\r\nSub Gr\u00FC\u00DFe()\r\n    s = \"\U0001F600 \u4E2D\"\nEnd Sub\r";
    for (const bool bigEndian : {false, true}) {
        SCOPED_TRACE(bigEndian ? "big-endian" : "little-endian");
        const auto st = test::CompareTexts(Utf8(text), Utf16(text, bigEndian));
        ASSERT_EQ(st.ProcCount(), 2);
        EXPECT_EQ(st.ProcStack[2].TrueProcName, Utf8(U"Gr\u00FC\u00DFe"));
        EXPECT_EQ(st.ProcStack[2].Status, ProcEqual);
        EXPECT_EQ(st.Cooked(1, 3).Length, 13);  // the emoji is one character
    }
}

// The raw lines of a file, or the reason it was refused.
std::vector<std::string> RawLinesOf(const std::string& content) {
    ComparisonState state;
    try {
        LoadRawText(state, 0, content);
    } catch (const InputFileError& e) {
        return {std::string("refused: ") + e.what()};
    }
    std::vector<std::string> lines;
    for (int32_t j = 1; j <= state.RawCount(0); ++j) lines.emplace_back(state.RawStack[0].Text(j));
    return lines;
}

using Lines = std::vector<std::string>;

TEST(Utf16File, ReadWithEveryLineEndAndEitherByteOrder) {
    for (const bool bigEndian : {false, true}) {
        SCOPED_TRACE(bigEndian ? "big-endian" : "little-endian");
        ComparisonState state;
        LoadRawText(state, 0, Utf16(U"a\r\nb\rc\nd\n\re", bigEndian));
        const RawStore& raw = state.RawStack[0];
        ASSERT_EQ(raw.Count(), 6);
        const std::array<LineEnd, 6> ends = {LineEnd::CrLf, LineEnd::Cr, LineEnd::Lf,
                                             LineEnd::Lf,   LineEnd::Cr, LineEnd::None};
        for (int32_t j = 1; j <= 6; ++j) EXPECT_EQ(raw.End(j), ends[j - 1]) << "line " << j;
        EXPECT_EQ(raw.Text(4), "d");
        EXPECT_EQ(raw.Text(5), "");
        EXPECT_EQ(raw.Text(6), "e");
        EXPECT_EQ(RawLinesOf(Utf16(U"", bigEndian)), Lines{});
    }
}

TEST(Utf16File, FaultyUnitsBecomeReplacementCharacters) {
    const std::string replacement = "\xEF\xBF\xBD";
    // A low surrogate alone, a high one before a letter, a high one at the end.
    EXPECT_EQ(RawLinesOf(std::string("\xFF\xFE\x00\xDCx\x00\x3D\xD8y\x00\x3D\xD8", 12)),
              Lines{replacement + "x" + replacement + "y" + replacement});
    // An odd byte at the end, in either byte order.
    EXPECT_EQ(RawLinesOf(std::string("\xFE\xFF\x00z\x00", 5)), Lines{"z" + replacement});
    EXPECT_EQ(RawLinesOf(std::string("\xFF\xFEz\x00q", 5)), Lines{"z" + replacement});
}

TEST(Utf16File, LineLengthLimitCountsCharacters) {
    // 32,767 characters from outside the basic plane take 131,068 bytes as UTF-8.
    const std::u32string fits(32767, U'\U0001F600');
    ComparisonState state;
    LoadRawText(state, 0, Utf16(U"x\r\n" + fits, false));
    EXPECT_EQ(state.MaxLineLength(0), 32767);
    EXPECT_EQ(RawLinesOf(Utf16(U"x\r\n" + fits + U"y", true)),
              Lines{"refused: Line 2 is longer than 32,767 characters."});
}

TEST(Utf16File, OnlyTheByteOrderMarkLetsNulBytesThrough) {
    const std::string refused = "refused: It is not a text file.";
    EXPECT_EQ(RawLinesOf(std::string("a\x00"
                                     "b\x00",
                                     4)),
              Lines{refused});  // UTF-16 without mark
    // A NUL character among the first 8 KiB is no text in UTF-16 either (UTF-32 starts so).
    EXPECT_EQ(RawLinesOf(std::string("\xFF\xFE\x00\x00\x41\x00\x00\x00", 8)), Lines{refused});
    const std::string late = Utf16(std::u32string(TextProbeBytes / 2, U'a'), false);
    EXPECT_EQ(RawLinesOf(late + std::string("\x00\x00", 2)),
              Lines{std::string(TextProbeBytes / 2, 'a') + std::string(1, '\0')});
}

}  // namespace
}  // namespace dualis
