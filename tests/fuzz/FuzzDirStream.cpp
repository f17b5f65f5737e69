// Arbitrary bytes as a decompressed dir stream, and as a PROJECT stream with its encrypted
// protection values, in memory. A module's names and offsets come from the records it holds;
// nothing but FormatError escapes. A crash, a hang or a sanitizer report is a finding.
#include <cstdlib>
#include <string_view>

#include "DirStream.h"
#include "FormatError.h"
#include "ProjectStream.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    try {
        const auto dir = dualis::office::ParseDirStream(bytes);
        for (const auto& module : dir.Modules) {
            if (module.NameMbcs.size() > size || module.StreamNameUnicode.size() > size) {
                std::abort();
            }
        }
    } catch (const dualis::office::FormatError&) {
    }
    const auto lines = dualis::office::ParseProjectStream(bytes);
    dualis::office::ReadProtection(lines);
    for (const auto& line : lines) {
        dualis::office::DecryptProjectValue(line.Value);
        dualis::office::DeclaredKindOf(lines, line.Key);
    }
    return 0;
}
