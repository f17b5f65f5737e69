#include "LineEnds.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace dualis {
namespace {

size_t SlowCount(const std::string& text) {
    size_t lines = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const bool end = text[i] == '\r' || (text[i] == '\n' && (i == 0 || text[i - 1] != '\r'));
        lines += end ? 1 : 0;
    }
    const bool lastEnded = !text.empty() && (text.back() == '\r' || text.back() == '\n');
    return lines + (text.empty() || lastEnded ? 0 : 1);
}

// Texts of CR, LF and other bytes (those next to CR and LF in value among them, and bytes with
// the high bit), at every length across the block sizes, from every starting byte of a buffer,
// so that line ends fall on every place in and across the blocks.
TEST(LineEnds, FoundAndCountedAsOneByteAtATime) {
    std::mt19937 random(7);
    const std::string alphabet = "\r\n\r\nx\x0c\x0e\x0b\x8d\x8a\xff ";
    for (int round = 0; round < 3000; ++round) {
        const size_t length = random() % 600;
        std::string buffer(length + 32, 'y');
        const size_t offset = random() % 16;
        const bool sparse = round % 3 == 0;  // long lines, so that whole blocks hold no end
        for (size_t i = 0; i < length; ++i) {
            const size_t pick = random() % (sparse ? alphabet.size() * 40 : alphabet.size());
            buffer[offset + i] = pick < alphabet.size() ? alphabet[pick] : 'z';
        }
        const std::string text = buffer.substr(offset, length);
        const char* begin = buffer.data() + offset;
        const char* end = begin + length;
        ASSERT_EQ(CountLines(begin, end), SlowCount(text)) << round;
        for (const char* p = begin; p <= end; p += 1 + random() % 5) {
            const char* slow = p;
            while (slow < end && *slow != '\r' && *slow != '\n') ++slow;
            ASSERT_EQ(FindLineEnd(p, end), slow) << round;
        }
    }
}

TEST(LineEnds, CountsPastTheLaneLimit) {
    // Every byte a line end, over more than 255 blocks of sixteen, the most a byte lane counts
    // before the lanes are summed.
    for (const char end : {'\r', '\n'}) {
        std::string text(300 * 16 + 5, end);
        EXPECT_EQ(CountLines(text.data(), text.data() + text.size()), text.size());
        text += "tail";
        EXPECT_EQ(CountLines(text.data(), text.data() + text.size()), SlowCount(text));
    }
}

}  // namespace
}  // namespace dualis
