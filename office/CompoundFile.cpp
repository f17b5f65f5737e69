#include "CompoundFile.h"

#include <algorithm>

#include "Bytes.h"
#include "TextCodec.h"

namespace dualis::office {
namespace {

constexpr uint32_t EndOfChain = 0xFFFFFFFE;
constexpr uint32_t FreeSector = 0xFFFFFFFF;
constexpr uint32_t LastRegularSector = 0xFFFFFFFA;
constexpr size_t HeaderBytes = 512;
constexpr size_t EntryBytes = 128;
constexpr size_t MiniSectorSize = 64;

std::string StreamLabel(const DirectoryEntry& entry) {
    return "The stream \"" + entry.Name + "\"";
}

// The entries of a table sector (FAT, mini FAT, DIFAT) appended to `table`; a sector cut short
// by the end of the file lists only its whole entries.
void AppendEntries(std::string_view sector, size_t count, std::vector<uint32_t>& table) {
    count = std::min(count, sector.size() / 4);
    for (size_t k = 0; k < count; ++k) table.push_back(ReadU32(sector, 4 * k));
}

}  // namespace

CompoundFile::CompoundFile(std::string_view bytes) : bytes_(bytes) {
    if (bytes.size() < HeaderBytes) throw FormatError("The compound file is cut short.");
    if (!bytes.starts_with(CompoundFileSignature)) {
        throw FormatError("It is not a compound file.");
    }
    const std::string_view header = bytes.substr(0, HeaderBytes);
    sectorShift_ = ReadU16(header, 30);
    if ((sectorShift_ != 9 && sectorShift_ != 12) || ReadU16(header, 32) != 6) {
        throw FormatError("The compound file's sector size is not valid.");
    }
    sectorSize_ = size_t{1} << sectorShift_;
    sectorCount_ = bytes.size() > sectorSize_ ? (bytes.size() - 1) / sectorSize_ : 0;
    miniCutoff_ = ReadU32(header, 56);
    ReadFat(header);
    ReadDirectory(ReadU32(header, 48));
    if (entries_.empty() || entries_[RootEntry].Kind != EntryKind::Root) {
        throw FormatError("The compound file has no root storage.");
    }
    CheckTree();
    // The mini stream is the root's own stream; its sectors are chained by the mini FAT.
    const DirectoryEntry& root = entries_[RootEntry];
    if (root.Size > 0) {
        const size_t needed = (root.Size + sectorSize_ - 1) >> sectorShift_;
        if (needed > sectorCount_)
            throw FormatError("The compound file's mini stream is cut short.");
        miniStream_.reserve(needed * sectorSize_);
        for (const uint32_t s : Chain(root.Start, fat_, sectorCount_, needed, "The mini stream")) {
            miniStream_.append(Sector(s));
        }
        if (miniStream_.size() < root.Size) {
            throw FormatError("The compound file's mini stream is cut short.");
        }
        miniStream_.resize(root.Size);
        const uint32_t miniFatStart = ReadU32(header, 60);
        if (miniFatStart != EndOfChain && miniFatStart != FreeSector) {
            for (const uint32_t s :
                 Chain(miniFatStart, fat_, sectorCount_, sectorCount_, "The mini FAT")) {
                AppendEntries(Sector(s), sectorSize_ / 4, miniFat_);
            }
        }
    }
}

std::string_view CompoundFile::Sector(uint32_t sector) const {
    if (sector >= sectorCount_) throw FormatError("A sector lies past the end of the file.");
    const size_t start = (static_cast<size_t>(sector) + 1) << sectorShift_;
    return bytes_.substr(start, sectorSize_);
}

std::vector<uint32_t> CompoundFile::Chain(uint32_t start, const std::vector<uint32_t>& table,
                                          size_t sectorCount, size_t maxLength,
                                          const std::string& what) const {
    std::vector<uint32_t> chain;
    std::vector<bool> visited(std::min(table.size(), sectorCount), false);
    for (uint32_t s = start; s != EndOfChain && chain.size() < maxLength; s = table[s]) {
        if (s >= LastRegularSector) throw FormatError(what + "'s sector chain is broken.");
        if (s >= visited.size()) throw FormatError(what + "'s sector chain leaves the file.");
        if (visited[s]) throw FormatError(what + "'s sector chain loops.");
        visited[s] = true;
        chain.push_back(s);
    }
    return chain;
}

void CompoundFile::ReadFat(std::string_view header) {
    const uint32_t fatSectors = ReadU32(header, 44);
    if (fatSectors > sectorCount_) throw FormatError("The FAT is larger than the file.");
    std::vector<uint32_t> listed;
    AppendEntries(header.substr(76), 109, listed);
    // The FAT's sectors past the first 109 are listed in the DIFAT chain, whose sectors end
    // with the number of the next one.
    uint32_t difat = ReadU32(header, 68);
    size_t difatSectors = 0;
    while (difat != EndOfChain && difat != FreeSector && listed.size() < fatSectors) {
        if (++difatSectors > sectorCount_) throw FormatError("The DIFAT's sector chain loops.");
        const std::string_view sector = Sector(difat);
        if (sector.size() < sectorSize_) throw FormatError("The DIFAT is cut short.");
        AppendEntries(sector, sectorSize_ / 4 - 1, listed);
        difat = ReadU32(sector, sectorSize_ - 4);
    }
    for (size_t k = 0; k < listed.size() && k < fatSectors; ++k) {
        if (listed[k] == FreeSector) continue;
        AppendEntries(Sector(listed[k]), sectorSize_ / 4, fat_);
    }
}

void CompoundFile::ReadDirectory(uint32_t first) {
    for (const uint32_t s : Chain(first, fat_, sectorCount_, sectorCount_, "The directory")) {
        const std::string_view sector = Sector(s);
        for (size_t at = 0; at + EntryBytes <= sector.size(); at += EntryBytes) {
            const std::string_view raw = sector.substr(at, EntryBytes);
            DirectoryEntry entry;
            switch (static_cast<uint8_t>(raw[66])) {
                case 1:
                    entry.Kind = EntryKind::Storage;
                    break;
                case 2:
                    entry.Kind = EntryKind::Stream;
                    break;
                case 5:
                    entry.Kind = EntryKind::Root;
                    break;
                default:
                    entry.Kind = EntryKind::Empty;
                    break;
            }
            // The name's length counts its bytes with the closing NUL character.
            const size_t nameBytes = std::min<size_t>(ReadU16(raw, 64), 64);
            entry.Name =
                Utf16AsUtf8(raw.substr(0, nameBytes >= 2 ? (nameBytes - 2) & ~1u : 0), false);
            entry.Left = ReadU32(raw, 68);
            entry.Right = ReadU32(raw, 72);
            entry.Child = ReadU32(raw, 76);
            entry.Start = ReadU32(raw, 116);
            entry.Size = ReadU32(raw, 120);
            // Files of 512-byte sectors may leave anything in the size's high half.
            if (sectorShift_ == 12) entry.Size |= static_cast<uint64_t>(ReadU32(raw, 124)) << 32;
            entries_.push_back(std::move(entry));
        }
    }
}

void CompoundFile::CheckTree() {
    std::vector<bool> seen(entries_.size(), false);
    std::vector<uint32_t> pending{RootEntry};
    seen[RootEntry] = true;
    const auto visit = [&](uint32_t id) {
        if (id == NoEntry) return;
        if (id >= entries_.size() || entries_[id].Kind == EntryKind::Empty ||
            entries_[id].Kind == EntryKind::Root) {
            throw FormatError("The compound file's directory names an entry that is not there.");
        }
        if (seen[id]) throw FormatError("The compound file's directory tree loops.");
        seen[id] = true;
        pending.push_back(id);
    };
    while (!pending.empty()) {
        const DirectoryEntry& entry = entries_[pending.back()];
        pending.pop_back();
        if (&entry != &entries_[RootEntry]) {
            visit(entry.Left);
            visit(entry.Right);
        }
        if (entry.Kind != EntryKind::Stream) {
            visit(entry.Child);
        } else if (entry.Child != NoEntry) {
            throw FormatError("A stream of the compound file has children.");
        }
    }
}

std::vector<uint32_t> CompoundFile::Children(uint32_t storage) const {
    std::vector<uint32_t> children, pending;
    // In order: the left subtree, the entry, the right subtree. CheckTree made sure that the
    // tree has no loops.
    uint32_t id = entries_[storage].Child;
    while (id != NoEntry || !pending.empty()) {
        while (id != NoEntry) {
            pending.push_back(id);
            id = entries_[id].Left;
        }
        id = pending.back();
        pending.pop_back();
        children.push_back(id);
        id = entries_[id].Right;
    }
    return children;
}

std::optional<uint32_t> CompoundFile::Find(uint32_t storage, std::string_view name,
                                           std::optional<EntryKind> kind) const {
    for (const uint32_t id : Children(storage)) {
        if (EqualsIgnoringAsciiCase(entries_[id].Name, name) &&
            (!kind || entries_[id].Kind == *kind)) {
            return id;
        }
    }
    return std::nullopt;
}

std::string CompoundFile::Read(uint32_t stream, uint64_t limit) const {
    const DirectoryEntry& entry = entries_[stream];
    if (entry.Size > limit) {
        throw FormatError(StreamLabel(entry) + " is larger than " + std::to_string(limit >> 20) +
                          " MiB.");
    }
    if (entry.Size > bytes_.size())
        throw FormatError(StreamLabel(entry) + " is larger than the file.");
    const size_t size = static_cast<size_t>(entry.Size);
    std::string out;
    out.reserve(size);
    const bool mini = entry.Size < miniCutoff_ && entry.Kind == EntryKind::Stream;
    if (mini) {
        const size_t needed = (size + MiniSectorSize - 1) / MiniSectorSize;
        const size_t miniSectors = (miniStream_.size() + MiniSectorSize - 1) / MiniSectorSize;
        for (const uint32_t s :
             Chain(entry.Start, miniFat_, miniSectors, needed, StreamLabel(entry))) {
            out.append(std::string_view(miniStream_).substr(s * MiniSectorSize, MiniSectorSize));
        }
    } else {
        const size_t needed = (size + sectorSize_ - 1) >> sectorShift_;
        for (const uint32_t s :
             Chain(entry.Start, fat_, sectorCount_, needed, StreamLabel(entry))) {
            out.append(Sector(s));
        }
    }
    if (out.size() < size) throw FormatError(StreamLabel(entry) + " ends before its stated size.");
    out.resize(size);
    return out;
}

}  // namespace dualis::office
