// The compound-file reader on files the tests write: storages, mini and regular streams, both
// sector sizes, a FAT beyond the header's list; and on every way such a file can lie.
#include <gtest/gtest.h>

#include "CompoundFile.h"
#include "FormatError.h"
#include "OfficeWriter.h"

namespace dualis::office {
namespace {

using test::CompoundFileWriter;

std::string Bytes(size_t size, char seed) {
    std::string s(size, '\0');
    for (size_t k = 0; k < size; ++k) s[k] = static_cast<char>(seed + k * 7 + k / 251);
    return s;
}

std::string Numbered(const char* prefix, size_t k) {
    std::string name = prefix;
    name += std::to_string(k);
    return name;
}

std::string ReasonOf(const std::string& file, const std::string& stream = "") {
    try {
        const CompoundFile cf(file);
        if (!stream.empty()) cf.Read(*cf.Find(CompoundFile::RootEntry, stream), 1 << 30);
    } catch (const FormatError& e) {
        return e.what();
    }
    return "";
}

void PutU32(std::string& file, size_t at, uint32_t v) {
    for (int k = 0; k < 4; ++k) file[at + k] = static_cast<char>((v >> (8 * k)) & 0xFF);
}

uint32_t U32At(const std::string& file, size_t at) {
    uint32_t v = 0;
    for (int k = 0; k < 4; ++k)
        v |= static_cast<uint32_t>(static_cast<uint8_t>(file[at + k])) << (8 * k);
    return v;
}

TEST(CompoundFile, StoragesAndStreamsOfEverySizeReadBackInBothSectorSizes) {
    CompoundFileWriter writer;
    const std::vector<size_t> sizes{0, 1, 63, 64, 4095, 4096, 4097, 70000};
    for (size_t k = 0; k < sizes.size(); ++k) {
        writer.AddStream(Numbered("Store/Inner/s", k), Bytes(sizes[k], static_cast<char>(k)));
    }
    writer.AddStream("Top", "top");
    writer.AddStorage("Empty");
    for (const unsigned shift : {9u, 12u}) {
        const std::string file = writer.Build(shift);
        const CompoundFile cf(file);
        const auto store = cf.Find(CompoundFile::RootEntry, "store", EntryKind::Storage);
        ASSERT_TRUE(store);
        EXPECT_FALSE(cf.Find(CompoundFile::RootEntry, "Store", EntryKind::Stream));
        const auto inner = cf.Find(*store, "INNER");
        ASSERT_TRUE(inner);
        for (size_t k = 0; k < sizes.size(); ++k) {
            const auto s = cf.Find(*inner, Numbered("s", k), EntryKind::Stream);
            ASSERT_TRUE(s) << k;
            EXPECT_EQ(cf.Read(*s, 1 << 20), Bytes(sizes[k], static_cast<char>(k)))
                << k << " " << shift;
        }
        EXPECT_EQ(cf.Read(*cf.Find(CompoundFile::RootEntry, "Top"), 10), "top");
        std::vector<std::string> names;
        for (const uint32_t id : cf.Children(CompoundFile::RootEntry))
            names.push_back(cf.Entry(id).Name);
        EXPECT_EQ(names, (std::vector<std::string>{"Top", "Empty", "Store"}));
        EXPECT_TRUE(cf.Children(*cf.Find(CompoundFile::RootEntry, "Empty")).empty());
    }
}

TEST(CompoundFile, AFatLongerThanTheHeaderListsIsFoundThroughTheDifat) {
    // 109 FAT sectors of 128 entries cover about 7 MB of 512-byte sectors.
    CompoundFileWriter writer;
    writer.AddStream("big", Bytes(8 << 20, 'b'));
    const std::string file = writer.Build();
    ASSERT_NE(U32At(file, 68), 0xFFFFFFFEu);  // the DIFAT is used
    const CompoundFile cf(file);
    EXPECT_EQ(cf.Read(*cf.Find(CompoundFile::RootEntry, "big"), 16 << 20), Bytes(8 << 20, 'b'));
}

TEST(CompoundFile, AStreamLargerThanTheLimitIsRefused) {
    CompoundFileWriter writer;
    writer.AddStream("s", Bytes(3 << 20, 's'));
    const std::string file = writer.Build();
    const CompoundFile cf(file);
    try {
        cf.Read(*cf.Find(CompoundFile::RootEntry, "s"), 2 << 20);
        FAIL();
    } catch (const FormatError& e) {
        EXPECT_STREQ(e.what(), "The stream \"s\" is larger than 2 MiB.");
    }
}

TEST(CompoundFile, ChainsThatLoopOrLeaveTheFileAreRefused) {
    CompoundFileWriter writer;
    writer.AddStream("big", Bytes(20000, 'x'));
    const std::string file = writer.Build();
    // The stream takes sectors 0 to 39: make sector 10 lead back to 5, then out of the file.
    std::string loop = file;
    PutU32(loop, test::FatEntryOffset(loop, 10), 5);
    EXPECT_EQ(ReasonOf(loop, "big"), "The stream \"big\"'s sector chain loops.");
    std::string out = file;
    PutU32(out, test::FatEntryOffset(out, 10), 100000);
    EXPECT_EQ(ReasonOf(out, "big"), "The stream \"big\"'s sector chain leaves the file.");
    std::string freed = file;
    PutU32(freed, test::FatEntryOffset(freed, 10), 0xFFFFFFFF);
    EXPECT_EQ(ReasonOf(freed, "big"), "The stream \"big\"'s sector chain is broken.");
    std::string early = file;
    PutU32(early, test::FatEntryOffset(early, 10), 0xFFFFFFFE);
    EXPECT_EQ(ReasonOf(early, "big"), "The stream \"big\" ends before its stated size.");
}

TEST(CompoundFile, SizesAndPlacesThatLieAreRefused) {
    CompoundFileWriter writer;
    writer.AddStream("a", "small");
    writer.AddStream("b", "other");
    const std::string file = writer.Build();
    EXPECT_EQ(ReasonOf(file.substr(0, 300)), "The compound file is cut short.");
    EXPECT_EQ(ReasonOf("PK" + file.substr(2)), "It is not a compound file.");
    std::string sector = file;
    sector[30] = 10;
    EXPECT_EQ(ReasonOf(sector), "The compound file's sector size is not valid.");
    std::string fat = file;
    PutU32(fat, 44, 1000000);
    EXPECT_EQ(ReasonOf(fat), "The FAT is larger than the file.");
    std::string dir = file;
    PutU32(dir, 48, 5000);
    EXPECT_EQ(ReasonOf(dir), "The directory's sector chain leaves the file.");
    // The directory's entries: the root at the first directory sector, then a and b.
    const size_t root = (static_cast<size_t>(U32At(file, 48)) + 1) * 512;
    std::string huge = file;
    PutU32(huge, root + 128 + 120, 0x00100000);
    EXPECT_EQ(ReasonOf(huge, "b"), "The stream \"b\" is larger than the file.");
    std::string child = file;
    PutU32(child, root + 76, 40);
    EXPECT_EQ(ReasonOf(child), "The compound file's directory names an entry that is not there.");
    std::string loop = file;
    const uint32_t first = U32At(file, root + 76);
    PutU32(loop, root + 128 * first + 68, first);
    EXPECT_EQ(ReasonOf(loop), "The compound file's directory tree loops.");
    std::string noRoot = file;
    noRoot[root + 66] = 1;
    EXPECT_EQ(ReasonOf(noRoot), "The compound file has no root storage.");
}

}  // namespace
}  // namespace dualis::office
