// The VBA compression read back: compressed and raw chunks, the copy tokens' changing bit
// split, and every way a container can be broken.
#include <gtest/gtest.h>

#include "Decompress.h"
#include "FormatError.h"
#include "OfficeWriter.h"

namespace dualis::office {
namespace {

std::string Text(size_t size) {
    std::string text;
    for (size_t k = 0; text.size() < size; ++k) {
        text += "Dim v" + std::to_string(k % 97) + " As Long ' line " + std::to_string(k) + "\r\n";
    }
    text.resize(size);
    return text;
}

std::string ReasonOf(std::string_view container, size_t limit = MaxDecompressedBytes) {
    try {
        Decompress(container, limit);
    } catch (const FormatError& e) {
        return e.what();
    }
    return "";
}

TEST(Decompress, CompressedAndRawChunksOfEverySizeComeBackAsWritten) {
    for (const size_t size : {0, 1, 3, 4095, 4096, 4097, 8192, 100000}) {
        const std::string text = Text(size);
        EXPECT_EQ(Decompress(test::Compress(text)), text) << size;
        // Raw chunks are always 4,096 bytes: the last one comes back padded with NUL bytes.
        std::string padded = text;
        padded.append((4096 - size % 4096) % 4096, '\0');
        EXPECT_EQ(Decompress(test::Compress(text, true)), padded) << size;
    }
}

TEST(Decompress, AHandMadeChunkWithTokensAtBothSplits) {
    // Flag 0b00000000 + 8 literals, flag 0b00000000 + 8 literals, then flag 0b00000011:
    // a token at position 16 (4 offset bits) and one at 35 (6 offset bits).
    std::string body = std::string(1, '\0') + "abcdefgh" + std::string(1, '\0') + "ijklmnop";
    body += '\x03';
    body += std::string("\x10\xF0", 2);  // offset 16, length 19 at position 16
    body += std::string("\x00\x88", 2);  // offset 35 (34 << 10), length 3 at position 35
    std::string container = "\x01";
    const uint16_t header = static_cast<uint16_t>(0xB000 | (body.size() - 1));
    container += static_cast<char>(header & 0xFF);
    container += static_cast<char>(header >> 8);
    container += body;
    EXPECT_EQ(Decompress(container), "abcdefghijklmnopabcdefghijklmnopabcabc");
}

TEST(Decompress, BytesAfterTheLastChunkAreIgnored) {
    const std::string text = Text(5000);
    const std::string container = test::Compress(text);
    EXPECT_EQ(Decompress(container + "\x00"), text);
    EXPECT_EQ(Decompress(container + std::string("\x00\x00\x00\x00", 4)), text);
    EXPECT_EQ(Decompress(container + "junk after the text"), text);
}

TEST(Decompress, BrokenContainersSayWhatIsWrong) {
    const std::string container = test::Compress(Text(5000));
    EXPECT_EQ(ReasonOf(""), "The compressed text does not start with its signature byte.");
    std::string wrongSignature = container;
    wrongSignature[0] = '\x02';
    EXPECT_EQ(ReasonOf(wrongSignature),
              "The compressed text does not start with its signature byte.");
    EXPECT_EQ(ReasonOf(container.substr(0, 100)), "A compressed chunk is cut short.");
    EXPECT_EQ(ReasonOf(std::string("\x01\x00\x00", 3)),
              "A compressed chunk's header is not valid.");
    // A copy token at position 1 reaching 2 bytes back.
    EXPECT_EQ(ReasonOf(std::string("\x01\x03\xB0\x02x\x00\x10", 7)),
              "A copy token reaches before the start of its chunk.");
    EXPECT_EQ(ReasonOf(std::string("\x01\x02\xB0\x02x\x00", 6)), "A copy token is cut short.");
}

TEST(Decompress, OutputBeyondTheLimitIsRefused) {
    const std::string container = test::Compress(std::string(100000, 'a'));
    EXPECT_EQ(ReasonOf(container, 100000), "");
    EXPECT_EQ(ReasonOf(test::Compress(std::string((2 << 20) + 1, 'a')), 2 << 20),
              "The decompressed text is larger than 2 MiB.");
    EXPECT_EQ(ReasonOf(test::Compress(std::string((2 << 20) + 1, 'a'), true), 2 << 20),
              "The decompressed text is larger than 2 MiB.");
}

}  // namespace
}  // namespace dualis::office
