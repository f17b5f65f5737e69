// Arbitrary bytes as the zip package of an Office Open XML document, in memory: the central
// directory read, every entry read under a small limit and its start tags listed, and the VBA
// project's part looked for through the content types and relationships. An entry read must
// come back at its stated size; anything but FormatError escaping, a crash, a hang or a
// sanitizer report is a finding.
#include <cstdlib>
#include <string_view>

#include "FormatError.h"
#include "Package.h"
#include "Zip.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    try {
        const dualis::office::ZipArchive zip(bytes);
        for (const auto& entry : zip.Entries()) {
            try {
                const std::string contents = zip.Read(entry, 1 << 20);
                if (contents.size() != entry.Size) std::abort();
                dualis::office::StartTags(contents);
            } catch (const dualis::office::FormatError&) {
            }
        }
        dualis::office::FindVbaProjectPart(zip);
    } catch (const dualis::office::FormatError&) {
    }
    return 0;
}
