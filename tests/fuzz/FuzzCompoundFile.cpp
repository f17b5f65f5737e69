// Arbitrary bytes as an Office document, in memory: read as a compound file, every storage
// walked and every stream read; then read as a document for its VBA project, which also drives
// the zip reader. A stream read must come back at its stated size; anything but FormatError
// escaping, a crash, a hang or a sanitizer report is a finding.
#include <cstdlib>
#include <string_view>

#include "CompoundFile.h"
#include "Document.h"
#include "FormatError.h"
#include "VbaProject.h"

namespace {

using dualis::office::CompoundFile;
using dualis::office::EntryKind;

void WalkCompoundFile(std::string_view bytes) {
    const CompoundFile file(bytes);
    std::vector<uint32_t> pending{CompoundFile::RootEntry};
    while (!pending.empty()) {
        const uint32_t storage = pending.back();
        pending.pop_back();
        for (const uint32_t id : file.Children(storage)) {
            const auto& entry = file.Entry(id);
            if (entry.Kind == EntryKind::Storage) {
                pending.push_back(id);
            } else if (entry.Kind == EntryKind::Stream) {
                try {
                    if (file.Read(id, 1 << 20).size() != entry.Size) std::abort();
                } catch (const dualis::office::FormatError&) {
                }
            }
        }
        if (dualis::office::HoldsVbaProject(file, storage)) {
            try {
                dualis::office::ReadVbaProject(file, storage);
            } catch (const dualis::office::FormatError&) {
            }
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    try {
        WalkCompoundFile(bytes);
    } catch (const dualis::office::FormatError&) {
    }
    try {
        dualis::office::ReadDocumentMacros(bytes);
    } catch (const dualis::office::FormatError&) {
    }
    return 0;
}
