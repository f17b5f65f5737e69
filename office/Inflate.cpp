#include "Inflate.h"

#include <zlib.h>

#include <algorithm>
#include <limits>

#include "FormatError.h"

namespace dualis::office {
namespace {

class InflateStream {
  public:
    explicit InflateStream(DeflateWrapping wrapping) {
        if (inflateInit2(&stream_, wrapping == DeflateWrapping::Raw ? -MAX_WBITS : MAX_WBITS) !=
            Z_OK) {
            throw FormatError("The decompressor cannot start.");
        }
    }
    ~InflateStream() { inflateEnd(&stream_); }
    InflateStream(const InflateStream&) = delete;
    InflateStream& operator=(const InflateStream&) = delete;
    z_stream* operator->() { return &stream_; }
    z_stream* Get() { return &stream_; }

  private:
    z_stream stream_{};
};

}  // namespace

std::string Inflate(std::string_view data, DeflateWrapping wrapping, size_t limit) {
    InflateStream stream(wrapping);
    std::string out;
    size_t fed = 0;
    constexpr size_t Step = size_t{1} << 30;  // zlib counts in 32 bits
    for (;;) {
        if (stream->avail_in == 0 && fed < data.size()) {
            const size_t take = std::min(Step, data.size() - fed);
            stream->next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data() + fed));
            stream->avail_in = static_cast<uInt>(take);
            fed += take;
        }
        if (out.size() >= limit + 1) {
            throw FormatError("The inflated data is larger than " + std::to_string(limit >> 20) +
                              " MiB.");
        }
        const size_t room =
            std::min({Step, limit + 1 - out.size(), std::max<size_t>(out.size(), 64 * 1024)});
        const size_t used = out.size();
        out.resize(used + room);
        stream->next_out = reinterpret_cast<Bytef*>(out.data() + used);
        stream->avail_out = static_cast<uInt>(room);
        const int status = inflate(stream.Get(), Z_NO_FLUSH);
        out.resize(used + room - stream->avail_out);
        if (status == Z_STREAM_END) break;
        if (status == Z_BUF_ERROR && stream->avail_in == 0 && fed == data.size()) {
            throw FormatError("The deflated data is cut short.");
        }
        if (status != Z_OK && status != Z_BUF_ERROR) {
            throw FormatError("The deflated data is not valid.");
        }
    }
    if (out.size() > limit) {
        throw FormatError("The inflated data is larger than " + std::to_string(limit >> 20) +
                          " MiB.");
    }
    return out;
}

uint32_t Crc32(std::string_view bytes) {
    uLong crc = crc32(0L, Z_NULL, 0);
    constexpr size_t Step = size_t{1} << 30;
    for (size_t at = 0; at < bytes.size(); at += Step) {
        const size_t take = std::min(Step, bytes.size() - at);
        crc =
            crc32(crc, reinterpret_cast<const Bytef*>(bytes.data() + at), static_cast<uInt>(take));
    }
    return static_cast<uint32_t>(crc);
}

}  // namespace dualis::office
