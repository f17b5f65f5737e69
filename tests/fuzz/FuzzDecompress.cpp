// Arbitrary bytes as a compressed container of a VBA project, in memory, decompressed under a
// small limit: the output never passes the limit, and nothing but FormatError escapes. A crash,
// a hang or a sanitizer report is a finding.
#include <cstdlib>
#include <string_view>

#include "Decompress.h"
#include "FormatError.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    constexpr size_t Limit = 1 << 20;
    try {
        if (dualis::office::Decompress(bytes, Limit).size() > Limit) std::abort();
    } catch (const dualis::office::FormatError&) {
    }
    return 0;
}
