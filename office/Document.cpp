#include "Document.h"

#include <array>

#include "CompoundFile.h"
#include "FormatError.h"
#include "Package.h"
#include "PowerPoint.h"
#include "TextCodec.h"
#include "Zip.h"

namespace dualis::office {
namespace {

std::optional<VbaProject> ReadFromCompoundFile(std::string_view bytes);

std::optional<VbaProject> ReadFromPackage(std::string_view bytes) {
    const ZipArchive zip(bytes);
    const auto part = FindVbaProjectPart(zip);
    if (!part) return std::nullopt;
    const std::string project = zip.Read(*zip.Find(*part), MaxPartBytes);
    try {
        return ReadFromCompoundFile(project);
    } catch (const FormatError& e) {
        throw FormatError("The part \"" + *part + "\": " + e.what());
    }
}

std::optional<VbaProject> ReadFromCompoundFile(std::string_view bytes) {
    const CompoundFile file(bytes);
    const uint32_t root = CompoundFile::RootEntry;
    // An encrypted Office Open XML document is a compound file around the encrypted package;
    // an encrypted presentation keeps its summary apart.
    for (const char* name : {"EncryptedPackage", "EncryptedSummary"}) {
        if (file.Find(root, name, EntryKind::Stream))
            throw FormatError(std::string(EncryptedDocumentReason));
    }
    // A bare project, Excel's storage, Word's storage.
    if (HoldsVbaProject(file, root)) return ReadVbaProject(file, root);
    for (const char* name : {"_VBA_PROJECT_CUR", "Macros"}) {
        const auto storage = file.Find(root, name, EntryKind::Storage);
        if (storage && HoldsVbaProject(file, *storage)) return ReadVbaProject(file, *storage);
    }
    if (const auto stream = file.Find(root, "PowerPoint Document", EntryKind::Stream)) {
        const std::string document = file.Read(*stream, MaxPartBytes);
        const auto storage = FindPowerPointProject(document);
        if (!storage) return std::nullopt;
        const CompoundFile inner(*storage);
        return ReadVbaProject(inner, CompoundFile::RootEntry);
    }
    return std::nullopt;
}

}  // namespace

std::optional<VbaProject> ReadDocumentMacros(std::string_view bytes) {
    if (bytes.starts_with(CompoundFileSignature)) return ReadFromCompoundFile(bytes);
    // An empty package has its end record only.
    if (bytes.starts_with(ZipSignature) || bytes.starts_with("PK\x05\x06")) {
        return ReadFromPackage(bytes);
    }
    throw FormatError("It is neither a zip package nor a compound file.");
}

bool IsDocumentExtension(std::string_view extension) {
    static constexpr std::array<std::string_view, 26> known{
        "xlsm", "xlsb", "xltm", "xlam", "docm", "dotm", "pptm", "potm", "ppsm",
        "ppam", "xls",  "xla",  "xlt",  "doc",  "dot",  "ppt",  "pps",  "pot",
        "xlsx", "xltx", "docx", "dotx", "pptx", "potx", "ppsx", "bin"};
    for (const std::string_view k : known) {
        if (EqualsIgnoringAsciiCase(k, extension)) return true;
    }
    return false;
}

}  // namespace dualis::office
