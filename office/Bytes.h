// Little-endian numbers read out of a block of bytes, every read checked against its end.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "FormatError.h"

namespace dualis::office {

// A read position in a block of bytes. A read past the end raises FormatError with `what`, the
// name of the thing being read ("The zip central directory"), and " is cut short.".
class ByteCursor {
  public:
    ByteCursor(std::string_view bytes, std::string what) : bytes_(bytes), what_(std::move(what)) {}

    size_t Position() const { return position_; }
    size_t Left() const { return bytes_.size() - position_; }
    bool AtEnd() const { return position_ >= bytes_.size(); }
    void Seek(size_t position) {
        if (position > bytes_.size()) CutShort();
        position_ = position;
    }
    void Skip(size_t count) {
        if (count > Left()) CutShort();
        position_ += count;
    }
    uint8_t U8() { return static_cast<uint8_t>(Take(1)[0]); }
    uint16_t U16() { return static_cast<uint16_t>(Number(2)); }
    uint32_t U32() { return static_cast<uint32_t>(Number(4)); }
    uint64_t U64() { return Number(8); }
    std::string_view Take(size_t count) {
        if (count > Left()) CutShort();
        const std::string_view taken = bytes_.substr(position_, count);
        position_ += count;
        return taken;
    }
    [[noreturn]] void CutShort() const { throw FormatError(what_ + " is cut short."); }

  private:
    uint64_t Number(size_t size) {
        const std::string_view b = Take(size);
        uint64_t value = 0;
        for (size_t k = size; k-- > 0;) value = (value << 8) | static_cast<uint8_t>(b[k]);
        return value;
    }

    std::string_view bytes_;
    std::string what_;
    size_t position_ = 0;
};

// The little-endian number at `offset`; the caller has checked that it lies within the bytes.
inline uint32_t ReadU32(std::string_view bytes, size_t offset) {
    uint32_t value = 0;
    for (size_t k = 4; k-- > 0;) value = (value << 8) | static_cast<uint8_t>(bytes[offset + k]);
    return value;
}
inline uint16_t ReadU16(std::string_view bytes, size_t offset) {
    return static_cast<uint16_t>(static_cast<uint8_t>(bytes[offset]) |
                                 (static_cast<uint8_t>(bytes[offset + 1]) << 8));
}

}  // namespace dualis::office
