#include "Zip.h"

#include "Bytes.h"
#include "Inflate.h"
#include "TextCodec.h"

namespace dualis::office {
namespace {

constexpr uint32_t EndSignature = 0x06054b50;
constexpr uint32_t Zip64EndSignature = 0x06064b50;
constexpr uint32_t Zip64LocatorSignature = 0x07064b50;
constexpr uint32_t CentralSignature = 0x02014b50;
constexpr uint32_t LocalSignature = 0x04034b50;
constexpr size_t EndBytes = 22;
constexpr size_t LocatorBytes = 20;

struct Directory {
    uint64_t Entries = 0, Size = 0, Offset = 0;
};

// The end-of-central-directory record is the last thing in the file but a comment of at most
// 65,535 bytes: the last signature that leaves room for its comment is it.
size_t FindEnd(std::string_view bytes) {
    if (bytes.size() < EndBytes) throw FormatError("The zip archive is cut short.");
    const size_t lowest = bytes.size() > EndBytes + 0xFFFF ? bytes.size() - EndBytes - 0xFFFF : 0;
    for (size_t at = bytes.size() - EndBytes + 1; at-- > lowest;) {
        if (ReadU32(bytes, at) == EndSignature &&
            at + EndBytes + ReadU16(bytes, at + 20) <= bytes.size()) {
            return at;
        }
    }
    throw FormatError("The zip archive has no central directory.");
}

Directory ReadEnd(std::string_view bytes) {
    const size_t end = FindEnd(bytes);
    ByteCursor c(bytes.substr(end), "The zip archive's end record");
    c.Skip(10);
    Directory dir;
    dir.Entries = c.U16();
    dir.Size = c.U32();
    dir.Offset = c.U32();
    if (dir.Entries != 0xFFFF && dir.Size != 0xFFFFFFFF && dir.Offset != 0xFFFFFFFF) return dir;
    // A Zip64 archive: the locator stands just before the end record.
    if (end < LocatorBytes || ReadU32(bytes, end - LocatorBytes) != Zip64LocatorSignature) {
        return dir;
    }
    ByteCursor locator(bytes.substr(end - LocatorBytes), "The zip archive's Zip64 locator");
    locator.Skip(8);
    const uint64_t at = locator.U64();
    if (at >= bytes.size()) throw FormatError("The zip archive's Zip64 record lies past its end.");
    ByteCursor record(bytes.substr(at), "The zip archive's Zip64 record");
    if (record.U32() != Zip64EndSignature)
        throw FormatError("The zip archive's Zip64 record is missing.");
    record.Skip(8 + 2 + 2 + 4 + 4 + 8);
    dir.Entries = record.U64();
    dir.Size = record.U64();
    dir.Offset = record.U64();
    return dir;
}

// Sizes and offset too large for 32 bits are in the entry's Zip64 extra field, in this order,
// each only when its 32-bit field is all ones.
void ReadZip64Extra(std::string_view extra, ZipEntry& entry) {
    ByteCursor c(extra, "A zip entry's extra field");
    while (c.Left() >= 4) {
        const uint16_t id = c.U16();
        const uint16_t size = c.U16();
        ByteCursor field(c.Take(size), "A zip entry's Zip64 field");
        if (id != 0x0001) continue;
        if (entry.Size == 0xFFFFFFFF) entry.Size = field.U64();
        if (entry.CompressedSize == 0xFFFFFFFF) entry.CompressedSize = field.U64();
        if (entry.HeaderOffset == 0xFFFFFFFF) entry.HeaderOffset = field.U64();
        return;
    }
}

}  // namespace

ZipArchive::ZipArchive(std::string_view bytes) : bytes_(bytes) {
    const Directory dir = ReadEnd(bytes);
    if (dir.Offset > bytes.size() || dir.Size > bytes.size() - dir.Offset) {
        throw FormatError("The zip archive's central directory lies past its end.");
    }
    // Each entry takes at least 46 bytes, so a count beyond that is a lie.
    if (dir.Entries > dir.Size / 46) {
        throw FormatError("The zip archive's central directory is cut short.");
    }
    ByteCursor c(bytes.substr(dir.Offset, dir.Size), "The zip archive's central directory");
    entries_.reserve(dir.Entries);
    for (uint64_t k = 0; k < dir.Entries; ++k) {
        if (c.U32() != CentralSignature) {
            throw FormatError("The zip archive's central directory is damaged.");
        }
        ZipEntry entry;
        c.Skip(4);
        entry.Flags = c.U16();
        entry.Method = c.U16();
        c.Skip(4);
        entry.Crc = c.U32();
        entry.CompressedSize = c.U32();
        entry.Size = c.U32();
        const uint16_t nameBytes = c.U16(), extraBytes = c.U16(), commentBytes = c.U16();
        c.Skip(8);
        entry.HeaderOffset = c.U32();
        const std::string_view name = c.Take(nameBytes);
        // Bit 11 marks UTF-8 names; others are in the old PC code page, which an Office
        // package's ASCII part names never leave.
        entry.Name = IsValidUtf8(name) ? std::string(name) : RepairUtf8(name);
        ReadZip64Extra(c.Take(extraBytes), entry);
        c.Skip(commentBytes);
        entries_.push_back(std::move(entry));
    }
}

const ZipEntry* ZipArchive::Find(std::string_view name) const {
    for (const ZipEntry& entry : entries_) {
        if (EqualsIgnoringAsciiCase(entry.Name, name)) return &entry;
    }
    return nullptr;
}

std::string ZipArchive::Read(const ZipEntry& entry, size_t limit) const {
    const std::string label = "The part \"" + entry.Name + "\"";
    if (entry.Flags & 0x0001) throw FormatError(label + " is encrypted.");
    if (entry.Size > limit) {
        throw FormatError(label + " is larger than " + std::to_string(limit >> 20) + " MiB.");
    }
    if (entry.HeaderOffset > bytes_.size())
        throw FormatError(label + " lies past the archive's end.");
    ByteCursor local(bytes_.substr(entry.HeaderOffset), label + "'s header");
    if (local.U32() != LocalSignature) throw FormatError(label + "'s header is missing.");
    local.Skip(22);
    const uint16_t nameBytes = local.U16(), extraBytes = local.U16();
    local.Skip(static_cast<size_t>(nameBytes) + extraBytes);
    if (entry.CompressedSize > local.Left()) throw FormatError(label + " is cut short.");
    const std::string_view data = local.Take(entry.CompressedSize);
    std::string out;
    if (entry.Method == 0) {
        out.assign(data);
    } else if (entry.Method == 8) {
        try {
            out = Inflate(data, DeflateWrapping::Raw, limit);
        } catch (const FormatError& e) {
            throw FormatError(label + ": " + e.what());
        }
    } else {
        throw FormatError(label + " is compressed in a way Dualis cannot read (method " +
                          std::to_string(entry.Method) + ").");
    }
    if (out.size() != entry.Size) throw FormatError(label + " is not of its stated size.");
    if (Crc32(out) != entry.Crc) throw FormatError(label + " fails its checksum.");
    return out;
}

}  // namespace dualis::office
