// The containers and the compression of the test documents.
#include "OfficeWriter.h"

#include <iconv.h>
#include <zlib.h>

#include <algorithm>
#include <stdexcept>

namespace dualis::office::test {
namespace {

constexpr size_t ChunkBytes = 4096;

void PutU16(std::string& out, uint16_t v) {
    out += static_cast<char>(v & 0xFF);
    out += static_cast<char>(v >> 8);
}
void PutU32(std::string& out, uint32_t v) {
    PutU16(out, static_cast<uint16_t>(v & 0xFFFF));
    PutU16(out, static_cast<uint16_t>(v >> 16));
}

unsigned OffsetBits(size_t position) {
    unsigned bits = 4;
    while ((size_t{1} << bits) < position) ++bits;
    return bits;
}

// One chunk's tokens: the longest earlier match of at least 3 bytes, found through chains of
// positions by their first three bytes.
std::string CompressChunk(std::string_view chunk) {
    std::string out;
    std::map<uint32_t, std::vector<size_t>> seen;
    const auto key = [&](size_t p) {
        return static_cast<uint32_t>(static_cast<uint8_t>(chunk[p]) |
                                     (static_cast<uint8_t>(chunk[p + 1]) << 8) |
                                     (static_cast<uint8_t>(chunk[p + 2]) << 16));
    };
    const auto remember = [&](size_t p) {
        if (p + 3 <= chunk.size()) seen[key(p)].push_back(p);
    };
    size_t p = 0;
    while (p < chunk.size()) {
        const size_t flagAt = out.size();
        out += '\0';
        uint8_t flags = 0;
        for (int bit = 0; bit < 8 && p < chunk.size(); ++bit) {
            size_t bestLength = 0, bestOffset = 0;
            if (p > 0 && p + 3 <= chunk.size()) {
                const unsigned bits = OffsetBits(p);
                const size_t maxLength = (0xFFFFu >> bits) + 3;
                const auto found = seen.find(key(p));
                if (found != seen.end()) {
                    const auto& positions = found->second;
                    int tries = 0;
                    for (auto q = positions.rbegin(); q != positions.rend() && tries < 64;
                         ++q, ++tries) {
                        size_t length = 0;
                        while (p + length < chunk.size() && length < maxLength &&
                               chunk[*q + length] == chunk[p + length]) {
                            ++length;
                        }
                        if (length > bestLength) bestLength = length, bestOffset = p - *q;
                    }
                }
                if (bestLength >= 3) {
                    const uint16_t token =
                        static_cast<uint16_t>(((bestOffset - 1) << (16 - bits)) | (bestLength - 3));
                    PutU16(out, token);
                    flags |= static_cast<uint8_t>(1u << bit);
                    for (size_t k = 0; k < bestLength; ++k) remember(p + k);
                    p += bestLength;
                    continue;
                }
            }
            out += chunk[p];
            remember(p);
            ++p;
        }
        out[flagAt] = static_cast<char>(flags);
    }
    return out;
}

struct DirEntryOut {
    std::string Name;
    uint8_t Type = 2;
    uint32_t Left = 0xFFFFFFFF, Right = 0xFFFFFFFF, Child = 0xFFFFFFFF;
    uint32_t Start = 0xFFFFFFFE;
    uint64_t Size = 0;
};

}  // namespace

std::string Compress(std::string_view bytes, bool raw) {
    std::string out = "\x01";
    for (size_t start = 0; start < bytes.size(); start += ChunkBytes) {
        const std::string_view chunk = bytes.substr(start, ChunkBytes);
        const std::string body = raw ? std::string() : CompressChunk(chunk);
        if (raw || body.size() > ChunkBytes) {
            PutU16(out, 0x3FFF);
            out.append(chunk);
            out.append(ChunkBytes - chunk.size(), '\0');
        } else {
            PutU16(out, static_cast<uint16_t>(0xB000 | (body.size() - 1)));
            out += body;
        }
    }
    return out;
}

std::string Encode(std::string_view utf8, uint32_t codePage) {
    const std::string name = "CP" + std::to_string(codePage);
    iconv_t cd = iconv_open(name.c_str(), "UTF-8");
    if (cd == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("no converter " + name);
    std::string out(utf8.size() * 4 + 4, '\0');
    char* in = const_cast<char*>(utf8.data());
    size_t inLeft = utf8.size(), outLeft = out.size();
    char* write = out.data();
    const size_t done = iconv(cd, &in, &inLeft, &write, &outLeft);
    iconv_close(cd);
    if (done == static_cast<size_t>(-1)) throw std::runtime_error("cannot encode in " + name);
    out.resize(out.size() - outLeft);
    return out;
}

std::string Utf16Le(std::string_view utf8) {
    std::string out;
    for (size_t k = 0; k < utf8.size();) {
        const auto b = static_cast<uint8_t>(utf8[k]);
        uint32_t c = b;
        size_t n = 1;
        if (b >= 0xF0)
            c = b & 0x07, n = 4;
        else if (b >= 0xE0)
            c = b & 0x0F, n = 3;
        else if (b >= 0xC0)
            c = b & 0x1F, n = 2;
        for (size_t j = 1; j < n; ++j) c = (c << 6) | (static_cast<uint8_t>(utf8[k + j]) & 0x3F);
        k += n;
        if (c >= 0x10000) {
            c -= 0x10000;
            PutU16(out, static_cast<uint16_t>(0xD800 | (c >> 10)));
            PutU16(out, static_cast<uint16_t>(0xDC00 | (c & 0x3FF)));
        } else {
            PutU16(out, static_cast<uint16_t>(c));
        }
    }
    return out;
}

CompoundFileWriter::Node& CompoundFileWriter::Storage(const std::string& path) {
    Node* node = &root_;
    size_t start = 0;
    while (start < path.size()) {
        const size_t slash = std::min(path.find('/', start), path.size());
        node = &node->Children[path.substr(start, slash - start)];
        start = slash + 1;
    }
    return *node;
}

void CompoundFileWriter::AddStorage(const std::string& path) {
    Storage(path);
}

void CompoundFileWriter::AddStream(const std::string& path, std::string bytes) {
    Node& node = Storage(path);
    node.Storage = false;
    node.Bytes = std::move(bytes);
}

std::string CompoundFileWriter::Build(unsigned sectorShift) const {
    const size_t sectorSize = size_t{1} << sectorShift;
    const uint32_t end = 0xFFFFFFFE, free = 0xFFFFFFFF;
    // The directory, storages' children as balanced trees in the order of the format: by
    // length, then by upper-case name.
    std::vector<DirEntryOut> entries(1);
    entries[0].Name = "Root Entry";
    entries[0].Type = 5;
    std::vector<const Node*> nodes{&root_};
    std::string miniStream, data;
    std::vector<uint32_t> fat, miniFat;
    const auto chain = [](std::vector<uint32_t>& table, size_t first, size_t count) {
        for (size_t k = 0; k < count; ++k) {
            table.push_back(k + 1 < count ? static_cast<uint32_t>(first + k + 1) : 0xFFFFFFFE);
        }
    };
    const auto addTree = [&](auto&& self, const Node& storage) -> uint32_t {
        std::vector<std::pair<std::string, const Node*>> children;
        for (const auto& [name, child] : storage.Children) children.emplace_back(name, &child);
        std::sort(children.begin(), children.end(), [](const auto& a, const auto& b) {
            std::string ua = a.first, ub = b.first;
            for (char& c : ua) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
            for (char& c : ub) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
            return a.first.size() != b.first.size() ? a.first.size() < b.first.size() : ua < ub;
        });
        const auto build = [&](auto&& tree, size_t lo, size_t hi) -> uint32_t {
            if (lo >= hi) return 0xFFFFFFFF;
            const size_t mid = (lo + hi) / 2;
            const uint32_t id = static_cast<uint32_t>(entries.size());
            entries.emplace_back();
            const Node& node = *children[mid].second;
            entries[id].Name = children[mid].first;
            entries[id].Type = node.Storage ? 1 : 2;
            if (!node.Storage) {
                entries[id].Size = node.Bytes.size();
                if (node.Bytes.size() < 4096) {
                    const size_t first = miniStream.size() / 64;
                    const size_t count = (node.Bytes.size() + 63) / 64;
                    if (count > 0) entries[id].Start = static_cast<uint32_t>(first);
                    miniStream += node.Bytes;
                    miniStream.append(count * 64 - node.Bytes.size(), '\0');
                    chain(miniFat, first, count);
                } else {
                    const size_t first = data.size() / sectorSize;
                    const size_t count = (node.Bytes.size() + sectorSize - 1) / sectorSize;
                    entries[id].Start = static_cast<uint32_t>(first);
                    data += node.Bytes;
                    data.append(count * sectorSize - node.Bytes.size(), '\0');
                    chain(fat, first, count);
                }
            } else {
                entries[id].Child = self(self, node);
            }
            entries[id].Left = tree(tree, lo, mid);
            entries[id].Right = tree(tree, mid + 1, hi);
            return id;
        };
        return build(build, 0, children.size());
    };
    entries[0].Child = addTree(addTree, root_);
    // The mini stream, the mini FAT and the directory follow the streams' sectors.
    const auto place = [&](std::string bytes) {
        const size_t first = data.size() / sectorSize;
        const size_t count = (bytes.size() + sectorSize - 1) / sectorSize;
        bytes.append(count * sectorSize - bytes.size(), '\0');
        data += bytes;
        chain(fat, first, count);
        return count > 0 ? static_cast<uint32_t>(first) : end;
    };
    entries[0].Size = miniStream.size();
    entries[0].Start = place(miniStream);
    std::string miniFatBytes;
    for (const uint32_t e : miniFat) PutU32(miniFatBytes, e);
    const uint32_t miniFatStart = place(miniFatBytes);
    const uint32_t miniFatSectors =
        static_cast<uint32_t>((miniFatBytes.size() + sectorSize - 1) / sectorSize);
    std::string dir;
    for (const DirEntryOut& e : entries) {
        std::string raw = Utf16Le(e.Name);
        const uint16_t nameBytes = static_cast<uint16_t>(raw.size() + 2);
        raw.resize(64, '\0');
        PutU16(raw, nameBytes);
        raw += static_cast<char>(e.Type);
        raw += '\x01';  // black
        PutU32(raw, e.Left);
        PutU32(raw, e.Right);
        PutU32(raw, e.Child);
        raw.append(16 + 4 + 16, '\0');
        PutU32(raw, e.Start);
        PutU32(raw, static_cast<uint32_t>(e.Size));
        PutU32(raw, static_cast<uint32_t>(e.Size >> 32));
        dir += raw;
    }
    const uint32_t dirStart = place(dir);
    const uint32_t dirSectors = static_cast<uint32_t>((dir.size() + sectorSize - 1) / sectorSize);
    // The FAT covers every sector, its own and the DIFAT's among them.
    const size_t perSector = sectorSize / 4;
    size_t fatSectors = 0, difatSectors = 0;
    for (;;) {
        const size_t total = data.size() / sectorSize + fatSectors + difatSectors;
        const size_t needFat = (total + perSector - 1) / perSector;
        const size_t needDifat =
            needFat > 109 ? (needFat - 109 + perSector - 2) / (perSector - 1) : 0;
        if (needFat == fatSectors && needDifat == difatSectors) break;
        fatSectors = needFat;
        difatSectors = needDifat;
    }
    const size_t fatFirst = data.size() / sectorSize;
    const size_t difatFirst = fatFirst + fatSectors;
    for (size_t k = 0; k < fatSectors; ++k) fat.push_back(0xFFFFFFFD);
    for (size_t k = 0; k < difatSectors; ++k) fat.push_back(0xFFFFFFFC);
    fat.resize(fatSectors * perSector, free);
    for (const uint32_t e : fat) PutU32(data, e);
    std::vector<uint32_t> fatList;
    for (size_t k = 0; k < fatSectors; ++k) fatList.push_back(static_cast<uint32_t>(fatFirst + k));
    for (size_t d = 0; d < difatSectors; ++d) {
        for (size_t k = 0; k < perSector - 1; ++k) {
            const size_t index = 109 + d * (perSector - 1) + k;
            PutU32(data, index < fatList.size() ? fatList[index] : free);
        }
        PutU32(data, d + 1 < difatSectors ? static_cast<uint32_t>(difatFirst + d + 1) : end);
    }
    std::string header = "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1";
    header.append(16, '\0');
    PutU16(header, 0x003E);
    PutU16(header, sectorShift == 12 ? 4 : 3);
    PutU16(header, 0xFFFE);
    PutU16(header, static_cast<uint16_t>(sectorShift));
    PutU16(header, 6);
    header.append(6, '\0');
    PutU32(header, sectorShift == 12 ? dirSectors : 0);
    PutU32(header, static_cast<uint32_t>(fatSectors));
    PutU32(header, dirStart);
    PutU32(header, 0);
    PutU32(header, 4096);
    PutU32(header, miniFatSectors > 0 ? miniFatStart : end);
    PutU32(header, miniFatSectors);
    PutU32(header, difatSectors > 0 ? static_cast<uint32_t>(difatFirst) : end);
    PutU32(header, static_cast<uint32_t>(difatSectors));
    for (size_t k = 0; k < 109; ++k) PutU32(header, k < fatList.size() ? fatList[k] : free);
    header.resize(sectorSize, '\0');
    return header + data;
}

size_t FatEntryOffset(std::string_view file, uint32_t sector) {
    const unsigned shift = static_cast<uint8_t>(file[30]);
    const size_t perSector = (size_t{1} << shift) / 4;
    const size_t listed = 76 + 4 * (sector / perSector);
    uint32_t fatSector = 0;
    for (int k = 0; k < 4; ++k)
        fatSector |= static_cast<uint32_t>(static_cast<uint8_t>(file[listed + k])) << (8 * k);
    return ((static_cast<size_t>(fatSector) + 1) << shift) + 4 * (sector % perSector);
}

std::string ZlibCompress(std::string_view bytes) {
    uLongf size = compressBound(bytes.size());
    std::string out(size, '\0');
    compress2(reinterpret_cast<Bytef*>(out.data()), &size,
              reinterpret_cast<const Bytef*>(bytes.data()), bytes.size(), 6);
    out.resize(size);
    return out;
}

std::string ZipOf(const std::vector<std::pair<std::string, std::string>>& entries, bool deflated) {
    std::string out, central;
    for (const auto& [name, bytes] : entries) {
        std::string stored = bytes;
        if (deflated) {
            z_stream z{};
            deflateInit2(&z, 6, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
            stored.assign(deflateBound(&z, bytes.size()), '\0');
            z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.data()));
            z.avail_in = static_cast<uInt>(bytes.size());
            z.next_out = reinterpret_cast<Bytef*>(stored.data());
            z.avail_out = static_cast<uInt>(stored.size());
            deflate(&z, Z_FINISH);
            stored.resize(z.total_out);
            deflateEnd(&z);
        }
        const uint32_t crc = static_cast<uint32_t>(crc32(
            0, reinterpret_cast<const Bytef*>(bytes.data()), static_cast<uInt>(bytes.size())));
        const uint32_t offset = static_cast<uint32_t>(out.size());
        std::string common;
        PutU16(common, 20);
        PutU16(common, 0);
        PutU16(common, deflated ? 8 : 0);
        PutU32(common, 0);
        PutU32(common, crc);
        PutU32(common, static_cast<uint32_t>(stored.size()));
        PutU32(common, static_cast<uint32_t>(bytes.size()));
        PutU16(common, static_cast<uint16_t>(name.size()));
        PutU16(common, 0);
        PutU32(out, 0x04034b50);
        out += common + name + stored;
        PutU32(central, 0x02014b50);
        PutU16(central, 20);
        central += common;
        PutU16(central, 0);
        PutU16(central, 0);
        PutU16(central, 0);
        PutU32(central, 0);
        PutU32(central, offset);
        central += name;
    }
    const uint32_t centralOffset = static_cast<uint32_t>(out.size());
    out += central;
    PutU32(out, 0x06054b50);
    PutU32(out, 0);
    PutU16(out, static_cast<uint16_t>(entries.size()));
    PutU16(out, static_cast<uint16_t>(entries.size()));
    PutU32(out, static_cast<uint32_t>(central.size()));
    PutU32(out, centralOffset);
    PutU16(out, 0);
    return out;
}

}  // namespace dualis::office::test
