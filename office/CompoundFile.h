// A compound file (the container of .xls, .doc, .ppt and vbaProject.bin): a small file system
// of storages and streams inside one file, kept in fixed-size sectors.
//
// The header (512 bytes) gives the sector size (512 or 4,096), the first sectors of the
// allocation table (FAT) and where the rest of the table's sectors are listed (the DIFAT
// chain). The FAT maps each sector to the next one of its chain. The directory is a chain of
// 128-byte entries: the root storage (entry 0), storages and streams, each storage's children
// kept as a red-black tree of siblings. Streams smaller than 4,096 bytes live in the mini
// stream, in 64-byte sectors, chained by the mini FAT.
//
// Everything the file says is checked before it is used: a chain that loops, leaves the file
// or runs short of a stream's size, a tree whose entries repeat, a size beyond the file. Each
// raises FormatError with the reason.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dualis::office {

inline constexpr std::string_view CompoundFileSignature = "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1";

enum class EntryKind : uint8_t { Empty, Storage, Stream, Root };

struct DirectoryEntry {
    std::string Name;  // decoded from UTF-16 to UTF-8
    EntryKind Kind = EntryKind::Stream;
    uint64_t Size = 0;  // a stream's bytes
    uint32_t Start = 0;
    uint32_t Left = 0, Right = 0, Child = 0;  // entry numbers; NoEntry when none
};

class CompoundFile {
  public:
    static constexpr uint32_t NoEntry = 0xFFFFFFFF;
    static constexpr uint32_t RootEntry = 0;

    // Reads the header, the allocation tables and the directory of the file's bytes, which
    // must outlive the object. Raises FormatError.
    explicit CompoundFile(std::string_view bytes);

    const DirectoryEntry& Entry(uint32_t id) const { return entries_[id]; }
    // The children of a storage (or the root), in the tree's order.
    std::vector<uint32_t> Children(uint32_t storage) const;
    // The child of that name (compared without regard to the case of ASCII letters), of the
    // kind when given.
    std::optional<uint32_t> Find(uint32_t storage, std::string_view name,
                                 std::optional<EntryKind> kind = std::nullopt) const;
    // A stream's bytes; one larger than `limit` raises FormatError.
    std::string Read(uint32_t stream, uint64_t limit) const;

  private:
    std::vector<uint32_t> Chain(uint32_t start, const std::vector<uint32_t>& table,
                                size_t sectorCount, size_t maxLength,
                                const std::string& what) const;
    std::string_view Sector(uint32_t sector) const;
    void ReadFat(std::string_view header);
    void ReadDirectory(uint32_t first);
    void CheckTree();

    std::string_view bytes_;
    unsigned sectorShift_ = 9;
    size_t sectorSize_ = 512;
    size_t sectorCount_ = 0;  // whole or partial sectors after the header
    uint32_t miniCutoff_ = 4096;
    std::vector<uint32_t> fat_;
    std::vector<uint32_t> miniFat_;
    std::string miniStream_;
    std::vector<DirectoryEntry> entries_;
};

}  // namespace dualis::office
