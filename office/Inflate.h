// Deflated data (zip entries, PowerPoint's compressed storages) inflated through zlib, with a
// bound on what it may grow to.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace dualis::office {

enum class DeflateWrapping : bool {
    Raw,   // a bare deflate stream, as a zip entry holds it
    Zlib,  // with zlib's two-byte header and checksum
};

// The inflated bytes. Raises FormatError when the data is not a whole deflate stream or would
// grow past `limit` bytes.
std::string Inflate(std::string_view data, DeflateWrapping wrapping, size_t limit);

// The CRC-32 of the bytes, as zip records it.
uint32_t Crc32(std::string_view bytes);

}  // namespace dualis::office
