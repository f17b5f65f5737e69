// Arbitrary bytes as the "PowerPoint Document" stream of a binary presentation, in memory: its
// records walked for the compressed storage that holds the VBA project, each inflated under the
// reader's own bound. Anything but FormatError escaping, a crash, a hang or a sanitizer report
// is a finding.
#include <string_view>

#include "FormatError.h"
#include "PowerPoint.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    try {
        dualis::office::FindPowerPointProject(
            std::string_view(reinterpret_cast<const char*>(data), size));
    } catch (const dualis::office::FormatError&) {
    }
    return 0;
}
