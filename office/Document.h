// The VBA project of an Office document, whatever holds it: a zip package (.xlsm .docm .pptm
// and the rest of Office Open XML), a compound file (.xls .doc .ppt and their templates and
// add-ins), or a bare vbaProject.bin. The container is told by its first bytes, not by the
// name's extension.
#pragma once

#include <optional>
#include <string_view>

#include "VbaProject.h"

namespace dualis::office {

inline constexpr std::string_view EncryptedDocumentReason =
    "The document is encrypted; Dualis cannot read its macros.";

// Parts and storages larger than this are refused before they are inflated.
inline constexpr size_t MaxPartBytes = 256 * 1024 * 1024;

// The document's VBA project; none when it holds none. Raises FormatError with the reason: a
// damaged container or project, an encrypted document (EncryptedDocumentReason), bytes that are
// no Office document.
std::optional<VbaProject> ReadDocumentMacros(std::string_view bytes);

// True for the extensions (without the dot, any letter case) of the documents that can hold
// macros, of their macro-free forms, and of a bare project: xlsm, xls, docx, ppt, bin ...
bool IsDocumentExtension(std::string_view extension);

}  // namespace dualis::office
