// The run-length compression of a VBA project's streams: a signature byte 0x01, then chunks of
// at most 4,096 bytes each once decompressed.
//
// A chunk starts with a 16-bit header: bits 0-11 are the chunk's size less 3 (header included),
// bits 12-14 are 0b011, bit 15 says whether the chunk is compressed. A raw chunk holds 4,096
// bytes as they are. A compressed chunk is a sequence of flag bytes, each followed by eight
// tokens: a 0 bit is a literal byte, a 1 bit a 16-bit copy token that repeats earlier bytes of
// the same chunk. How the copy token's bits split into offset and length depends on how far
// into the chunk it stands: the offset takes as many high bits as the position needs (at least
// 4), the length the rest, plus 3. Example: at position 20 of a chunk, 5 bits of offset and 11
// of length; the token 0x1002 copies 5 bytes starting 3 bytes back.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace dualis::office {

// A module's text may not grow past this once decompressed: beyond it, the stream is taken for
// a decompression bomb.
inline constexpr size_t MaxDecompressedBytes = 64 * 1024 * 1024;

// The decompressed bytes of a compressed container. Bytes after the last whole chunk that do
// not start another chunk are ignored, as Office ignores them. Raises FormatError for a wrong
// signature, a chunk cut short, a copy token reaching before its chunk, or output beyond
// `limit` bytes.
std::string Decompress(std::string_view container, size_t limit = MaxDecompressedBytes);

}  // namespace dualis::office
