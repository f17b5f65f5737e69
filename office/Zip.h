// A zip archive (the package of an Office Open XML document) read from its central directory:
// the list of entries at the end of the file, each pointing at its local header and data.
// Stored and deflated entries are read; the sizes and offsets the archive gives are checked
// against the file and each other, and the data against its CRC-32.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace dualis::office {

inline constexpr std::string_view ZipSignature = "PK\x03\x04";

struct ZipEntry {
    std::string Name;  // as stored: "/"-separated, no leading "/"
    uint16_t Method = 0;
    uint16_t Flags = 0;
    uint32_t Crc = 0;
    uint64_t CompressedSize = 0;
    uint64_t Size = 0;
    uint64_t HeaderOffset = 0;  // of the local header
};

class ZipArchive {
  public:
    // Reads the central directory of the archive's bytes, which must outlive the object. Raises
    // FormatError.
    explicit ZipArchive(std::string_view bytes);

    const std::vector<ZipEntry>& Entries() const { return entries_; }
    // The entry of that name, compared without regard to the case of ASCII letters (part names
    // of a package are); null when there is none.
    const ZipEntry* Find(std::string_view name) const;
    // The entry's bytes; one that would be larger than `limit` raises FormatError, as do an
    // encrypted entry, a method other than stored or deflated, and a wrong CRC-32.
    std::string Read(const ZipEntry& entry, size_t limit) const;

  private:
    std::string_view bytes_;
    std::vector<ZipEntry> entries_;
};

}  // namespace dualis::office
