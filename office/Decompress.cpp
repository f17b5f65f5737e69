#include "Decompress.h"

#include "Bytes.h"

namespace dualis::office {
namespace {

constexpr size_t ChunkBytes = 4096;

// The number of offset bits of a copy token at `position` bytes into its chunk: the fewest that
// can reach back to the chunk's start, at least 4.
unsigned OffsetBits(size_t position) {
    unsigned bits = 4;
    while ((size_t{1} << bits) < position) ++bits;
    return bits;
}

void TooLarge(size_t limit) {
    throw FormatError("The decompressed text is larger than " + std::to_string(limit >> 20) +
                      " MiB.");
}

void DecompressChunk(std::string_view chunk, std::string& out, size_t limit) {
    const size_t start = out.size();
    size_t read = 0;
    while (read < chunk.size()) {
        const uint8_t flags = static_cast<uint8_t>(chunk[read++]);
        for (int bit = 0; bit < 8 && read < chunk.size(); ++bit) {
            if ((flags & (1u << bit)) == 0) {
                if (out.size() - start >= ChunkBytes) {
                    throw FormatError("A compressed chunk holds more than 4,096 bytes.");
                }
                if (out.size() >= limit) TooLarge(limit);
                out.push_back(chunk[read++]);
                continue;
            }
            if (chunk.size() - read < 2) throw FormatError("A copy token is cut short.");
            const uint16_t token = ReadU16(chunk, read);
            read += 2;
            const size_t position = out.size() - start;
            const unsigned offsetBits = OffsetBits(position);
            const size_t length = (token & (0xFFFFu >> offsetBits)) + 3;
            const size_t offset = (static_cast<size_t>(token) >> (16 - offsetBits)) + 1;
            if (offset > position) {
                throw FormatError("A copy token reaches before the start of its chunk.");
            }
            if (position + length > ChunkBytes) {
                throw FormatError("A compressed chunk holds more than 4,096 bytes.");
            }
            if (out.size() + length > limit) TooLarge(limit);
            // The source may overlap what is being written: byte by byte.
            for (size_t k = 0; k < length; ++k) out.push_back(out[out.size() - offset]);
        }
    }
}

}  // namespace

std::string Decompress(std::string_view container, size_t limit) {
    if (container.empty() || container[0] != 0x01) {
        throw FormatError("The compressed text does not start with its signature byte.");
    }
    std::string out;
    size_t read = 1;
    bool anyChunk = false;
    while (container.size() - read >= 2) {
        const uint16_t header = ReadU16(container, read);
        if (((header >> 12) & 0x7) != 0x3) {
            // Office stops at the first bytes that are no chunk header.
            if (anyChunk) break;
            throw FormatError("A compressed chunk's header is not valid.");
        }
        anyChunk = true;
        read += 2;
        if ((header & 0x8000) == 0) {
            // A raw chunk: 4,096 bytes as they are; the last one may stop with the stream.
            const size_t take = std::min(ChunkBytes, container.size() - read);
            if (out.size() + take > limit) TooLarge(limit);
            out.append(container.substr(read, take));
            read += take;
            continue;
        }
        const size_t size = (header & 0x0FFFu) + 1;  // the chunk's bytes after its header
        if (size > container.size() - read) throw FormatError("A compressed chunk is cut short.");
        DecompressChunk(container.substr(read, size), out, limit);
        read += size;
    }
    return out;
}

}  // namespace dualis::office
