#include "PowerPoint.h"

#include "Bytes.h"
#include "CompoundFile.h"
#include "Inflate.h"
#include "VbaProject.h"

namespace dualis::office {
namespace {

constexpr uint16_t ExOleObjStgType = 0x1011;
constexpr size_t HeaderBytes = 8;

// An embedded storage's bytes, inflated when the record says it is compressed.
std::string StorageBytes(std::string_view data, uint16_t instance) {
    if (instance != 1) return std::string(data);
    ByteCursor c(data, "A compressed storage of the presentation");
    const uint32_t size = c.U32();
    if (size > MaxStreamBytes) {
        throw FormatError("A compressed storage of the presentation is larger than " +
                          std::to_string(MaxStreamBytes >> 20) + " MiB.");
    }
    std::string bytes = Inflate(data.substr(4), DeflateWrapping::Zlib, size);
    if (bytes.size() != size) {
        throw FormatError("A compressed storage of the presentation is not of its stated size.");
    }
    return bytes;
}

}  // namespace

std::optional<std::string> FindPowerPointProject(std::string_view stream) {
    std::optional<std::string> found;
    std::optional<FormatError> failure;
    size_t at = 0;
    while (stream.size() - at >= HeaderBytes) {
        const uint16_t versionAndInstance = ReadU16(stream, at);
        const uint16_t type = ReadU16(stream, at + 2);
        const uint32_t length = ReadU32(stream, at + 4);
        if (length > stream.size() - at - HeaderBytes) break;  // the rest is no record
        if (type == ExOleObjStgType) {
            try {
                std::string bytes = StorageBytes(stream.substr(at + HeaderBytes, length),
                                                 static_cast<uint16_t>(versionAndInstance >> 4));
                const CompoundFile storage(bytes);
                if (HoldsVbaProject(storage, CompoundFile::RootEntry)) found = std::move(bytes);
            } catch (const FormatError& e) {
                failure = e;
            }
        }
        at += HeaderBytes + length;
    }
    if (!found && failure) throw *failure;
    return found;
}

}  // namespace dualis::office
